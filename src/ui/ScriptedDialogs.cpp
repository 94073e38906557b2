#include "ui/ScriptedDialogs.h"

#include <QPrinter>

namespace planaq::ui {

std::optional<std::string> ScriptedDialogs::NextFile() {
  if (fileAnswers_.empty()) return std::nullopt;
  std::string path = fileAnswers_.front();
  fileAnswers_.pop_front();
  if (path.empty()) return std::nullopt;
  return path;
}

std::optional<std::string> ScriptedDialogs::OpenFile(const FileDialogSetup& setup) {
  openSetups.push_back(setup);
  return NextFile();
}

std::optional<std::string> ScriptedDialogs::SaveFile(const FileDialogSetup& setup) {
  saveSetups.push_back(setup);
  return NextFile();
}

bool ScriptedDialogs::Print(QPrinter& printer) {
  ++printDialogs;
  if (printAnswers_.empty()) return false;
  const std::string pdf = printAnswers_.front();
  printAnswers_.pop_front();
  if (pdf.empty()) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(pdf));
  return true;
}

SaveChoice ScriptedDialogs::AskSave(const std::string& text) {
  questions.push_back(text);
  if (saveAnswers_.empty()) return SaveChoice::Discard;
  const SaveChoice choice = saveAnswers_.front();
  saveAnswers_.pop_front();
  return choice;
}

bool ScriptedDialogs::Confirm(const std::string& text) {
  questions.push_back(text);
  if (confirmAnswers_.empty()) return true;
  const bool ok = confirmAnswers_.front();
  confirmAnswers_.pop_front();
  return ok;
}

}  // namespace planaq::ui
