// The water balance in the main window: the Water Balance command opens its window, and the
// balance of each Solve stays in the notice area while the problem is unchanged. Unchanged
// means: no command has run since the Solve except Save, Print, Water Balance, Options,
// Manual, Help and About, no entry of the General Grid was stored and the installation data was not
// saved. Every other command may change the problem, so it takes the notice and the window away.

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <algorithm>

#include "solver/WaterBalance.h"
#include "ui/FormBalance.h"
#include "ui/FormFem.h"
#include "ui/widgets/Panels.h"

namespace planaq::ui {

namespace {
constexpr int kBalanceTitle = 26;
}

void TFormFem::BuildBalancePanel() {
  formBalance_ = new TFormBalance(this);
  PanelBalance = new QFrame(central_);
  PanelBalance->setObjectName(QStringLiteral("PanelBalance"));
  PanelBalance->setFrameShape(QFrame::Panel);
  PanelBalance->setFrameShadow(QFrame::Raised);
  FillBackground(PanelBalance, QColor(255, 255, 0));
  auto* title = new QLabel(QStringLiteral("Water Balance (m\u00B3/d)"), PanelBalance);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  title->move(8, 5);
  BalanceText = new QPlainTextEdit(PanelBalance);
  BalanceText->setObjectName(QStringLiteral("BalanceText"));
  BalanceText->setReadOnly(true);
  BalanceText->setFocusPolicy(Qt::NoFocus);  // the grids keep the focus, and their checks
  BalanceText->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont mono(QStringLiteral("Liberation Mono"));
  mono.setStyleHint(QFont::Monospace);
  mono.setPixelSize(11);
  BalanceText->setFont(mono);
  PanelBalance->hide();
}

bool TFormFem::KeepsBalance(void (TFormFem::*command)()) {
  return command == &TFormFem::SpeedButtonSaveClick || command == &TFormFem::Print1Click ||
         command == &TFormFem::WaterBalance1Click || command == &TFormFem::SpeedButtonHelpClick ||
         command == &TFormFem::About1Click || command == &TFormFem::SpeedButtonOptionsClick ||
         command == &TFormFem::SpeedButtonManualClick;
}

void TFormFem::ForgetBalance() {
  if (PanelBalance) PanelBalance->hide();
  if (formBalance_) formBalance_->hide();
}

void TFormFem::WaterBalance1Click() {
  if (!WaterBalance1->isEnabled()) return;
  formBalance_->ShowBalance(ComputeWaterBalance(problem_));
}

void TFormFem::ShowBalanceNotice() {
  const QString text = QString::fromStdString(WaterBalanceText(ComputeWaterBalance(problem_)));
  BalanceText->setPlainText(text);
  PlaceBalanceNotice();
  ShowNotice(PanelBalance);
}

void TFormFem::PlaceBalanceNotice() {
  if (!BalanceText) return;
  const QFontMetrics metrics(BalanceText->font());
  int columns = 0, lines = 0;
  for (const QString& line : BalanceText->toPlainText().split(QLatin1Char('\n'))) {
    columns = std::max(columns, static_cast<int>(line.size()));
    ++lines;
  }
  const int frame = 2 * BalanceText->frameWidth() + 12;
  const int maxWidth = std::max(200, central_->width() - 48);
  int width = std::min(metrics.horizontalAdvance(QLatin1Char('0')) * columns + frame, maxWidth);
  // the text's own margins take about a line
  int height = metrics.lineSpacing() * (lines + 1) + frame;
  if (width == maxWidth) height += 16;  // room for the scroll bar
  BalanceText->setGeometry(8, kBalanceTitle, width, height);
  PanelBalance->resize(width + 16, kBalanceTitle + height + 8);
  const int top = std::max(PanelGeneral->y() + PanelGeneral->height(),
                           PanelInstallation->y() + PanelInstallation->height());
  PanelBalance->move(16, top + 16);
}

}  // namespace planaq::ui
