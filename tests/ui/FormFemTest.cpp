// The main window: start-up, the General Grid, the open-states of the secondary windows and
// the enabling of the commands.

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include "UiTest.h"
#include "ui/GeneralData.h"
#include "ui/HelpTexts.h"
#include "ui/SecondaryForm.h"

namespace planaq::test {
namespace {

using ui::Win;

TEST_F(MainWindowTest, StartUpFillsTheGridsAndSelectsProblemName) {
  ui::StringGrid* general = Grid("GeneralGrid");
  ui::StringGrid* installation = Grid("InstallationGrid");
  EXPECT_EQ(form->windowTitle(), QStringLiteral("PLANAQ - Data1.aqd[*]"));
  EXPECT_EQ(general->Row(), 6);
  EXPECT_EQ(general->Col(), 1);
  EXPECT_EQ(installation->Row(), 0);
  EXPECT_EQ(installation->Col(), 1);
  EXPECT_EQ(installation->CellText(0, 2), "NMAX");
  EXPECT_EQ(installation->CellText(1, 0), "Vivideri re Zerevireder");
  EXPECT_EQ(installation->CellText(1, 1), "          48");
  EXPECT_EQ(general->CellText(0, 7), "LX (m)");
  EXPECT_FALSE(Panel("ProgressPanel")->isVisibleTo(form.get()));
  EXPECT_FALSE(Panel("PanelWarning")->isVisibleTo(form.get()));
  auto* progress = Grid("ProgressGrid");
  EXPECT_EQ(progress->CellText(0, 3), "Log(error)");
  EXPECT_EQ(form->Cycles(), 6);
}

TEST_F(MainWindowTest, WindowTakesTheScreenLessOneHundred) {
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  EXPECT_EQ(form->geometry().size(), QSize(screen.width() - 100, screen.height() - 100));
  EXPECT_EQ(form->minimumSize(), QSize(screen.width() / 2, screen.height() / 2));
  form->resize(10, 10);
  EXPECT_GE(form->width(), screen.width() / 2);
  EXPECT_GE(form->height(), screen.height() / 2);
}

TEST_F(MainWindowTest, ProgressPanelStaysCentredOnResize) {
  form->resize(900, 700);
  QWidget* panel = Panel("ProgressPanel");
  QWidget* client = panel->parentWidget();
  EXPECT_LE(std::abs(panel->x() + panel->width() / 2 - client->width() / 2), 1);
  EXPECT_EQ(panel->y(), (client->height() - panel->height()) * 3 / 4);
}

TEST_F(MainWindowTest, DataCommandsWaitForTheFirstRepaint) {
  const char* const data[] = {"SpeedButtonNodes", "SpeedButtonElements", "SpeedButtonMesh",
                              "SpeedButtonSave", "SpeedButtonPrint", "SpeedButtonWells",
                              "SpeedButtonParticles"};
  for (const char* name : data) EXPECT_FALSE(Button(name)->isEnabled()) << name;
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  QCoreApplication::processEvents();
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(Button(data[i])->isEnabled()) << data[i];
  EXPECT_FALSE(Button("SpeedButtonWells")->isEnabled()) << "no wells";
  EXPECT_FALSE(Button("SpeedButtonParticles")->isEnabled()) << "no particles";
}

struct HintCase {
  const char* button;
  const char* hint;
};
class ToolbarHint : public MainWindowTest, public ::testing::WithParamInterface<HintCase> {};
TEST_P(ToolbarHint, IsTheDocumentedHintBesideItsGlyph) {
  QToolButton* button = Button(GetParam().button);
  EXPECT_EQ(button->toolTip().toStdString(), GetParam().hint);
  EXPECT_FALSE(button->icon().isNull());
  EXPECT_FALSE(button->icon().pixmap(QSize(16, 16)).toImage().isNull());
}
INSTANTIATE_TEST_SUITE_P(
    Buttons, ToolbarHint,
    ::testing::Values(HintCase{"SpeedButtonOpen", "Open"}, HintCase{"SpeedButtonNew", "New Mesh"},
                      HintCase{"SpeedButtonEdit", "Edit Blocks"}, HintCase{"SpeedButtonSave", "Save"},
                      HintCase{"SpeedButtonPrint", "Print"}, HintCase{"SpeedButtonOptions", "Options"},
                      HintCase{"SpeedButtonSoils", "Properties"},
                      HintCase{"SpeedButtonNodes", "List of Nodes"},
                      HintCase{"SpeedButtonElements", "List of Elements"},
                      HintCase{"SpeedButtonMesh", "Edit Mesh"}, HintCase{"SpeedButtonWells", "Wells"},
                      HintCase{"SpeedButtonParticles", "Particles"},
                      HintCase{"SpeedButtonCalc", "Solve"}, HintCase{"SpeedButtonContours", "Contours"},
                      HintCase{"SpeedButton3D", "3D-Graph"}, HintCase{"SpeedButtonManual", "Manual"},
                      HintCase{"SpeedButtonHelp", "Help"}),
    [](const auto& info) { return std::string(info.param.button); });

// ---- the General Grid ----

TEST_F(MainWindowTest, LXZeroKeepsTheSelectionAndLeavingAgainStoresHundred) {
  ui::StringGrid* g = Grid("GeneralGrid");
  EXPECT_FALSE(EnterAndLeave(g, 7, "0", 8));
  EXPECT_EQ(LastMessage(), "Enter positive real number");
  EXPECT_EQ(g->CellText(1, 7), "        100.000");
  EXPECT_EQ(form->problem().LX, 2000.0);
  EXPECT_EQ(g->Row(), 7);
  form->FormPaint();  // a repaint does not undo what the cell shows
  EXPECT_EQ(g->CellText(1, 7), "        100.000");
  EXPECT_TRUE(g->MoveTo(1, 8));
  EXPECT_EQ(form->problem().LX, 100.0);
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

struct LeaveCase {
  const char* name;
  int row;
  const char* typed;
  const char* message;
  int stored;
};
class GeneralGridLeave : public MainWindowTest, public ::testing::WithParamInterface<LeaveCase> {};
TEST_P(GeneralGridLeave, CorrectsStoresAndMovesOn) {
  const LeaveCase& c = GetParam();
  ui::StringGrid* g = Grid("GeneralGrid");
  EXPECT_TRUE(EnterAndLeave(g, c.row, c.typed, c.row + 1));
  EXPECT_EQ(LastMessage(), c.message);
  const int value = c.row == ui::kRowNL ? form->problem().NL : form->problem().NP;
  EXPECT_EQ(value, c.stored);
  char shown[32];
  std::snprintf(shown, sizeof shown, "%12d", c.stored);
  EXPECT_EQ(g->CellText(1, c.row), shown);
}
INSTANTIATE_TEST_SUITE_P(
    Rows, GeneralGridLeave,
    ::testing::Values(LeaveCase{"NLNine", ui::kRowNL, "9", "Enter integer value <= 6", 6},
                      LeaveCase{"NLZero", ui::kRowNL, "0", "Enter integer value >= 1", 1},
                      LeaveCase{"NPAbovePMAX", ui::kRowNP, "250", "Enter integer value <= PMAX", 100},
                      LeaveCase{"NPNegative", ui::kRowNP, "-2", "Enter integer value >= 0", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, EnterOnTMGoesBackToProblemName) {
  ui::StringGrid* g = Grid("GeneralGrid");
  form->show();
  g->Select(1, 11);
  QTest::keyClick(g, Qt::Key_Return);
  EXPECT_EQ(g->Row(), 6);
  EXPECT_TRUE(g->Editing());
}

TEST_F(MainWindowTest, RaisingNPStartsNewParticlesAtTheOrigin) {
  Problem& p = form->problem();
  for (int i = 0; i < 3; ++i) p.particles[i].X0 = p.particles[i].Y0 = p.particles[i].Z0 = 7.0;
  ui::StringGrid* g = Grid("GeneralGrid");
  EXPECT_TRUE(EnterAndLeave(g, ui::kRowNP, "2", ui::kRowTM));
  EXPECT_EQ(p.previous.NP, 2);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(p.particles[i].X0 + p.particles[i].Y0 + p.particles[i].Z0, 0.0);
  EXPECT_EQ(p.particles[2].X0, 7.0) << "a particle beyond NP is not touched";
}

TEST_F(MainWindowTest, LeavingAGeneralCellClosesTheEditingWindows) {
  form->SpeedButtonSoilsClick();
  form->SpeedButtonManualClick();
  ASSERT_TRUE(form->IsOpen(Win::Soils));
  Grid("GeneralGrid")->MoveTo(1, 7);
  EXPECT_FALSE(form->IsOpen(Win::Soils));
  EXPECT_FALSE(form->Window(Win::Soils)->isVisible());
  EXPECT_TRUE(form->IsOpen(Win::Manual)) << "the manual is not in the list";
}

// ---- open-states ----

struct WindowCase {
  const char* name;
  Win window;
  void (ui::TFormFem::*command)();
  const char* caption;
};
class WindowToggle : public MainWindowTest, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(WindowToggle, CommandTogglesAndCloseHandlerClearsTheState) {
  const WindowCase& c = GetParam();
  EXPECT_EQ(form->Window(c.window)->windowTitle().toStdString(), c.caption);
  (form.get()->*c.command)();
  EXPECT_TRUE(form->IsOpen(c.window));
  EXPECT_TRUE(form->Window(c.window)->isVisible());
  (form.get()->*c.command)();
  EXPECT_FALSE(form->IsOpen(c.window));
  EXPECT_FALSE(form->Window(c.window)->isVisible());
  (form.get()->*c.command)();
  form->Window(c.window)->close();  // the window's own close button
  EXPECT_FALSE(form->IsOpen(c.window));
  EXPECT_FALSE(form->Window(c.window)->isVisible());
  (form.get()->*c.command)();
  EXPECT_TRUE(form->IsOpen(c.window)) << "shown again after its own close";
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WindowToggle,
    ::testing::Values(
        WindowCase{"Options", Win::Options, &ui::TFormFem::SpeedButtonOptionsClick, "Options"},
        WindowCase{"Nodes", Win::Nodes, &ui::TFormFem::SpeedButtonNodesClick, "Nodes"},
        WindowCase{"Elements", Win::Elements, &ui::TFormFem::SpeedButtonElementsClick, "Elements"},
        WindowCase{"Mesh", Win::Mesh, &ui::TFormFem::SpeedButtonMeshClick, "Edit Mesh"},
        WindowCase{"Edit", Win::Edit, &ui::TFormFem::SpeedButtonEditClick, "Edit Blocks"},
        WindowCase{"Soils", Win::Soils, &ui::TFormFem::SpeedButtonSoilsClick, "Block Properties"},
        WindowCase{"Contours", Win::Contours, &ui::TFormFem::SpeedButtonContoursClick, "Contours"},
        WindowCase{"Graph3D", Win::Graph3D, &ui::TFormFem::SpeedButton3DClick, "3D-Graph"},
        WindowCase{"Manual", Win::Manual, &ui::TFormFem::SpeedButtonManualClick, "Manual"},
        WindowCase{"Wells", Win::Wells, &ui::TFormFem::SpeedButtonWellsClick, "Wells"},
        WindowCase{"Particles", Win::Particles, &ui::TFormFem::SpeedButtonParticlesClick,
                   "Particles"}),
    [](const auto& info) { return std::string(info.param.name); });

// Which windows a command closes before it acts, by the command table of the main window.
struct CloseCase {
  const char* name;
  void (ui::TFormFem::*command)();
  Win own;
  std::vector<Win> kept;  // the windows the command leaves open
};
class CommandCloses : public MainWindowTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CommandCloses, TheDocumentedWindows) {
  const CloseCase& c = GetParam();
  const std::vector<void (ui::TFormFem::*)()> openers = {
      &ui::TFormFem::SpeedButtonNodesClick, &ui::TFormFem::SpeedButtonElementsClick,
      &ui::TFormFem::SpeedButtonManualClick,
      &ui::TFormFem::SpeedButtonWellsClick, &ui::TFormFem::SpeedButtonParticlesClick};
  for (auto opener : openers) (form.get()->*opener)();
  form->SpeedButtonOptionsClick();
  (form.get()->*c.command)();
  EXPECT_TRUE(form->IsOpen(c.own));
  const Win all[] = {Win::Options, Win::Nodes, Win::Elements, Win::Manual, Win::Wells,
                     Win::Particles};
  for (Win w : all) {
    if (w == c.own) continue;
    const bool kept = std::find(c.kept.begin(), c.kept.end(), w) != c.kept.end();
    EXPECT_EQ(form->IsOpen(w), kept) << static_cast<int>(w);
    EXPECT_EQ(form->Window(w)->isVisible(), kept) << static_cast<int>(w);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandCloses,
    ::testing::Values(
        CloseCase{"EditBlocks", &ui::TFormFem::SpeedButtonEditClick, Win::Edit, {}},
        CloseCase{"EditMesh", &ui::TFormFem::SpeedButtonMeshClick, Win::Mesh, {}},
        CloseCase{"Contours", &ui::TFormFem::SpeedButtonContoursClick, Win::Contours, {}},
        CloseCase{"Graph3D", &ui::TFormFem::SpeedButton3DClick, Win::Graph3D, {}},
        CloseCase{"Properties", &ui::TFormFem::SpeedButtonSoilsClick, Win::Soils,
                  {Win::Options, Win::Nodes, Win::Elements, Win::Manual, Win::Wells, Win::Particles}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, OptionsClosesContoursAnd3DOnly) {
  form->SpeedButtonContoursClick();
  form->SpeedButtonNodesClick();
  form->SpeedButtonOptionsClick();
  EXPECT_FALSE(form->IsOpen(Win::Contours));
  EXPECT_TRUE(form->IsOpen(Win::Nodes));
  EXPECT_TRUE(form->IsOpen(Win::Options));
  form->SpeedButton3DClick();  // closes options
  form->SpeedButtonOptionsClick();
  EXPECT_FALSE(form->IsOpen(Win::Graph3D));
  EXPECT_TRUE(form->IsOpen(Win::Options));
}

TEST_F(MainWindowTest, EditBlocksTakesTheSnapshotAndClosesItselfTheSecondTime) {
  form->problem().NN = 3;
  form->problem().previous.NN = 99;
  form->SpeedButtonEditClick();
  EXPECT_EQ(form->problem().previous.NN, 3);
  form->SpeedButtonEditClick();
  EXPECT_FALSE(form->IsOpen(Win::Edit));
  EXPECT_FALSE(form->Window(Win::Edit)->isVisible());
}

// ---- the menu items that wait for their button ----

TEST_F(MainWindowTest, MenuSaysOpenDatafileFirstWhileDisabled) {
  for (const char* item : {"Nodes1", "Elements1", "Mesh1"}) {
    dialogs.messages.clear();
    Trigger(item);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Open datafile first"}) << item;
  }
  EXPECT_FALSE(form->IsOpen(Win::Nodes) || form->IsOpen(Win::Elements) || form->IsOpen(Win::Mesh));
  dialogs.messages.clear();
  Trigger("Wells1");
  Trigger("Particles1");
  EXPECT_TRUE(dialogs.messages.empty()) << "Wells and Particles do nothing while disabled";
  EXPECT_FALSE(form->IsOpen(Win::Wells) || form->IsOpen(Win::Particles));
}

TEST_F(MainWindowTest, MenuRunsTheCommandOnceEnabled) {
  form->FormPaint();
  Trigger("Nodes1");
  EXPECT_TRUE(form->IsOpen(Win::Nodes));
  Trigger("Mesh1");
  EXPECT_TRUE(form->IsOpen(Win::Mesh));
  EXPECT_FALSE(form->IsOpen(Win::Nodes)) << "Edit Mesh closes the nodes window";
  EXPECT_TRUE(dialogs.messages.empty());
}

// ---- help, quit ----

TEST_F(MainWindowTest, HelpButtonsShowTheirTexts) {
  Button("SpeedButtonHelp")->click();
  Trigger("About1");
  Button("SpeedButtonHelpGeneral")->click();
  Button("SpeedButtonHelpInstallation")->click();
  ASSERT_EQ(dialogs.messages.size(), 4u);
  EXPECT_EQ(dialogs.messages[0].rfind("PLANAQ is a program for the analysis of steady plane "
                                      "groundwater flow in a layered aquifer, using the finite",
                                      0),
            0u);
  EXPECT_NE(dialogs.messages[0].find("- Quit : Exit program.\n"), std::string::npos);
  EXPECT_NE(dialogs.messages[0].find("button.\n" + std::string(118, '-') + "\n"), std::string::npos);
  EXPECT_NE(dialogs.messages[1].find("January 2004"), std::string::npos);
  EXPECT_EQ(dialogs.messages[2].rfind("General Data\n\nTo be modified during execution", 0), 0u);
  EXPECT_NE(dialogs.messages[3].find("stored in the file PLANAQ.txt, which is read and saved "
                                     "automatically."),
            std::string::npos);
}

TEST_F(MainWindowTest, QuitEndsWithoutAskingOrSaving) {
  Trigger("Quit1");
  EXPECT_EQ(quits, 1);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(dialogs.saveSetups.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.File("Data1.aqd")));
}

}  // namespace
}  // namespace planaq::test
