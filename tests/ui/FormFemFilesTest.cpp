// Open, Save and New as the user sees them, and the installation file written by the
// Installation Grid.

#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "UiTest.h"
#include "mesh/Split.h"
#include "ui/GeneralData.h"
#include "ui/SecondaryForm.h"

namespace planaq::test {
namespace {

using ui::Win;

void OpenSome(ui::TFormFem& form) {
  form.SpeedButtonNodesClick();
  form.SpeedButtonManualClick();
  form.SpeedButtonOptionsClick();
}

bool AnyOpen(const ui::TFormFem& form) {
  for (int i = 0; i < ui::kWindowCount; ++i)
    if (form.IsOpen(static_cast<Win>(i)) || form.Window(static_cast<Win>(i))->isVisible())
      return true;
  return false;
}

TEST_F(MainWindowTest, CancelledOpenClosesAllAndSaysSo) {
  OpenSome(*form);
  form->SpeedButtonOpenClick();
  EXPECT_FALSE(AnyOpen(*form));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Opening datafile failed or canceled"});
  EXPECT_EQ(form->problem().NN, 3) << "nothing else runs";
}

TEST_F(MainWindowTest, CancelledSaveClosesAllAndSaysSo) {
  OpenSome(*form);
  form->SpeedButtonSaveClick();
  EXPECT_FALSE(AnyOpen(*form));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Saving datafile failed or canceled"});
}

TEST_F(MainWindowTest, DialogsStartInTheWorkingFolderWithData1) {
  form->SpeedButtonOpenClick();
  form->SpeedButtonSaveClick();
  for (const ui::FileDialogSetup& s : {dialogs.openSetups.at(0), dialogs.saveSetups.at(0)}) {
    EXPECT_EQ(s.filter, "AQD(*.aqd)|*.aqd");
    EXPECT_EQ(s.defaultExt, "*.aqd");
    EXPECT_EQ(s.initialDir, dir.path());
    EXPECT_EQ(s.fileName, "Data1.aqd");
  }
}

TEST_F(MainWindowTest, OpenFillsTheGridAndEnablesWellsAndParticles) {
  const std::string path = WriteProblem(dir, "wells.aqd", SquareProblem(2, 3));
  dialogs.AnswerFile(path);
  form->SpeedButtonOpenClick();
  EXPECT_TRUE(dialogs.messages.empty()) << LastMessage();
  ui::StringGrid* g = Grid("GeneralGrid");
  EXPECT_EQ(g->CellText(1, ui::kRowFileName), "wells.aqd");
  EXPECT_EQ(g->CellText(1, ui::kRowProblemName), "Square");
  EXPECT_EQ(g->CellText(1, ui::kRowNW), "           2");
  EXPECT_EQ(g->CellText(1, ui::kRowNN), "           4");
  EXPECT_TRUE(Button("SpeedButtonWells")->isEnabled());
  EXPECT_TRUE(Button("SpeedButtonParticles")->isEnabled());
  EXPECT_TRUE(Button("SpeedButtonNodes")->isEnabled());
  EXPECT_EQ(form->SaveSetup().fileName, path) << "Save proposes the file just opened";
  EXPECT_EQ(form->problem().previous.NN, 4);
  EXPECT_FALSE(Panel("PanelRead")->isVisible());
  Trigger("Wells1");
  EXPECT_TRUE(form->IsOpen(Win::Wells));
}

// The captions a notice panel shows while events are processed during fn; none are processed
// before or after it, since the commands run to their end.
template <typename Fn>
QStringList CaptionsDuring(QLabel* caption, Fn fn) {
  QStringList seen;
  QTimer timer;
  // a zero interval would fire again within the same turn of the event loop, without end
  timer.setInterval(1);
  QObject::connect(&timer, &QTimer::timeout, [&] { seen << caption->text(); });
  timer.start();
  fn();
  timer.stop();
  return seen;
}

// Every caption is the written one with a share done, and the shares grow.
void ExpectCountingCaptions(const QStringList& seen, const QString& written) {
  ASSERT_FALSE(seen.empty()) << "no event was processed while the file was read or written";
  const QRegularExpression counting("^" + QRegularExpression::escape(written) + " ?(\\d+) %$");
  int last = -1;
  for (const QString& caption : seen) {
    const QRegularExpressionMatch m = counting.match(caption);
    ASSERT_TRUE(m.hasMatch()) << caption.toStdString();
    EXPECT_GT(m.captured(1).toInt(), last);
    EXPECT_LT(m.captured(1).toInt(), 100);
    last = m.captured(1).toInt();
  }
}

TEST_F(MainWindowTest, LargeDatafileShowsHowFarReadingAndSavingAreWhileTheWindowPaints) {
  Problem large;
  large.StartUp(Capacities{});
  for (int i = 0; i < 7; ++i) SplitElements4(large);  // 8,385 nodes, a file of about 4 MB
  const std::string path = WriteProblem(dir, "large.aqd", large);
  auto* reading = form->findChild<QLabel*>("PanelReadCaption");
  const QString readCaption = reading->text();
  dialogs.AnswerFile(path);
  ExpectCountingCaptions(CaptionsDuring(reading, [&] { form->SpeedButtonOpenClick(); }),
                         "Reading datafile, Please wait");
  EXPECT_TRUE(dialogs.messages.empty()) << LastMessage();
  EXPECT_EQ(form->problem().NN, 8385);
  EXPECT_EQ(reading->text(), readCaption);

  auto* saving = form->findChild<QLabel*>("PanelSaveCaption");
  dialogs.AnswerFile(dir.File("saved.aqd"));
  ExpectCountingCaptions(CaptionsDuring(saving, [&] { form->SpeedButtonSaveClick(); }),
                         "Saving datafile, Please wait");
  EXPECT_EQ(saving->text(), "Saving datafile, Please wait");
  EXPECT_EQ(form->problem().FileName, "saved.aqd");
  // a plain comparison: a difference report of two 4 MB texts would take very long
  EXPECT_TRUE(ReadFile(dir.File("saved.aqd")) == FormatDatafile(form->problem()));
}

TEST_F(MainWindowTest, OpenWithoutWellsLeavesWellsDisabled) {
  dialogs.AnswerFile(WriteProblem(dir, "plain.aqd", SquareProblem(0, 0)));
  form->SpeedButtonOpenClick();
  EXPECT_FALSE(Button("SpeedButtonWells")->isEnabled());
  EXPECT_FALSE(Button("SpeedButtonParticles")->isEnabled());
  Trigger("Wells1");
  Trigger("Particles1");
  EXPECT_FALSE(form->IsOpen(Win::Wells));
  EXPECT_FALSE(form->IsOpen(Win::Particles));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainWindowTest, OpenOfAMissingFileSaysUnknownName) {
  const std::string path = dir.File("absent.aqd");
  dialogs.AnswerFile(path);
  form->SpeedButtonOpenClick();
  EXPECT_EQ(LastMessage(), "Reading datafile failed.  Unknown name ?");
  EXPECT_EQ(form->SaveSetup().fileName, "Data1.aqd") << "nothing was opened";
  EXPECT_EQ(form->problem().NN, 3);
}

TEST_F(MainWindowTest, FileOnTheCommandLineOpensAsOpenWouldAndTheDialogsStartThere) {
  TempDir other;
  const std::string path = WriteProblem(other, "square.aqd", SquareProblem(1, 2));
  form->OpenFromCommandLine(path);
  EXPECT_TRUE(dialogs.messages.empty()) << LastMessage();
  EXPECT_TRUE(dialogs.openSetups.empty()) << "no file dialog";
  EXPECT_EQ(form->problem().NN, 4);
  EXPECT_EQ(form->SaveSetup().fileName, path);
  EXPECT_EQ(form->OpenSetup().initialDir, other.path());
  EXPECT_EQ(form->SaveSetup().initialDir, other.path());
  form->OpenFromCommandLine(other.File("absent.aqd"));
  EXPECT_EQ(LastMessage(), "Reading datafile failed.  Unknown name ?");
}

TEST_F(MainWindowTest, OpenAboveCapacityRestoresTheNames) {
  Problem big = SquareProblem(0, 0);
  big.caps.PMAX = 300;
  big.particles.resize(300);
  big.NP = 200;
  dialogs.AnswerFile(WriteProblem(dir, "many.aqd", big));
  form->SpeedButtonOpenClick();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0],
            "Capacity exceeded\n\nThe number of particles in the problem is too large.\n\n"
            "The capacity of the program can be increased by increasing the value of "
            "PMAX in the Installation Grid.");
  ui::StringGrid* g = Grid("GeneralGrid");
  EXPECT_EQ(g->CellText(1, ui::kRowFileName), "Data1.aqd");
  EXPECT_EQ(g->CellText(1, ui::kRowProblemName), "Example 1");
}

