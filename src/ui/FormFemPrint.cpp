// The Print command of the main window: the data report on the printer.

#include "ui/FormFem.h"

namespace planaq::ui {

void TFormFem::Print1Click() {}

}  // namespace planaq::ui
