#pragma once
// The Block Properties window: the soil properties of the blocks in one layer, each cell
// checked and clamped by the core rules of grids/SoilsGrid when the selection leaves it.

#include "grids/SoilsGrid.h"
#include "ui/grids/DataGridForm.h"

namespace planaq::ui {

class TFormSoils : public DataGridForm {
  Q_OBJECT

 public:
  TFormSoils(const GridContext& context, QWidget* parent = nullptr);

  DataGrid* SoilsGrid() const { return Grid(); }
  void FormActivate() override;
  // FillSoilsGrid: the values of the layer clamped to their limits, then shown
  void FormPaint() override;
  // the text being edited is not stored; the selection state goes back to (1, 1)
  void FormClose() override;
  // the main window's repaint: the selection to (1, 1) while the window is hidden
  void SelectFirstCell();
  void SpeedButtonHelpClick();

 protected:
  std::vector<GridColumn> Columns(int layer) const override;
  int DataRows() const override;
  std::string CellText(int col, int row, int layer) const override;
  CellOutcome StoreCell(int col, int row, int layer, const std::string& text) override;
  void Place() override;

 private:
  InfiltrationWarning warning_;
};

}  // namespace planaq::ui
