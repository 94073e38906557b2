#include "ui/grids/FormWells.h"

#include <algorithm>

#include "grids/WellsGrid.h"
#include "ui/grids/GridLook.h"

namespace planaq::ui {

TFormWells::TFormWells(const GridContext& context, QWidget* parent)
    : DataGridForm(QStringLiteral("FormWells"), QStringLiteral("Wells"),
                   QStringLiteral("WellsGrid"), context, parent) {
  AddHelpButton([this] { SpeedButtonHelpClick(); });
  UseCourierYellowLook(Grid());
  Grid()->EnableCopyKey();
}

std::vector<GridColumn> TFormWells::Columns(int) const {
  return {{"  Node", 50, true}, {"      X (m)", 90, true}, {"      Y (m)", 90, true},
          {" Layer", 50},       {"      F (m)", 90},       {"    Q (m\xB3/d)", 90},
          {" F/Q", 40}};
}

int TFormWells::DataRows() const {
  return std::clamp(problem_.NW, 0, static_cast<int>(problem_.wells.size()));
}

std::string TFormWells::CellText(int col, int row, int) const {
  return WellsCellText(problem_, col, row - 1);
}

CellOutcome TFormWells::StoreCell(int col, int row, int, const std::string& text) {
  return StoreWellCell(problem_, col, row - 1, text);
}

void TFormWells::Place() { PlaceFromRight(40, 300); }

void TFormWells::FormActivate() {
  DataGridForm::FormActivate();
  SelectCell(kWellLayer, 1);
}

void TFormWells::FormClose() {
  Grid()->DiscardEdit();
  Grid()->Model().DropTyped();
  DataGridForm::FormClose();
}

void TFormWells::SpeedButtonHelpClick() { dialogs_.Message(WellsHelpText()); }

}  // namespace planaq::ui
