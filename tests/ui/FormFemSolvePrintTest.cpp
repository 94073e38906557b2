// Solve and Print as the user starts them from the main window.

#include <QCheckBox>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>
#include <regex>

#include "UiTest.h"
#include "solver/Multigrid.h"
#include "ui/FormOpt.h"
#include "ui/SecondaryForm.h"

namespace planaq::test {
namespace {

using ui::Win;

// Watches the panels while the save dialog of Solve is up.
class WatchingDialogs : public ui::ScriptedDialogs {
 public:
  std::function<void()> onSave;
  std::optional<std::string> SaveFile(const ui::FileDialogSetup& setup) override {
    if (onSave) onSave();
    return ScriptedDialogs::SaveFile(setup);
  }
};

class SolveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    form = std::make_unique<ui::TFormFem>(dialogs, dir.path());
    dialogs.AnswerFile(WriteProblem(dir, "strip.aqd", StripProblem()));
    form->SpeedButtonOpenClick();
    ASSERT_TRUE(dialogs.messages.empty());
    grid = form->findChild<ui::StringGrid*>("ProgressGrid");
    panel = form->findChild<QWidget*>("ProgressPanel");
  }
  TempDir dir;
  WatchingDialogs dialogs;
  std::unique_ptr<ui::TFormFem> form;
  ui::StringGrid* grid = nullptr;
  QWidget* panel = nullptr;
};

TEST_F(SolveTest, ShowsCycleSixThenOffersTheSaveDialog) {
  form->SpeedButtonNodesClick();
  form->SpeedButtonManualClick();
  bool panelUpDuringSave = false;
  std::string cycleDuringSave;
  dialogs.onSave = [&] {
    panelUpDuringSave = panel->isVisible() || panel->isVisibleTo(form.get());
    cycleDuringSave = grid->CellText(1, 1);
  };
  const std::string solved = dir.File("solved.aqd");
  dialogs.AnswerFile(solved);
  form->SpeedButtonCalcClick();
  EXPECT_FALSE(form->IsOpen(Win::Nodes) || form->IsOpen(Win::Manual)) << "close-all first";
  EXPECT_TRUE(panelUpDuringSave);
  EXPECT_EQ(cycleDuringSave, "           6");
  ASSERT_EQ(dialogs.saveSetups.size(), 1u);
  EXPECT_EQ(dialogs.saveSetups[0].fileName, dir.File("strip.aqd")) << "proposes the file opened";
  EXPECT_FALSE(panel->isVisibleTo(form.get())) << "hidden at the end";
  EXPECT_EQ(grid->CellText(1, 0), "           4") << "the last element assembled";
  // the middle of a strip between 10 m and 4 m lies at 7 m
  EXPECT_NEAR(form->problem().layers[2].F[0], 7.0, 1e-6);
  EXPECT_NEAR(form->problem().layers[3].F[0], 7.0, 1e-6);
  EXPECT_NE(ReadFile(solved).find("     7.000000000,"), std::string::npos)
      << "the solved heads are in the saved file";
}

// Before any multigrid solve in this process: once the library runs, it cannot fail to start.
TEST_F(SolveTest, MultigridThatCannotStartKeepsTheWindowAndItsProblem) {
  if (!MultigridAvailable()) GTEST_SKIP() << "a build without the multigrid solver";
  qputenv("OMPI_MCA_pml", "ucx");  // a transport this machine does not have
  form->FormOpt()->findChild<QRadioButton*>("RadioMultigrid")->click();
  form->show();
  const LayerValues heads = form->problem().layers[2].F;
  QTest::mouseClick(form->findChild<QToolButton*>("SpeedButtonCalc"), Qt::LeftButton);
  qunsetenv("OMPI_MCA_pml");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].rfind("The algebraic multigrid solver could not start: ", 0), 0u)
      << dialogs.messages[0];
  EXPECT_GT(dialogs.messages[0].size(), 50u) << "the cause follows";
  EXPECT_TRUE(dialogs.saveSetups.empty());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->problem().layers[2].F, heads);
  EXPECT_EQ(form->problem().NN, 6);
}

