// planaq: the desktop program. The working directory holds "PLANAQ.txt" and is where the
// datafile dialogs start.

#include <QApplication>
#include <QDir>

#include "ui/FormFem.h"
#include "ui/QtDialogs.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  planaq::ui::QtDialogs dialogs;
  planaq::ui::TFormFem main(dialogs, QDir::currentPath().toStdString());
  dialogs.SetParent(&main);
  main.show();
  return app.exec();
}
