#include "ui/figures/CoordinatePanel.h"

#include <QEvent>
#include <QLineEdit>

#include "mesh/Blocks.h"

namespace planaq::ui {

namespace {

constexpr int kFieldWidth = 96;
constexpr int kHeight = 30;

QString Shown(double value) { return QString::fromStdString(FormatCoordinate(value)); }

}  // namespace

CoordinatePanel::CoordinatePanel(const Problem& problem, int& exits, QWidget* parent)
    : QFrame(parent), problem_(problem), exits_(exits) {
  setObjectName(QStringLiteral("PanelXY"));
  setFrameShape(QFrame::Panel);
  resize(2 * kFieldWidth + 12, kHeight);
  EditX = new QLineEdit(this);
  EditX->setObjectName(QStringLiteral("EditX"));
  EditX->setGeometry(4, 3, kFieldWidth, kHeight - 6);
  EditY = new QLineEdit(this);
  EditY->setObjectName(QStringLiteral("EditY"));
  EditY->setGeometry(8 + kFieldWidth, 3, kFieldWidth, kHeight - 6);
  // a field is left when it loses the focus, whether its text changed or not
  EditX->installEventFilter(this);
  EditY->installEventFilter(this);
}

bool CoordinatePanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && (watched == EditX || watched == EditY))
    Left(static_cast<QLineEdit*>(watched), watched == EditX);
  return QFrame::eventFilter(watched, event);
}

void CoordinatePanel::ShowPosition(double x, double y) {
  EditX->setText(Shown(x));
  EditY->setText(Shown(y));
  show();
}

void CoordinatePanel::Left(QLineEdit* field, bool isX) {
  const double value =
      ReadCoordinateField(field->text().toStdString(), isX ? problem_.LX : problem_.LY);
  field->setText(Shown(value));
  ++exits_;
  if (onExit) onExit(isX, value, exits_ >= 2);
}

}  // namespace planaq::ui
