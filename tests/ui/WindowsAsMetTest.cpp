// The windows as a user meets them: the real message box keeps its line breaks and opens in
// front of the window that asked; data windows stay above the main window; a click into the
// Installation Grid or the block editor loses no work.

#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <filesystem>
#include <memory>

#include "UiTest.h"
#include "manual/ExampleProblem.h"
#include "ui/HelpTexts.h"
#include "ui/QtDialogs.h"
#include "ui/figures/FormContours.h"

namespace planaq::test {
namespace {

// What the message box on screen showed, read while it is open, then closed with its button.
struct ShownBox {
  QString text;
  QWidget* parent = nullptr;
  bool staysOnTop = false;
};

class RealDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    form = std::make_unique<ui::TFormFem>(dialogs, dir.path());
    dialogs.SetParent(form.get());
    form->show();
  }
  // Runs show, answering the box it opens with button; returns what the box showed.
  ShownBox Answer(QMessageBox::StandardButton button, const std::function<void()>& show) {
    auto shown = std::make_shared<ShownBox>();
    QTimer::singleShot(0, [shown, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      shown->text = box->text();
      shown->parent = box->parentWidget();
      shown->staysOnTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
      box->button(button)->click();
    });
    show();
    return *shown;
  }
  TempDir dir;
  ui::QtDialogs dialogs;
  std::unique_ptr<ui::TFormFem> form;
};

TEST_F(RealDialogsTest, HelpKeepsItsLineBreaksAndNamesKeepTheirAccents) {
  const ShownBox help = Answer(QMessageBox::Ok, [&] { form->SpeedButtonHelpClick(); });
  EXPECT_EQ(help.text, QString::fromStdString(ui::HelpText()));
  EXPECT_TRUE(help.text.contains('\n'));
  EXPECT_FALSE(help.text.contains(QStringLiteral("??")));
  EXPECT_EQ(help.parent, form.get());
  // a name of the problem in Windows-1252 bytes shows as its characters
  const ShownBox named = Answer(QMessageBox::Ok, [&] { dialogs.Message("Caf\xE9\n\n1 m\xB3/d"); });
  EXPECT_EQ(named.text, QString::fromUtf8("Caf\u00E9\n\n1 m\u00B3/d"));
}

TEST_F(RealDialogsTest, ABoxOfTheContourWindowOpensAboveIt) {
  form->problem() = MakeExampleProblem();
  form->Refresh();
  form->SpeedButtonContoursClick();
  QWidget* contours = form->Window(ui::Win::Contours);
  ASSERT_TRUE(contours->isVisible());
  QApplication::setActiveWindow(contours);
  const ShownBox help = Answer(QMessageBox::Ok, [&] {
    QTest::mouseClick(contours->findChild<QToolButton*>("SpeedButtonHelp"), Qt::LeftButton);
  });
  EXPECT_TRUE(help.text.startsWith(QStringLiteral("Contours\n")));
  EXPECT_EQ(help.parent, contours);
  EXPECT_TRUE(help.staysOnTop) << "under a stay-on-top window nobody could answer it";
}

TEST_F(RealDialogsTest, DataWindowsBelongToTheMainWindow) {
  for (ui::Win w : {ui::Win::Nodes, ui::Win::Elements, ui::Win::Soils, ui::Win::Manual}) {
    QWidget* window = form->Window(w);
    EXPECT_EQ(window->windowType(), Qt::Dialog) << window->objectName().toStdString();
    window->show();
    ASSERT_NE(window->windowHandle(), nullptr);
    EXPECT_EQ(window->windowHandle()->transientParent(), form->windowHandle())
        << window->objectName().toStdString();
    window->hide();
  }
}

// ---- no work lost by a click ----

