// planaq: the desktop program. The working directory holds "PLANAQ.txt" and is where the
// datafile dialogs start. `planaq FILE.aqd` opens FILE once the program has started.

#include <QApplication>
#include <QDir>

#include "ui/FormFem.h"
#include "ui/QtDialogs.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // the window belongs to the installed desktop entry planaq.desktop
  QGuiApplication::setDesktopFileName(QStringLiteral("planaq"));
  planaq::ui::QtDialogs dialogs;
  planaq::ui::TFormFem main(dialogs, QDir::currentPath().toStdString());
  dialogs.SetParent(&main);
  main.show();
  // a datafile named on the command line, as a file manager or a script starts the program
  // taken byte for byte as the system gave it (Qt has removed its own options from argv), so
  // that a name that is not UTF-8 still opens
  if (argc > 1) main.OpenFromCommandLine(argv[1]);
  return app.exec();
}
