#pragma once
// The dialogs of the desktop program, on Qt's message box, file dialog and print dialog. Each
// opens in front of the window whose command opened it (the active window, else the main
// window), and above it when that window stays on top.

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
  bool Confirm(const std::string& text) override;

  // the window a dialog opened now belongs to
  QWidget* Owner() const;

 private:
  std::optional<std::string> RunFileDialog(const FileDialogSetup& setup, bool save);
  QWidget* parent_;
};

}  // namespace planaq::ui
