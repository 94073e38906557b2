// The Open and Save commands of the main window.

#include <QFileInfo>
#include <QFrame>

#include "files/Datafile.h"
#include "solver/FlowField.h"
#include "ui/FormFem.h"
#include "ui/widgets/StringGrid.h"

namespace planaq::ui {

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
  const std::string folder = QFileInfo(QString::fromStdString(path)).absolutePath().toStdString();
  openSetup_.initialDir = folder;
  saveSetup_.initialDir = folder;
  if (!AskBeforeDropping()) return;
  CloseAll();
  OpenDatafile(path);
  UpdateTitle();  // no toolbar command ran, which would do it
}

void TFormFem::OpenDatafile(const std::string& path) {
  const bool readable = QFileInfo(QString::fromStdString(path)).isReadable();
  if (readable) {
    ShowNotice(PanelRead);
    saveSetup_.fileName = path;
  }
  const Outcome read = ReadDatafile(problem_, path);
  PanelRead->hide();
  if (read.ok)
    Refresh();
  else
    dialogs_.Message(read.message);
  shownGeneral_.fill(std::string("\x01"));  // the names and counts may have changed either way
  RefreshGeneralGrid(false);
  // the particles and the mean discharge follow whatever the model now holds
  PrepareFlowField(problem_);
  if (read.ok) OpenObservationsBeside(path);
  if (read.ok) MarkSaved();
}

void TFormFem::SpeedButtonSaveClick() {
  CloseAll();
  const std::optional<std::string> path = dialogs_.SaveFile(saveSetup_);
  if (!path) {
    dialogs_.Message("Saving datafile failed or canceled");
    return;
  }
  ShowNotice(PanelSave);
  const Outcome written = WriteDatafile(problem_, *path);
  PanelSave->hide();
  if (!written.ok) {
    dialogs_.Message(written.message);
    return;
  }
  GeneralGrid->SetCellText(1, 0, problem_.FileName);
  shownGeneral_[0] = problem_.FileName;
  saveSetup_.fileName = *path;  // the next Save proposes the file just written
  SaveObservationsBeside(*path);
  MarkSaved();
}

}  // namespace planaq::ui