TEST_F(SolveTest, MultigridChosenInTheOptionsSolvesTheSameHeads) {
  if (!MultigridAvailable()) GTEST_SKIP() << "a build without the multigrid solver";
  form->FormOpt()->findChild<QRadioButton*>("RadioMultigrid")->click();
  dialogs.AnswerFile(dir.File("solved.aqd"));
  form->SpeedButtonCalcClick();
  EXPECT_EQ(grid->CellText(1, 1), "           6");
  EXPECT_NEAR(form->problem().layers[2].F[0], 7.0, 1e-6);
  EXPECT_NEAR(form->problem().layers[3].F[0], 7.0, 1e-6);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SolveTest, CancelledSaveKeepsTheResultsAndSaysSo) {
  form->SpeedButtonCalcClick();
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Saving datafile failed or canceled"});
  EXPECT_NEAR(form->problem().layers[2].F[0], 7.0, 1e-6);
  EXPECT_FALSE(panel->isVisibleTo(form.get()));
}

TEST_F(SolveTest, WaterBelowTheBottomShowsTheWarningWhileSaving) {
  Problem& p = form->problem();
  for (int n = 0; n < p.NN; ++n) {
    p.layers[n].B[0] = 8.0;  // the right side lies below it
    p.layers[n].T[0] = 12.0;
  }
  QWidget* warning = form->findChild<QWidget*>("PanelWarning");
  bool warned = false;
  dialogs.onSave = [&] { warned = warning->isVisibleTo(form.get()); };
  form->SpeedButtonCalcClick();
  EXPECT_TRUE(warned);
  EXPECT_FALSE(warning->isVisibleTo(form.get()));
}

TEST_F(SolveTest, RefusedShowsTheMessageAndOffersNoSave) {
  Problem& p = form->problem();
  for (int n = 0; n < p.NN; ++n) p.nodes[n].Type = 0;  // no head given anywhere
  const LayerValues heads = p.layers[2].F;
  form->SpeedButtonCalcClick();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(
      dialogs.messages[0].rfind("No head is given in layer 1 at nodes connected to node 1:", 0),
      0u);
  EXPECT_TRUE(dialogs.saveSetups.empty());
  EXPECT_EQ(p.layers[2].F, heads);
  EXPECT_FALSE(panel->isVisibleTo(form.get()));
}

int PdfPages(const std::string& path) {
  const std::string pdf = ReadFile(path);
  const std::regex page("/Type\\s*/Page[^s]");
  return static_cast<int>(
      std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

TEST_F(MainWindowTest, PrintCancelledPrintsNothing) {
  form->Print1Click();
  EXPECT_EQ(dialogs.printDialogs, 1);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_FALSE(Panel("PanelWait")->isVisibleTo(form.get()));
}

TEST_F(MainWindowTest, PrintFollowsTheOptions) {
  const std::string general = dir.File("general.pdf");
  dialogs.AnswerPrint(general);
  Trigger("Print1");
  ASSERT_EQ(ReadFile(general).rfind("%PDF", 0), 0u);
  const int generalPages = PdfPages(general);
  EXPECT_GE(generalPages, 1);

  form->FormOpt()->findChild<QCheckBox*>("CheckMesh")->setChecked(true);
  const std::string withMesh = dir.File("mesh.pdf");
  dialogs.AnswerPrint(withMesh);
  Button("SpeedButtonPrint")->setEnabled(true);
  Button("SpeedButtonPrint")->click();
  EXPECT_EQ(PdfPages(withMesh), generalPages + 1) << "the mesh has a page of its own";
  EXPECT_FALSE(Panel("PanelWait")->isVisibleTo(form.get()));
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace planaq::test