TEST_F(MainWindowTest, SaveWritesTheFileAndShowsItsBaseName) {
  OpenSome(*form);
  const std::string path = dir.File("saved.aqd");
  dialogs.AnswerFile(path);
  form->SpeedButtonSaveClick();
  EXPECT_FALSE(AnyOpen(*form));
  EXPECT_TRUE(dialogs.messages.empty()) << LastMessage();
  EXPECT_EQ(Grid("GeneralGrid")->CellText(1, ui::kRowFileName), "saved.aqd");
  const std::string text = ReadFile(path);
  EXPECT_EQ(text.rfind("#  PLANAQ -- Finite Element Method for Plane Groundwater Flow\n#  File "
                       "Name\nsaved.aqd,\n#  Problem Name\nDefault Datafile,\n",
                       0),
            0u);
  EXPECT_FALSE(Panel("PanelSave")->isVisible());
}

TEST_F(MainWindowTest, SaveIntoAMissingFolderSaysDiskFullThenTheCause) {
  dialogs.AnswerFile(dir.File("no/such/folder/x.aqd"));
  form->SpeedButtonSaveClick();
  EXPECT_EQ(LastMessage(), "Writing datafile failed.  Disk full ?\n\ncannot create a file in " +
                               dir.File("no/such/folder") + ": No such file or directory");
  EXPECT_FALSE(Panel("PanelSave")->isVisible());
}

