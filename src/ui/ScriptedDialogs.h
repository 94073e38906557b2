#pragma once
// Dialogs that answer from a script and record what they were asked, for tests: a file dialog
// with no answer left behaves as if the user cancelled, so nothing ever waits.

#include <deque>
#include <string>
#include <vector>

#include "ui/Dialogs.h"

namespace planaq::ui {

class ScriptedDialogs : public Dialogs {
 public:
  // The next file dialog returns path; an empty string cancels it.
  void AnswerFile(const std::string& path) { fileAnswers_.push_back(path); }
  // The next print dialog prints to this PDF file; an empty string cancels it.
  void AnswerPrint(const std::string& pdfPath) { printAnswers_.push_back(pdfPath); }
  // The next unsaved-edits question gets this answer; with none left it is Discard, which is
  // what the program did before it asked.
  void AnswerSave(SaveChoice choice) { saveAnswers_.push_back(choice); }
  // The next OK / Cancel question gets this answer; with none left it is OK.
  void AnswerConfirm(bool ok) { confirmAnswers_.push_back(ok); }

  void Message(const std::string& text) override { messages.push_back(text); }
  std::optional<std::string> OpenFile(const FileDialogSetup& setup) override;
  std::optional<std::string> SaveFile(const FileDialogSetup& setup) override;
  bool Print(QPrinter& printer) override;
  SaveChoice AskSave(const std::string& text) override;
  bool Confirm(const std::string& text) override;

  std::vector<std::string> messages;
  std::vector<FileDialogSetup> openSetups;
  std::vector<FileDialogSetup> saveSetups;
  int printDialogs = 0;
  std::vector<std::string> questions;

 private:
  std::optional<std::string> NextFile();
  std::deque<std::string> fileAnswers_;
  std::deque<std::string> printAnswers_;
  std::deque<SaveChoice> saveAnswers_;
  std::deque<bool> confirmAnswers_;
};

}  // namespace planaq::ui
