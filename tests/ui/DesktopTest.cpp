// The main window as a desktop program: the title with its unsaved-edits mark, the question
// before unsaved edits are dropped, the standard shortcuts and the toolbar glyphs.

#include <QTest>
#include <filesystem>
#include <functional>

#include "UiTest.h"
#include "ui/HelpTexts.h"
#include "ui/SecondaryForm.h"

namespace planaq::test {
namespace {

using ui::SaveChoice;
using ui::Win;

class DesktopTest : public MainWindowTest {
 protected:
  // LX typed into the General Grid, as a user edits the problem
  void EditLX() { ASSERT_TRUE(EnterAndLeave(Grid("GeneralGrid"), 7, "1500", 8)); }
  void ShowActive() {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
};

TEST_F(DesktopTest, TitleNamesTheFileAndMarksUnsavedEdits) {
  EXPECT_EQ(form->windowTitle(), QStringLiteral("PLANAQ - Data1.aqd[*]"));
  EXPECT_FALSE(form->isWindowModified());
  EditLX();
  EXPECT_TRUE(form->isWindowModified());
  dialogs.AnswerFile(dir.File("Strip.aqd"));
  Trigger("Save1");
  EXPECT_EQ(form->windowTitle(), QStringLiteral("PLANAQ - Strip.aqd[*]"));
  EXPECT_FALSE(form->isWindowModified());
  EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(DesktopTest, TypingTheValueBackClearsTheMark) {
  EditLX();
  ASSERT_TRUE(EnterAndLeave(Grid("GeneralGrid"), 7, "2000", 8));
  EXPECT_FALSE(form->isWindowModified());
}

// what a test can see after a key press
struct Seen {
  const ui::ScriptedDialogs& dialogs;
  const ui::TFormFem& form;
  int quits;
};

struct ShortcutCase {
  const char* name;
  int key;
  Qt::KeyboardModifiers modifiers;
  std::function<bool(const Seen&)> ran;
};

class Shortcut : public DesktopTest, public ::testing::WithParamInterface<ShortcutCase> {};

TEST_P(Shortcut, RunsTheMenuCommand) {
  ShowActive();
  QTest::keyClick(form.get(), static_cast<Qt::Key>(GetParam().key), GetParam().modifiers);
  EXPECT_TRUE(GetParam().ran(Seen{dialogs, *form, quits}));
  EXPECT_TRUE(dialogs.questions.empty()) << "nothing was edited";
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Shortcut,
    ::testing::Values(ShortcutCase{"CtrlO", Qt::Key_O, Qt::ControlModifier,
                                   [](const Seen& t) { return t.dialogs.openSetups.size() == 1; }},
                      ShortcutCase{"CtrlN", Qt::Key_N, Qt::ControlModifier,
                                   [](const Seen& t) { return t.form.IsOpen(Win::Edit); }},
                      ShortcutCase{"CtrlS", Qt::Key_S, Qt::ControlModifier,
                                   [](const Seen& t) { return t.dialogs.saveSetups.size() == 1; }},
                      ShortcutCase{"CtrlP", Qt::Key_P, Qt::ControlModifier,
                                   [](const Seen& t) { return t.dialogs.printDialogs == 1; }},
                      ShortcutCase{"CtrlQ", Qt::Key_Q, Qt::ControlModifier,
                                   [](const Seen& t) { return t.quits == 1; }},
                      ShortcutCase{"F1", Qt::Key_F1, Qt::NoModifier,
                                   [](const Seen& t) {
                                     return !t.dialogs.messages.empty() &&
                                            t.dialogs.messages.back() == ui::HelpText();
                                   }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesktopTest, CtrlQWithUnsavedEditsAsksFirst) {
  EditLX();
  ShowActive();
  dialogs.AnswerSave(SaveChoice::Cancel);
  QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0], "Save the changes to Data1.aqd first?");
  EXPECT_EQ(quits, 0);
  dialogs.AnswerSave(SaveChoice::Discard);
  QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(quits, 1);
  EXPECT_TRUE(dialogs.saveSetups.empty());
}

// Cancel after each command that would drop the edits: the problem keeps them, the file on
// disk and the open windows stay as they were, and no file dialog opens.
class CancelKeeps : public DesktopTest, public ::testing::WithParamInterface<const char*> {};
TEST_P(CancelKeeps, TheProblemAndTheFile) {
  const std::string path = WriteProblem(dir, "Square.aqd", SquareProblem(1, 1));
  form->OpenFromCommandLine(path);
  const std::string onDisk = ReadFile(path);
  EditLX();
  form->SpeedButtonSoilsClick();
  dialogs.AnswerSave(SaveChoice::Cancel);
  Trigger(GetParam());
  EXPECT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(form->problem().LX, 1500.0);
  EXPECT_EQ(form->problem().NN, 4);
  EXPECT_EQ(form->problem().NW, 1);
  EXPECT_EQ(form->problem().FileName, "Square.aqd");
  EXPECT_TRUE(form->IsOpen(Win::Soils));
  EXPECT_EQ(ReadFile(path), onDisk);
  EXPECT_TRUE(dialogs.openSetups.empty());
  EXPECT_TRUE(dialogs.saveSetups.empty());
  EXPECT_EQ(quits, 0);
  EXPECT_TRUE(form->isWindowModified());
}
INSTANTIATE_TEST_SUITE_P(Commands, CancelKeeps, ::testing::Values("New1", "Open1", "Quit1"));

TEST_F(DesktopTest, ClosingTheWindowIsRefusedByCancel) {
  EditLX();
  ShowActive();
  dialogs.AnswerSave(SaveChoice::Cancel);
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(quits, 0);
}

TEST_F(DesktopTest, SaveInTheQuestionWritesTheEditsThenRunsNew) {
  EditLX();
  dialogs.AnswerSave(SaveChoice::Save);
  dialogs.AnswerFile(dir.File("Edited.aqd"));
  Trigger("New1");
  Problem saved;
  saved.StartUp(Capacities{});
  ASSERT_TRUE(ReadDatafile(saved, dir.File("Edited.aqd")).ok);
  EXPECT_EQ(saved.LX, 1500.0);
  EXPECT_EQ(form->problem().LX, 2000.0);
  EXPECT_TRUE(form->IsOpen(Win::Edit));
}

TEST_F(DesktopTest, ACancelledSaveInTheQuestionKeepsTheProblem) {
  EditLX();
  dialogs.AnswerSave(SaveChoice::Save);
  dialogs.AnswerFile("");
  Trigger("New1");
  EXPECT_EQ(LastMessage(), "Saving datafile failed or canceled");
  EXPECT_EQ(form->problem().LX, 1500.0);
  EXPECT_FALSE(form->IsOpen(Win::Edit));
}

}  // namespace
}  // namespace planaq::test

namespace planaq::test {
namespace {

// A window carries the glyph of the button that opens it; the glyphs differ from each other.
TEST_F(DesktopTest, WindowsShowTheGlyphOfTheirButton) {
  const std::pair<const char*, Win> pairs[] = {
      {"SpeedButtonOptions", Win::Options}, {"SpeedButtonNodes", Win::Nodes},
      {"SpeedButtonMesh", Win::Mesh},       {"SpeedButtonContours", Win::Contours},
      {"SpeedButton3D", Win::Graph3D},      {"SpeedButtonParticles", Win::Particles}};
  const auto image = [](const QIcon& icon) { return icon.pixmap(QSize(24, 24)).toImage(); };
  for (const auto& [button, window] : pairs) {
    EXPECT_EQ(image(form->Window(window)->windowIcon()), image(Button(button)->icon())) << button;
    EXPECT_NE(image(form->Window(window)->windowIcon()), image(form->windowIcon())) << button;
  }
}

TEST_F(DesktopTest, AFailedOpenFromTheCommandLineLeavesTheProblemUnmarked) {
  form->OpenFromCommandLine(dir.File("nosuch.aqd"));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Reading datafile failed.  Unknown name ?"});
  EXPECT_FALSE(form->isWindowModified());
  Trigger("Quit1");
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_EQ(quits, 1);
}

// The file holds the name it was saved under; the question names the path that Save proposes.
TEST_F(DesktopTest, TheQuestionNamesTheFileSaveWouldWrite) {
  const std::string saved = WriteProblem(dir, "Square.aqd", SquareProblem(0, 0));
  const std::string path = dir.File("Renamed.aqd");
  std::filesystem::rename(saved, path);
  form->OpenFromCommandLine(path);
  EditLX();
  dialogs.AnswerSave(SaveChoice::Cancel);
  Trigger("Quit1");
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0], "Save the changes to " + path + " first?");
}

TEST_F(DesktopTest, ANameThatIsNotUtf8OpensFromTheCommandLine) {
  const std::string path = dir.path() + "/caf\xE9.aqd";  // Latin-1, as an old disk may hold it
  Problem p = SquareProblem(0, 0);
  ASSERT_TRUE(WriteDatafile(p, path).ok);
  form->OpenFromCommandLine(path);
  EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front();
  EXPECT_EQ(form->problem().NN, 4);
  EXPECT_EQ(form->SaveSetup().fileName, path);
}

}  // namespace
}  // namespace planaq::test
