// The main window's record of unsaved edits: its title and the question before they are lost.

#include "model/Fingerprint.h"
#include "model/Windows1252.h"
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
  // the file that Save proposes, which is the one it would write
  const std::string target =
      saveSetup_.fileName.empty() ? problem_.FileName : Utf8ToWindows1252(saveSetup_.fileName);
  const std::string question = "Save the changes to " + target + " first?";
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