TEST_F(MainWindowTest, GeneralGridRefusesValuesAFileCannotHold) {
  ui::StringGrid* g = Grid("GeneralGrid");
  struct Case {
    int row;
    const char* typed;
    const char* message;
  };
  const Case cases[] = {{ui::kRowLX, "1e400", "Enter real number <= 1e12"},
                        {ui::kRowLX, "-1e400", "Enter positive real number"},
                        {ui::kRowLX, "1e13", "Enter real number <= 1e12"},
                        {ui::kRowLX, "0.0004", "Enter positive real number"},
                        {ui::kRowLY, "1e400", "Enter real number <= 1e12"},
                        {ui::kRowLY, "-1e400", "Enter positive real number"},
                        {ui::kRowLY, "1e13", "Enter real number <= 1e12"},
                        {ui::kRowTM, "1e400", "Enter real number <= 1e12"},
                        {ui::kRowTM, "1e13", "Enter real number <= 1e12"}};
  for (const Case& c : cases) {
    dialogs.messages.clear();
    EnterAndLeave(g, c.row, c.typed, ui::kRowProblemName);
    EXPECT_EQ(LastMessage(), c.message) << c.row << " " << c.typed;
    EXPECT_EQ(form->problem().LX, 2000.0) << c.typed;
    EXPECT_EQ(form->problem().LY, 1000.0) << c.typed;
    EXPECT_EQ(form->problem().TM, 2000.0) << c.typed;
  }
  dialogs.messages.clear();
  EnterAndLeave(g, ui::kRowTM, "-1e400", ui::kRowProblemName);  // TM's own rule: 100
  EXPECT_EQ(form->problem().TM, 100.0);
}

TEST_F(MainWindowTest, SaveRefusesAValueTheReaderWouldRefuseAndLeavesTheFile) {
  const std::string path = dir.Write("kept.aqd", "what the user had before\n");
  form->problem().TM = 1e13;  // as no input path can store it
  dialogs.AnswerFile(path);
  form->SpeedButtonSaveClick();
  EXPECT_EQ(LastMessage(),
            "Writing datafile failed.\n\nTM (d) in the General Grid is 1e+13: a datafile "
            "holds finite values up to 1e12 in magnitude.");
  EXPECT_EQ(ReadFile(path), "what the user had before\n");
  EXPECT_EQ(form->problem().FileName, "Data1.aqd");
}

TEST_F(MainWindowTest, NewAfterALoadedProblemBringsBackTheTriangle) {
  dialogs.AnswerFile(WriteProblem(dir, "wells.aqd", SquareProblem(1, 1)));
  form->SpeedButtonOpenClick();
  ASSERT_EQ(form->problem().NN, 4);
  form->SpeedButtonNodesClick();
  form->SpeedButtonNewClick();
  const Problem& p = form->problem();
  EXPECT_EQ(p.NN, 3);
  EXPECT_EQ(p.NM, 1);
  EXPECT_EQ(p.NW, 0);
  EXPECT_EQ(p.nodes[2].X, 500.0);
  EXPECT_EQ(p.nodes[1].Y, 500.0);
  ui::StringGrid* g = Grid("GeneralGrid");
  EXPECT_EQ(g->CellText(1, ui::kRowFileName), "Data1.aqd");
  EXPECT_EQ(g->CellText(1, ui::kRowProblemName), "Default Datafile");
  EXPECT_EQ(g->CellText(1, ui::kRowNN), "           3");
  EXPECT_TRUE(form->IsOpen(Win::Edit));
  EXPECT_TRUE(form->Window(Win::Edit)->isVisible());
  EXPECT_FALSE(form->IsOpen(Win::Nodes));
  EXPECT_FALSE(Button("SpeedButtonWells")->isEnabled());
  EXPECT_EQ(form->SaveSetup().fileName, "Data1.aqd");
}

