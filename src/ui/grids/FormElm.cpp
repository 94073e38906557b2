#include "ui/grids/FormElm.h"

#include <QHeaderView>
#include <algorithm>

#include "grids/ElementsGrid.h"

namespace planaq::ui {

TFormElm::TFormElm(const GridContext& context, QWidget* parent)
    : DataGridForm(QStringLiteral("FormElm"), QStringLiteral("Elements"),
                   QStringLiteral("ElementsGrid"), context, parent) {
  AddPagingButtons();
  AddHelpButton([this] { SpeedButtonHelpClick(); });
  QFont mono(QStringLiteral("Liberation Mono"));
  mono.setStyleHint(QFont::Monospace);
  mono.setPixelSize(11);
  Grid()->setFont(mono);
  Grid()->horizontalHeader()->setFont(mono);
  Grid()->SetRowHeight(17);
  Grid()->EnableCopyKey();
}

std::vector<GridColumn> TFormElm::Columns(int) const {
  return {
      {"       j", 60, true}, {"  Node 1", 60}, {"  Node 2", 60}, {"  Node 3", 60}, {"  Soil", 60}};
}

int TFormElm::DataRows() const {
  return std::clamp(problem_.NM, 0, static_cast<int>(problem_.elements.size()));
}

std::string TFormElm::CellText(int col, int row, int) const {
  return ElementsCellText(problem_, col, row - 1);
}

CellOutcome TFormElm::StoreCell(int col, int row, int, const std::string& text) {
  return StoreElementsCell(problem_, col, row - 1, text);
}

void TFormElm::Place() { MoveFrameTo(20, static_cast<int>(0.45 * ScreenSize().height())); }

void TFormElm::FormActivate() {
  DataGridForm::FormActivate();
  SelectCell(kElementNode1, 1);
}

void TFormElm::SpeedButtonHelpClick() { dialogs_.Message(ElementsHelpText()); }

}  // namespace planaq::ui
