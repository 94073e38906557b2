#include "ui/SecondaryForm.h"

#include <QCloseEvent>

namespace planaq::ui {

SecondaryForm::SecondaryForm(const QString& objectName, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setObjectName(objectName);
  setWindowTitle(caption);
}

void SecondaryForm::FormClose() {
  hide();
  if (onClosed_) onClosed_();
}

void SecondaryForm::closeEvent(QCloseEvent* event) {
  // the window is only hidden: it lives until the program ends
  event->ignore();
  FormClose();
}

}  // namespace planaq::ui
