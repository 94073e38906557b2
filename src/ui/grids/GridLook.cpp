#include "ui/grids/GridLook.h"

#include <QHeaderView>

#include "ui/grids/DataGrid.h"

namespace planaq::ui {

void UseCourierYellowLook(DataGrid* grid) {
  const QColor yellow(255, 255, 0);
  QFont courier(QStringLiteral("Courier New"));
  courier.setStyleHint(QFont::Monospace);
  courier.setPixelSize(11);
  grid->setFont(courier);
  grid->horizontalHeader()->setFont(courier);
  grid->SetRowHeight(16);
  grid->Model().SetFixedBrush(yellow);
  grid->horizontalHeader()->setStyleSheet(
      QStringLiteral("QHeaderView::section { background-color: %1; border: 0px;"
                     " border-right: 1px solid #a0a0a0; border-bottom: 1px solid #a0a0a0;"
                     " padding-left: 1px; }")
          .arg(yellow.name()));
}

}  // namespace planaq::ui
