// The main window's record of unsaved edits: its title and the question before they are lost.

#include "model/Fingerprint.h"
#include "ui/FormFem.h"

namespace planaq::ui {

void TFormFem::MarkSaved() {
  savedFingerprint_ = DatafileFingerprint(problem_);
  savedObservations_ = FormatObservationsCsv(observations_);
}

bool TFormFem::HasUnsavedEdits() const {
  if (quitting_) return false;
  return DatafileFingerprint(problem_) != savedFingerprint_ ||
         FormatObservationsCsv(observations_) != savedObservations_;
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
