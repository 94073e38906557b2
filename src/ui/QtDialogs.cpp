#include "ui/QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSpacerItem>
#include <algorithm>

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

// A text of written lines keeps them: the box is made as wide as its longest line (up to the
// screen), since a message box of its own accord breaks lines longer than some 500 pixels.
void KeepWrittenLines(QMessageBox& box) {
  const QStringList lines = box.text().split(QLatin1Char('\n'));
  if (lines.size() < 2) return;
  const QFontMetrics metrics(box.font());
  int longest = 0;
  for (const QString& line : lines) longest = std::max(longest, metrics.horizontalAdvance(line));
  const QScreen* screen = box.screen();
  const int room = screen ? screen->availableGeometry().width() - 160 : 1000;
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  // the label's column starts after the icon; a spacer under both holds the box open
  const int iconWidth = box.iconPixmap().width() + 40;
  grid->addItem(new QSpacerItem(std::min(longest + iconWidth, room), 0, QSizePolicy::Minimum,
                                QSizePolicy::Fixed),
                grid->rowCount(), 0, 1, grid->columnCount());
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
  KeepWrittenLines(box);
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
  KeepWrittenLines(box);
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
  KeepWrittenLines(box);
  KeepAboveOwner(&box, owner);
  return box.exec() == QMessageBox::Ok;
}

}  // namespace planaq::ui
