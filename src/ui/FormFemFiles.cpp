// The Open and Save commands of the main window.

#include <QFrame>

#include "files/Datafile.h"
#include "model/Problem.h"
#include "solver/FlowField.h"
#include "ui/DatafileProgressPanel.h"
#include "ui/FormFem.h"
#include "ui/MemoryGuard.h"
#include "ui/widgets/DialogFields.h"
#include "ui/widgets/StringGrid.h"

namespace planaq::ui {
namespace {

// The folder of a path as the operating system gave it, byte for byte.
std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return std::string();
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

}  // namespace

void TFormFem::SpeedButtonOpenClick() {
  if (!AskBeforeDropping()) return;
  CloseAll();
  const std::optional<std::string> path = dialogs_.OpenFile(openSetup_);
  if (!path) {
    dialogs_.Message("Opening datafile failed or canceled");
    return;
  }
  OpenDatafile(*path);
}

void TFormFem::OpenFromCommandLine(const std::string& path) {
  const std::string folder = FolderOf(path);
  if (!folder.empty()) {
    openSetup_.initialDir = folder;
    saveSetup_.initialDir = folder;
  }
  if (!AskBeforeDropping()) return;
  CloseAll();
  OpenDatafile(path);
  UpdateTitle();  // no toolbar command ran, which would do it
}

void TFormFem::OpenDatafile(const std::string& path) {
  // a problem without edits has none after an open that failed
  const bool unedited = !HasUnsavedEdits();
  ShowNotice(PanelRead);
  const std::string nameBefore = problem_.FileName;
  Outcome read;
  DatafileProgressPanel reading(*PanelRead);
  const bool fits =
      WithinMemory(dialogs_, "Open", [&] { read = ReadDatafile(problem_, path, &reading); });
  if (!fits) problem_.FileName = nameBefore;  // the tables are filled only once all is read
  PanelRead->hide();
  if (read.ok && fits) {
    saveSetup_.fileName = path;
    Refresh();
  } else if (fits) {
    dialogs_.Message(read.message);
  }
  shownGeneral_.fill(std::string("\x01"));  // the names and counts may have changed either way
  RefreshGeneralGrid(false);
  // the particles and the mean discharge follow whatever the model now holds
  WithinMemory(dialogs_, "Open", [&] { PrepareFlowField(problem_); });
  if (read.ok && fits) OpenObservationsBeside(path);
  if (read.ok && fits) OpenGeoreferenceBeside(path);
  if ((read.ok && fits) || unedited) MarkSaved();
}

void TFormFem::SpeedButtonSaveClick() {
  CloseAll();
  const std::optional<std::string> path = dialogs_.SaveFile(saveSetup_);
  if (!path) {
    dialogs_.Message("Saving datafile failed or canceled");
    return;
  }
  ShowNotice(PanelSave);
  const std::string nameBefore = problem_.FileName;
  Outcome written;
  DatafileProgressPanel saving(*PanelSave);
  const bool fits =
      WithinMemory(dialogs_, "Save", [&] { written = WriteDatafile(problem_, *path, &saving); });
  PanelSave->hide();
  if (!fits) {
    problem_.FileName = nameBefore;
    return;
  }
  if (!written.ok) {
    dialogs_.Message(written.message);
    return;
  }
  GeneralGrid->SetCellText(1, 0, problem_.FileName);
  shownGeneral_[0] = problem_.FileName;
  saveSetup_.fileName = *path;  // the next Save proposes the file just written
  SaveObservationsBeside(*path);
  if (const std::string refused = georeference_.Saved(*path); !refused.empty())
    dialogs_.Message(AsSentence(refused));
  MarkSaved();
}

}  // namespace planaq::ui
