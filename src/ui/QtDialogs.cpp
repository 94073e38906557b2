#include "ui/QtDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "model/Windows1252.h"

namespace planaq::ui {

namespace {

QString StartPath(const FileDialogSetup& setup) {
  const QString name = QString::fromStdString(setup.fileName);
  if (QDir::isAbsolutePath(name)) return name;
  return QDir(QString::fromStdString(setup.initialDir)).filePath(name);
}

}  // namespace

void QtDialogs::Message(const std::string& text) {
  // the program's texts are Windows-1252
  QMessageBox::information(parent_, QStringLiteral("PLANAQ"),
                           QString::fromStdString(Windows1252ToUtf8(text)));
}

std::optional<std::string> QtDialogs::OpenFile(const FileDialogSetup& setup) {
  const QString path = QFileDialog::getOpenFileName(
      parent_, QStringLiteral("Open"), StartPath(setup),
      QString::fromStdString(QtNameFilter(setup.filter)));
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

std::optional<std::string> QtDialogs::SaveFile(const FileDialogSetup& setup) {
  const QString path = QFileDialog::getSaveFileName(
      parent_, QStringLiteral("Save"), StartPath(setup),
      QString::fromStdString(QtNameFilter(setup.filter)));
  if (path.isEmpty()) return std::nullopt;
  return WithDefaultExtension(path.toStdString(), setup.defaultExt);
}

bool QtDialogs::Print(QPrinter& printer) {
  QPrintDialog dialog(&printer, parent_);
  return dialog.exec() == QDialog::Accepted;
}

SaveChoice QtDialogs::AskSave(const std::string& text) {
  const auto answer = QMessageBox::question(
      parent_, QStringLiteral("PLANAQ"), QString::fromStdString(Windows1252ToUtf8(text)),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) return SaveChoice::Save;
  if (answer == QMessageBox::Discard) return SaveChoice::Discard;
  return SaveChoice::Cancel;
}

}  // namespace planaq::ui
