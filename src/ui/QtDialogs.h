#pragma once
// The dialogs of the desktop program, on Qt's message box, file dialog and print dialog.

#include "ui/Dialogs.h"

class QWidget;

namespace planaq::ui {

class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  void Message(const std::string& text) override;
  std::optional<std::string> OpenFile(const FileDialogSetup& setup) override;
  std::optional<std::string> SaveFile(const FileDialogSetup& setup) override;
  bool Print(QPrinter& printer) override;
  SaveChoice AskSave(const std::string& text) override;

 private:
  QWidget* parent_;
};

}  // namespace planaq::ui
