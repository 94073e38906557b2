// The observations in the main window: the set beside the problem, its side file opened and
// saved with the datafile, and the commands of the Observations window, the scatter figure and
// the fit. The set is not part of the datafile; its edits count as unsaved edits all the same.

#include <QFileInfo>

#include "observe/Observations.h"
#include "ui/FormFem.h"
#include "ui/FormFit.h"
#include "ui/figures/FormContours.h"
#include "ui/figures/FormScatter.h"
#include "ui/grids/FormObservations.h"

namespace planaq::ui {

void TFormFem::BuildObservations() {
  const GridContext grids{problem_, dialogs_, currentLayer_, gridSelection_,
                          [this] { UpdateTitle(); }};
  formObservations_ = new TFormObservations(grids, observations_, this);
  formObservations_->OnChanged([this] { ObservationsChanged(); });
  formScatter_ = new TFormScatter(
      problem_, observations_, dialogs_, printState_, [this] { return openSetup_.initialDir; },
      this);
  formFit_ = new TFormFit(problem_, observations_, dialogs_, this);
  formFit_->OnFitted([this] {
    // the heads and the properties changed: every window shows them again
    Refresh();
    ObservationsChanged();
    if (formObservations_->isVisible()) formObservations_->FormPaint();
  });
  static_cast<TFormContours*>(Window(Win::Contours))->ShowObservations(&observations_);
}

void TFormFem::ObservationsChanged() {
  if (formScatter_ && formScatter_->isVisible()) formScatter_->Redraw();
  UpdateTitle();
}

void TFormFem::CloseObservationWindows() {
  if (formObservations_ && formObservations_->isVisible()) formObservations_->FormClose();
  if (formScatter_) formScatter_->hide();
  if (formFit_ && !formFit_->Running()) formFit_->hide();
}

void TFormFem::Observations1Click() {
  CloseObservationWindows();
  formObservations_->show();
  formObservations_->raise();
  formObservations_->FormActivate();
}

void TFormFem::Scatter1Click() {
  if (observations_.empty()) {
    dialogs_.Message("There are no observations: enter them in the Observations window.");
    return;
  }
  formScatter_->show();
  formScatter_->raise();
  formScatter_->Redraw();
}

void TFormFem::Fit1Click() {
  if (observations_.empty()) {
    dialogs_.Message("There are no observations: enter them in the Observations window.");
    return;
  }
  CloseAll();
  CloseObservationWindows();
  formFit_->show();
  formFit_->raise();
}

void TFormFem::ForgetObservations() {
  observations_.points.clear();
  sideFileUnread_ = false;
}

void TFormFem::OpenObservationsBeside(const std::string& datafile) {
  ForgetObservations();
  const std::string side = ObservationSidePath(datafile);
  if (!QFileInfo::exists(QString::fromStdString(side))) return;
  const ObservationRead read = ReadObservationsFile(side);
  if (read.ok) {
    observations_ = read.set;
    return;
  }
  // a damaged side file stays as it is until observations are entered again
  sideFileUnread_ = true;
  dialogs_.Message(read.message + "\n\nThe observations were not read.");
}

void TFormFem::SaveObservationsBeside(const std::string& datafile) {
  const std::string side = ObservationSidePath(datafile);
  const bool exists = QFileInfo::exists(QString::fromStdString(side));
  if (observations_.empty() && (!exists || sideFileUnread_)) return;
  const std::string refused = WriteObservationsFile(observations_, side);
  if (!refused.empty()) {
    dialogs_.Message(refused);
    return;
  }
  sideFileUnread_ = false;
}

}  // namespace planaq::ui
