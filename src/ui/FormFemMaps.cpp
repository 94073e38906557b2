// The main window's map command: Export Map opens its dialog in front of the main window.

#include "ui/FormExportMap.h"
#include "ui/FormFem.h"

namespace planaq::ui {

void TFormFem::ExportMap1Click() {
  if (!formExportMap_) formExportMap_ = new TFormExportMap(problem_, dialogs_, this);
  formExportMap_->Prepare();
  formExportMap_->show();
  formExportMap_->raise();
}

}  // namespace planaq::ui