// ---- the Installation Grid ----

TEST_F(MainWindowTest, InstallationGridCorrectsAndTheNextStartReadsIt) {
  ui::StringGrid* g = Grid("InstallationGrid");
  EXPECT_TRUE(EnterAndLeave(g, 1, "19", 2));
  EXPECT_EQ(LastMessage(), "Enter integer value > 20");
  EXPECT_EQ(g->CellText(1, 1), "          20");
  EXPECT_TRUE(EnterAndLeave(g, 4, "1001", 0));
  EXPECT_EQ(LastMessage(), "Enter integer value <= 1000");
  EXPECT_TRUE(EnterAndLeave(g, 0, "Tester", 1));
  EXPECT_EQ(form->problem().caps.BMAX, 20);
  EXPECT_EQ(form->problem().caps.PMAX, 1000);
  EXPECT_EQ(form->problem().particles.size(), 1000u) << "the tables follow the capacities";

  ui::ScriptedDialogs again;
  ui::TFormFem next(again, dir.path());
  ui::StringGrid* ng = next.findChild<ui::StringGrid*>("InstallationGrid");
  EXPECT_EQ(ng->CellText(1, 0), "Tester");
  EXPECT_EQ(ng->CellText(1, 1), "          20");
  EXPECT_EQ(ng->CellText(1, 4), "        1000");
  EXPECT_EQ(next.problem().caps.PMAX, 1000);
}

TEST_F(MainWindowTest, InstallationGridKeepsCorrectedValueAfterRebuild) {
  ui::StringGrid* g = Grid("InstallationGrid");
  EXPECT_TRUE(EnterAndLeave(g, 2, "100", 3));
  EXPECT_EQ(LastMessage(), "Enter integer value > 100");
  EXPECT_EQ(g->CellText(1, 2), "       10000");
  EXPECT_EQ(form->problem().caps.NMAX, 10000);
  const std::string file = ReadFile(dir.File("PLANAQ.txt"));
  EXPECT_EQ(file.substr(file.find("#        BMAX")), "#        BMAX         NMAX         MMAX         PMAX\n"
                                                  "          48,       10000,       20000,         100,\n");
}

TEST_F(MainWindowTest, InstallationGridRefusesCapacitiesBeyondTheMemory) {
  form->problem().NN = 4;  // stands for a loaded problem, which must survive the refusal
  ui::StringGrid* g = Grid("InstallationGrid");
  for (const char* typed : {"100000000", "3000000000"}) {
    EXPECT_TRUE(EnterAndLeave(g, 2, typed, 3));
    EXPECT_NE(LastMessage().find("Capacity too large"), std::string::npos) << typed;
    EXPECT_EQ(g->CellText(1, 2), "       12000");
    EXPECT_EQ(form->problem().caps.NMAX, 12000);
    EXPECT_EQ(form->problem().nodes.size(), 12000u);
    EXPECT_EQ(form->problem().NN, 4);
  }
}

TEST_F(MainWindowTest, FocusLeavingTheInstallationGridSavesToo) {
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  ui::StringGrid* g = Grid("InstallationGrid");
  g->setFocus();
  QCoreApplication::processEvents();
  g->SetCellText(1, 3, "555");
  g->Select(1, 3);
  Grid("GeneralGrid")->setFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(form->problem().caps.MMAX, 555);
  EXPECT_NE(ReadFile(dir.File("PLANAQ.txt")).find("         555,"), std::string::npos);
}

// A message box takes the focus from the grid while it is up.
class FocusTakingDialogs : public ui::ScriptedDialogs {
 public:
  QWidget* takeFocus = nullptr;
  void Message(const std::string& text) override {
    ScriptedDialogs::Message(text);
    if (takeFocus) takeFocus->setFocus();
    QCoreApplication::processEvents();
  }
};

TEST(InstallationGridFocus, AMessageBoxIsNoSecondLeave) {
  EnsureApp();
  TempDir dir;
  FocusTakingDialogs dialogs;
  ui::TFormFem form(dialogs, dir.path());
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  auto* grid = form.findChild<ui::StringGrid*>("InstallationGrid");
  dialogs.takeFocus = form.findChild<ui::StringGrid*>("GeneralGrid");
  grid->setFocus();
  QCoreApplication::processEvents();
  grid->Select(1, 1);
  grid->SetCellText(1, 1, "7");
  EXPECT_TRUE(grid->MoveTo(1, 2));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Enter integer value > 20"});
  EXPECT_EQ(form.problem().caps.BMAX, 20);
}

}  // namespace
}  // namespace planaq::test
