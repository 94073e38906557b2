// The main window's record of unsaved edits: its title and the question before they are lost.

#include <functional>

#include "files/Datafile.h"
#include "ui/FormFem.h"

namespace planaq::ui {

namespace {

std::size_t Fingerprint(const std::string& text) { return std::hash<std::string>{}(text); }

}  // namespace

void TFormFem::MarkSaved() {
  const std::string text = FormatDatafile(problem_);
  savedLength_ = text.size();
  savedHash_ = Fingerprint(text);
}

bool TFormFem::HasUnsavedEdits() const {
  if (quitting_) return false;
  const std::string text = FormatDatafile(problem_);
  return text.size() != savedLength_ || Fingerprint(text) != savedHash_;
}

void TFormFem::UpdateTitle() {
  if (quitting_) return;
  setWindowTitle(QStringLiteral("PLANAQ - ") + QString::fromStdString(problem_.FileName) +
                 QStringLiteral("[*]"));
  setWindowModified(HasUnsavedEdits());
}

bool TFormFem::AskBeforeDropping() {
  if (!HasUnsavedEdits()) return true;
  const std::string question = "Save the changes to " + problem_.FileName + " first?";
  switch (dialogs_.AskSave(question)) {
    case SaveChoice::Discard:
      return true;
    case SaveChoice::Cancel:
      return false;
    case SaveChoice::Save:
      break;
  }
  SpeedButtonSaveClick();
  UpdateTitle();
  // a cancelled or failed save keeps the problem, as Cancel does
  return !HasUnsavedEdits();
}

}  // namespace planaq::ui
