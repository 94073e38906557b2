// The Solve command of the main window: the cycles run inside the command with the progress
// grid as the only sign of life, then the solved problem is offered for saving. A refused or
// diverged Solve shows its message and offers nothing to save; one that did not converge says
// so before the save dialog. A Solve that runs short of memory leaves the heads as they were.

#include <QFrame>
#include <vector>

#include "solver/Solve.h"
#include "ui/FormFem.h"
#include "ui/FormOpt.h"
#include "ui/MemoryGuard.h"
#include "ui/SolveProgressGrid.h"
#include "ui/widgets/StringGrid.h"

namespace planaq::ui {

void TFormFem::SpeedButtonCalcClick() {
  CloseAll();
  ShowNotice(ProgressPanel);
  SolveProgressGrid progress(*ProgressGrid);  // Solve starts by blanking Cycle and Iteration
  const LinearSolver solver =
      FormOpt()->Settings().Multigrid ? LinearSolver::Multigrid : LinearSolver::ConjugateGradients;
  SolveResult result;
  std::vector<NodeLayers> before;
  const bool warnedBefore = problem_.waterLevelWarning;
  const bool fits = WithinMemory(dialogs_, "Solve", [&] {
    before.reserve(static_cast<std::size_t>(problem_.NN));
    for (int n = 0; n < problem_.NN; ++n) before.push_back(problem_.layers[n]);
    result = SolveProblem(problem_, progress, solver);
  });
  if (!fits) {
    if (before.size() == static_cast<std::size_t>(problem_.NN))
      for (int n = 0; n < problem_.NN; ++n) problem_.layers[n] = before[n];
    problem_.waterLevelWarning = warnedBefore;
    ProgressPanel->hide();
    return;
  }
  if (!result.solved) {
    progress.BlankUnlessStarted();
    dialogs_.Message(result.message);
    ProgressPanel->hide();
    return;
  }
  ShowBalanceNotice();
  if (result.waterLevelWarning) ShowNotice(PanelWarning);
  if (!result.warning.empty()) dialogs_.Message(result.warning);
  if (!result.notConverged.empty()) dialogs_.Message(result.notConverged);
  if (!result.note.empty()) dialogs_.Message(result.note);
  SpeedButtonSaveClick();
  PanelWarning->hide();
  ProgressPanel->hide();
}

}  // namespace planaq::ui
