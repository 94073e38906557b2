#include "ui/grids/FormParticles.h"

#include <algorithm>

#include "grids/ParticlesGrid.h"
#include "ui/grids/GridLook.h"

namespace planaq::ui {

TFormParticles::TFormParticles(const GridContext& context, QWidget* parent)
    : DataGridForm(QStringLiteral("FormParticles"), QStringLiteral("Particles"),
                   QStringLiteral("ParticlesGrid"), context, parent) {
  AddHelpButton([this] { SpeedButtonHelpClick(); });
  UseCourierYellowLook(Grid());
  Grid()->EnableCopyKey();
}

std::vector<GridColumn> TFormParticles::Columns(int) const {
  return {{"     i", 50, true}, {"      X (m)", 90}, {"      Y (m)", 90}, {"      Z (m)", 90}};
}

int TFormParticles::DataRows() const {
  return std::clamp(problem_.NP, 0, static_cast<int>(problem_.particles.size()));
}

std::string TFormParticles::CellText(int col, int row, int) const {
  return ParticlesCellText(problem_, col, row - 1);
}

CellOutcome TFormParticles::StoreCell(int col, int row, int, const std::string& text) {
  return StoreParticleCell(problem_, col, row - 1, text);
}

void TFormParticles::Place() { PlaceFromRight(60, static_cast<int>(0.3 * ScreenSize().height())); }

void TFormParticles::FormActivate() {
  DataGridForm::FormActivate();
  SelectCell(kParticleX, 1);
}

void TFormParticles::FormClose() {
  Grid()->DiscardEdit();
  Grid()->Model().DropTyped();
  DataGridForm::FormClose();
}

void TFormParticles::RefillRows(int first, int last) {
  Grid()->Model().RereadRows(first + 1, last + 1);
}

void TFormParticles::SpeedButtonHelpClick() { dialogs_.Message(ParticlesHelpText()); }

}  // namespace planaq::ui
