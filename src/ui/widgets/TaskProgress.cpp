#include "ui/widgets/TaskProgress.h"

#include <QCoreApplication>
#include <algorithm>

namespace planaq::ui {

namespace {
constexpr int kSteps = 1000;
constexpr int kShowAfterMs = 400;  // a quick task passes without a flash of a window
}  // namespace

TaskProgress::TaskProgress(QWidget* owner, const QString& title)
    : dialog_(QString(), QStringLiteral("Stop"), 0, kSteps, owner) {
  dialog_.setObjectName(QStringLiteral("TaskProgress"));
  dialog_.setWindowTitle(title);
  dialog_.setWindowModality(Qt::WindowModal);  // setValue then lets the Stop key be pressed
  dialog_.setMinimumDuration(kShowAfterMs);
  dialog_.setMinimumWidth(360);
  dialog_.setAutoClose(false);
  dialog_.setAutoReset(false);
  dialog_.setValue(0);
}

MapProgress TaskProgress::Callback() {
  return [this](const std::string& stage, double done) {
    dialog_.setLabelText(QString::fromStdString(stage));
    dialog_.setValue(static_cast<int>(std::clamp(done, 0.0, 1.0) * (kSteps - 1)));
    // a window shown by setValue is painted only at the next turn of the event loop, which the
    // task would hold back until its next part
    QCoreApplication::processEvents();
    return !dialog_.wasCanceled();
  };
}

}  // namespace planaq::ui
