#pragma once
// The Nodes window: the nodes of one layer in a grid, coordinates, bottom, top, head, supply
// and the two switches of Type, each checked by the core rules of grids/NodesGrid when the
// selection leaves it.

#include "ui/grids/DataGridForm.h"

namespace planaq::ui {

class TFormNod : public DataGridForm {
  Q_OBJECT

 public:
  TFormNod(const GridContext& context, QWidget* parent = nullptr);

  DataGrid* NodesGrid() const { return Grid(); }
  void FormPaint() override;
  void SpeedButtonHelpClick();

 protected:
  std::vector<GridColumn> Columns(int layer) const override;
  int DataRows() const override;
  std::string CellText(int col, int row, int layer) const override;
  CellOutcome StoreCell(int col, int row, int layer, const std::string& text) override;
  void Place() override;
};

}  // namespace planaq::ui