class NoWorkLostTest : public MainWindowTest {
 protected:
  // the example of 221 nodes, opened from its file
  std::string OpenExample() {
    const std::string path = WriteProblem(dir, "Example.aqd", MakeExampleProblem());
    dialogs.AnswerFile(path);
    form->SpeedButtonOpenClick();
    EXPECT_EQ(form->problem().NN, 221);
    return path;
  }
  // true when Save writes the file as it was opened
  bool SavesAsOpened(const std::string& path) {
    const std::string before = ReadFile(path);
    dialogs.AnswerFile(path);
    form->SpeedButtonSaveClick();
    return ReadFile(path) == before;
  }
};

TEST_F(NoWorkLostTest, LeavingAnUnchangedInstallationCellKeepsTheProblem) {
  const std::string path = OpenExample();
  ui::StringGrid* g = Grid("InstallationGrid");
  g->Select(1, 2);
  EXPECT_TRUE(g->MoveTo(1, 3));
  form->InstallationGridExit();
  EXPECT_EQ(form->problem().NN, 221);
  EXPECT_FALSE(std::filesystem::exists(dir.File("PLANAQ.txt")))
      << "nothing changed, nothing written";
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_TRUE(SavesAsOpened(path));
}

TEST_F(NoWorkLostTest, ACapacityTheProblemFitsKeepsIt) {
  const std::string path = OpenExample();
  ui::StringGrid* g = Grid("InstallationGrid");
  EXPECT_TRUE(EnterAndLeave(g, 2, "500", 3));  // NMAX 500 still holds 221 nodes
  EXPECT_EQ(form->problem().caps.NMAX, 500);
  EXPECT_EQ(form->problem().nodes.size(), 500u);
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_NE(ReadFile(dir.File("PLANAQ.txt")).find("         500,"), std::string::npos);
  EXPECT_TRUE(SavesAsOpened(path));
}

TEST_F(NoWorkLostTest, ACapacityTooSmallAsksFirstAndCancelKeepsEverything) {
  OpenExample();
  form->problem().layers[0].F[0] = 33.0;  // an unsaved edit
  ui::StringGrid* g = Grid("InstallationGrid");
  dialogs.AnswerSave(ui::SaveChoice::Cancel);
  EXPECT_TRUE(EnterAndLeave(g, 2, "200", 3));
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(form->problem().NN, 221);
  EXPECT_EQ(form->problem().caps.NMAX, 12000);
  EXPECT_EQ(g->CellText(1, 2), "       12000");

  dialogs.AnswerSave(ui::SaveChoice::Discard);
  EXPECT_TRUE(EnterAndLeave(g, 2, "200", 3));
  EXPECT_EQ(form->problem().NN, 3) << "the problem starts again, as with New";
  EXPECT_EQ(form->problem().caps.NMAX, 200);
  EXPECT_FALSE(form->HasUnsavedEdits());
}

TEST_F(NoWorkLostTest, TheBlockEditorAsksBeforeDroppingTheMeshAndUndoBringsItBack) {
  const std::string path = OpenExample();
  Problem& p = form->problem();
  const int NM = p.NM, NB = p.NB, NW = p.NW;
  dialogs.AnswerConfirm(false);
  form->SpeedButtonEditClick();
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0], "Editing the blocks resets the mesh of " + std::to_string(NM) +
                                      " elements to its " + std::to_string(NB) +
                                      " blocks and drops its " + std::to_string(NW) + " well.");
  EXPECT_FALSE(form->IsOpen(ui::Win::Edit));
  EXPECT_EQ(p.NN, 221);

  form->SpeedButtonEditClick();  // OK this time
  ASSERT_TRUE(form->IsOpen(ui::Win::Edit));
  EXPECT_EQ(p.NN, p.NA);
  QWidget* editor = form->Window(ui::Win::Edit);
  QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(p.NN, 221);
  EXPECT_FALSE(form->IsOpen(ui::Win::Edit)) << "the editor cannot show a refined mesh";
  EXPECT_TRUE(SavesAsOpened(path));
}

}  // namespace
}  // namespace planaq::test
