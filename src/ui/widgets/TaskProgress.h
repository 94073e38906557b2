#pragma once
// The progress of a long map task in front of the window that started it: it shows once the
// task takes more than a moment, names the part under way, and its Stop key asks the task to
// stop. The window that started it takes no input meanwhile.

#include <QProgressDialog>

#include "maps/MapProgress.h"

namespace planaq::ui {

class TaskProgress {
 public:
  TaskProgress(QWidget* owner, const QString& title);
  // for the task; valid while this object lives
  MapProgress Callback();

 private:
  QProgressDialog dialog_;
};

}  // namespace planaq::ui
