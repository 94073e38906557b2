#pragma once
// The Particles window: the initial position of every particle, each coordinate held to the
// problem by the core rules of grids/ParticlesGrid when the selection leaves the cell.

#include "ui/grids/DataGridForm.h"

namespace planaq::ui {

class TFormParticles : public DataGridForm {
  Q_OBJECT

 public:
  TFormParticles(const GridContext& context, QWidget* parent = nullptr);

  DataGrid* ParticlesGrid() const { return Grid(); }
  void FormActivate() override;
  // the text being edited is not stored
  void FormClose() override;
  // the main window's refill: particles first..last (0-based) are shown from the problem again
  void RefillRows(int first, int last);
  void SpeedButtonHelpClick();

 protected:
  std::vector<GridColumn> Columns(int layer) const override;
  int DataRows() const override;
  std::string CellText(int col, int row, int layer) const override;
  CellOutcome StoreCell(int col, int row, int layer, const std::string& text) override;
  void Place() override;
};

}  // namespace planaq::ui
