#include "ui/PrintFileProposal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

namespace planaq::ui {

void ProposePdfFile(QPrinter& printer, const std::string& folder, const std::string& name) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) return;
  const QFileInfo file(QFile::decodeName(QByteArray::fromStdString(name)));
  const QString stem =
      file.completeBaseName().isEmpty() ? QStringLiteral("PLANAQ") : file.completeBaseName();
  // a name with a folder of its own keeps it; a bare one goes into folder
  const QDir dir(QFile::decodeName(QByteArray::fromStdString(folder)));
  printer.setOutputFileName(QDir::cleanPath(
      dir.filePath(file.path() + QStringLiteral("/") + stem + QStringLiteral(".pdf"))));
}

}  // namespace planaq::ui
