// The Solve command of the main window: the cycles run inside the command with the progress
// grid as the only sign of life, then the solved problem is offered for saving. A refused or
// diverged Solve shows its message and offers nothing to save.

#include <QFrame>

#include "solver/Solve.h"
#include "ui/FormFem.h"
#include "ui/FormOpt.h"
#include "ui/SolveProgressGrid.h"
#include "ui/widgets/StringGrid.h"

namespace planaq::ui {

void TFormFem::SpeedButtonCalcClick() {
  CloseAll();
  ShowNotice(ProgressPanel);
  SolveProgressGrid progress(*ProgressGrid);  // Solve starts by blanking Cycle and Iteration
  const LinearSolver solver =
      FormOpt()->Settings().Multigrid ? LinearSolver::Multigrid : LinearSolver::ConjugateGradients;
  const SolveResult result = SolveProblem(problem_, progress, solver);
  if (!result.solved) {
    progress.BlankUnlessStarted();
    dialogs_.Message(result.message);
    ProgressPanel->hide();
    return;
  }
  ShowBalanceNotice();
  if (result.waterLevelWarning) ShowNotice(PanelWarning);
  if (!result.warning.empty()) dialogs_.Message(result.warning);
  if (!result.note.empty()) dialogs_.Message(result.note);
  SpeedButtonSaveClick();
  PanelWarning->hide();
  ProgressPanel->hide();
}

}  // namespace planaq::ui
