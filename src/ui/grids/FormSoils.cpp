#include "ui/grids/FormSoils.h"

#include <QHeaderView>
#include <algorithm>

namespace planaq::ui {

namespace {
constexpr const char* kFixedYellow = "#ffff00";
}

TFormSoils::TFormSoils(const GridContext& context, QWidget* parent)
    : DataGridForm(QStringLiteral("FormSoils"), QStringLiteral("Block Properties"),
                   QStringLiteral("SoilsGrid"), context, parent) {
  AddLayerSelector();
  AddHelpButton([this] { SpeedButtonHelpClick(); });
  QFont courier(QStringLiteral("Courier New"));
  courier.setStyleHint(QFont::Monospace);
  courier.setPixelSize(11);
  Grid()->setFont(courier);
  Grid()->horizontalHeader()->setFont(courier);
  Grid()->SetRowHeight(16);
  Grid()->Model().SetFixedBrush(QColor(kFixedYellow));
  Grid()->horizontalHeader()->setStyleSheet(
      QStringLiteral("QHeaderView::section { background-color: %1; border: 0px;"
                     " border-right: 1px solid #a0a0a0; border-bottom: 1px solid #a0a0a0;"
                     " padding-left: 1px; }")
          .arg(QLatin1String(kFixedYellow)));
  Grid()->EnableCopyKey();
}

std::vector<GridColumn> TFormSoils::Columns(int layer) const {
  if (layer == 0)
    return {{"       i", 60, true},
            {"    K (m/d)", 100},
            {"  P (-)", 70},
            {"  R (-)", 70},
            {"    I (m/d)", 100}};
  return {{"       i", 60, true}, {"    K'(m/d)", 100}, {"  P'(-)", 70}, {"  R'(-)", 70},
          {"    K (m/d)", 100},   {"  P (-)", 70},      {"  R (-)", 70}};
}

int TFormSoils::DataRows() const {
  return std::clamp(problem_.NB, 0, static_cast<int>(problem_.soils.size()));
}

std::string TFormSoils::CellText(int col, int row, int layer) const {
  return SoilsCellText(problem_, col, row - 1, layer);
}

CellOutcome TFormSoils::StoreCell(int col, int row, int layer, const std::string& text) {
  return StoreSoilsCell(problem_, col, row - 1, layer, text, warning_);
}

void TFormSoils::Place() { PlaceFromRight(60, 80); }

void TFormSoils::FormActivate() {
  warning_ = InfiltrationWarning{};
  DataGridForm::FormActivate();
  SelectCell(1, 1);
}

void TFormSoils::FormPaint() {
  ClampSoils(problem_, Layer());
  DataGridForm::FormPaint();
}

void TFormSoils::FormClose() {
  Grid()->DiscardEdit();
  DataGridForm::FormClose();
  SelectCell(1, 1);
}

void TFormSoils::SelectFirstCell() {
  // The main window paints whenever one of its own widgets repaints, so on screen this would
  // take the selection from under every click; the window is left alone while it is shown.
  if (!isVisible()) SelectCell(1, 1);
}

void TFormSoils::SpeedButtonHelpClick() { dialogs_.Message(SoilsHelpText(problem_.NL)); }

}  // namespace planaq::ui
