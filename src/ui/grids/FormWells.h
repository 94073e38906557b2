#pragma once
// The Wells window: every well in its own layer, with the layer, the head of its node there,
// the discharge and the F/Q switch, each stored by the core rules of grids/WellsGrid when the
// selection leaves the cell.

#include "ui/grids/DataGridForm.h"

namespace planaq::ui {

class TFormWells : public DataGridForm {
  Q_OBJECT

 public:
  TFormWells(const GridContext& context, QWidget* parent = nullptr);

  DataGrid* WellsGrid() const { return Grid(); }
  void FormActivate() override;
  // the text being edited is not stored
  void FormClose() override;
  void SpeedButtonHelpClick();

 protected:
  std::vector<GridColumn> Columns(int layer) const override;
  int DataRows() const override;
  std::string CellText(int col, int row, int layer) const override;
  CellOutcome StoreCell(int col, int row, int layer, const std::string& text) override;
  void Place() override;
};

}  // namespace planaq::ui
