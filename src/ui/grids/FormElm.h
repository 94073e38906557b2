#pragma once
// The Elements window: the three node numbers and the block of every element, integers held
// to the tables by the core rules of grids/ElementsGrid when the selection leaves a cell.

#include "ui/grids/DataGridForm.h"

namespace planaq::ui {

class TFormElm : public DataGridForm {
  Q_OBJECT

 public:
  TFormElm(const GridContext& context, QWidget* parent = nullptr);

  DataGrid* ElementsGrid() const { return Grid(); }
  void FormActivate() override;
  void SpeedButtonHelpClick();

 protected:
  std::vector<GridColumn> Columns(int layer) const override;
  int DataRows() const override;
  std::string CellText(int col, int row, int layer) const override;
  CellOutcome StoreCell(int col, int row, int layer, const std::string& text) override;
  void Place() override;
};

}  // namespace planaq::ui
