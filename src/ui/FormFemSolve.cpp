// The Solve command of the main window.

#include "ui/FormFem.h"

namespace planaq::ui {

void TFormFem::SpeedButtonCalcClick() { CloseAll(); }

}  // namespace planaq::ui
