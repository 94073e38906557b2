// The main window's maps: Export Map opens its dialog in front of the main window, and the
// georeference beside a datafile is read when the datafile is opened.

#include "ui/FormExportMap.h"
#include "ui/FormFem.h"
#include "ui/FormOpt.h"
#include "ui/widgets/DialogFields.h"

namespace planaq::ui {

void TFormFem::ExportMap1Click() {
  if (!formExportMap_) formExportMap_ = new TFormExportMap(problem_, dialogs_, georeference_, this);
  formExportMap_->Prepare();
  formExportMap_->show();
  formExportMap_->raise();
}

void TFormFem::OpenGeoreferenceBeside(const std::string& datafile) {
  if (const std::string refused = georeference_.Open(datafile); !refused.empty()) {
    dialogs_.Message(AsSentence(refused));
    return;
  }
  const Georeference& g = georeference_.Value();
  // the background map lies where the exported layers will
  if (g.X0 != 0.0 || g.Y0 != 0.0) FormOpt()->SetMapOrigin(g.X0, g.Y0);
}

}  // namespace planaq::ui
