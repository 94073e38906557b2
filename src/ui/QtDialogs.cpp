#include "ui/QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "model/Windows1252.h"

namespace planaq::ui {

namespace {

QString StartPath(const FileDialogSetup& setup) {
  const QString name = QFile::decodeName(QByteArray::fromStdString(setup.fileName));
  if (QDir::isAbsolutePath(name)) return name;
  return QDir(QFile::decodeName(QByteArray::fromStdString(setup.initialDir))).filePath(name);
}

// A dialog of a stay-on-top window would open underneath it, where nobody can answer it.
void KeepAboveOwner(QWidget* dialog, const QWidget* owner) {
  if (owner && owner->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
    dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

// The messages quote names of the problem, which are Windows-1252 bytes.
QString MessageText(const std::string& text) {
  return QString::fromStdString(Windows1252MessageToUtf8(text));
}

}  // namespace

QWidget* QtDialogs::Owner() const {
  QWidget* active = QApplication::activeWindow();
  if (active && active->isVisible()) return active;
  return parent_;
}

void QtDialogs::Message(const std::string& text) {
  QWidget* owner = Owner();
  QMessageBox box(QMessageBox::Information, QStringLiteral("PLANAQ"), MessageText(text),
                  QMessageBox::Ok, owner);
  KeepAboveOwner(&box, owner);
  box.exec();
}

std::optional<std::string> QtDialogs::RunFileDialog(const FileDialogSetup& setup, bool save) {
  QWidget* owner = Owner();
  QFileDialog dialog(owner, save ? QStringLiteral("Save") : QStringLiteral("Open"),
                     StartPath(setup), QString::fromStdString(QtNameFilter(setup.filter)));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (save) dialog.selectFile(StartPath(setup));
  KeepAboveOwner(&dialog, owner);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  // the file system's own bytes, whatever the name's encoding
  std::string path = QFile::encodeName(dialog.selectedFiles().first()).toStdString();
  if (path.empty()) return std::nullopt;
  return save ? WithDefaultExtension(path, setup.defaultExt) : path;
}

std::optional<std::string> QtDialogs::OpenFile(const FileDialogSetup& setup) {
  return RunFileDialog(setup, false);
}

std::optional<std::string> QtDialogs::SaveFile(const FileDialogSetup& setup) {
  return RunFileDialog(setup, true);
}

bool QtDialogs::Print(QPrinter& printer) {
  QWidget* owner = Owner();
  QPrintDialog dialog(&printer, owner);
  KeepAboveOwner(&dialog, owner);
  return dialog.exec() == QDialog::Accepted;
}

SaveChoice QtDialogs::AskSave(const std::string& text) {
  QWidget* owner = Owner();
  QMessageBox box(QMessageBox::Question, QStringLiteral("PLANAQ"), MessageText(text),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
  box.setDefaultButton(QMessageBox::Save);
  KeepAboveOwner(&box, owner);
  const int answer = box.exec();
  if (answer == QMessageBox::Save) return SaveChoice::Save;
  if (answer == QMessageBox::Discard) return SaveChoice::Discard;
  return SaveChoice::Cancel;
}

bool QtDialogs::Confirm(const std::string& text) {
  QWidget* owner = Owner();
  QMessageBox box(QMessageBox::Question, QStringLiteral("PLANAQ"), MessageText(text),
                  QMessageBox::Ok | QMessageBox::Cancel, owner);
  box.setDefaultButton(QMessageBox::Ok);
  KeepAboveOwner(&box, owner);
  return box.exec() == QMessageBox::Ok;
}

}  // namespace planaq::ui
