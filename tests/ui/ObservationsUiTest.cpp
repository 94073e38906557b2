// Observations in the desktop: the side file opened and saved with the datafile, the
// Observations window typed into as a user does, the scatter window's picture and the Fit
// window.

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "GridWindowFixture.h"
#include "observe/ObservedHeads.h"
#include "solver/Solve.h"
#include "ui/FormFit.h"
#include "ui/FormOpt.h"
#include "ui/figures/FormScatter.h"
#include "ui/grids/FormObservations.h"

namespace planaq::test {
namespace {

enum { kName, kX, kY, kLayer, kObserved, kComputed, kResidual };

class ObservationsUiTest : public GridWindowFixture {
 protected:
  ui::TFormObservations* ShowObservations() {
    Trigger("Observations1");
    ui::TFormObservations* window = form->FormObservations();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    grid = window->Grid();
    return window;
  }
  // The strip with K = 12 m/d opened beside observations of the heads it has with K = 4 m/d:
  // infiltration bends the heads between the held sides by I / K. The Fit window is open with
  // K of block 1 in layer 1 named.
  ui::TFormFit* OpenFitOfK() {
    Problem truth = StripProblem();
    truth.soils[0].I = 0.0002;
    truth.soils[0].K[0] = 4.0;
    SolveProgress none;
    EXPECT_TRUE(SolveProblem(truth, none).solved);
    ObservationSet set;
    for (double x : {600.0, 1000.0, 1400.0})
      set.points.push_back({"P" + std::to_string(int(x)), x, 500.0, 0, 0.0, 1.0});
    const std::vector<ObservedHead> heads = ComputeObservedHeads(truth, set);
    for (int i = 0; i < set.size(); ++i) set.points[i].head = heads[i].computed;
    EXPECT_EQ(WriteObservationsFile(set, dir.File("strip.aqd.obs")), "");
    Problem start = StripProblem();
    start.soils[0].I = 0.0002;
    start.soils[0].K[0] = 12.0;
    OpenFile(start, "strip.aqd");
    Trigger("Fit1");
    ui::TFormFit* fit = form->FormFit();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(fit));
    auto* parameters = fit->findChild<QLineEdit*>("EditParameters");
    parameters->clear();
    QTest::keyClicks(parameters, "K:1:1");
    return fit;
  }
};

TEST_F(ObservationsUiTest, TheSideFileComesWithOpenAndTypedRowsGoWithSave) {
  Problem p = StripProblem();  // heads 10, 9 and 4 m at x = 0, 1000 and 2000 m
  dir.Write("strip.aqd.obs", "name,x,y,layer,head,weight\nmid,1000,0,1,8.5,2\n");
  OpenFile(p, "strip.aqd");
  ASSERT_EQ(form->observations().size(), 1);
  ShowObservations();
  EXPECT_EQ(grid->RowCount(), 3);  // heading, the observation, the row that adds one
  EXPECT_EQ(grid->CellText(kComputed, 1), "       9.000");  // the node's head
  EXPECT_EQ(grid->CellText(kResidual, 1), "      -0.500");
  // a new observation in the empty row, by name, then its place and head
  Click(kName, 2);
  Type("Pz Nord");
  LeaveBy(Leave::Enter, kName, 2);
  QCoreApplication::processEvents();  // the new empty row follows the move
  ASSERT_EQ(form->observations().size(), 2);
  EXPECT_EQ(grid->RowCount(), 4);
  Click(kX, 2);
  Type("500");
  LeaveBy(Leave::Tab, kX, 2);
  Type("1000");
  LeaveBy(Leave::Tab, kY, 2);
  Type("3");  // no third layer in the datafile, but one an observation may name
  LeaveBy(Leave::Tab, kLayer, 2);
  Type("9.25");
  LeaveBy(Leave::Enter, kObserved, 2);
  // the computed head between the nodes at x = 0 and 1000: 9.5 m, once the layer is 1
  EXPECT_EQ(grid->CellText(kComputed, 2).find("layer beyond NL"), 2u);
  Click(kLayer, 2);
  Type("0");
  LeaveBy(Leave::Enter, kLayer, 2);
  EXPECT_EQ(LastMessage(), "Enter layer 1..6");
  Type("1");
  LeaveBy(Leave::Mouse, kLayer, 2);
  EXPECT_EQ(grid->CellText(kComputed, 2), "       9.500");
  EXPECT_TRUE(form->HasUnsavedEdits());
  dialogs.AnswerFile(path);
  form->SpeedButtonSaveClick();
  EXPECT_EQ(ReadAll(path + ".obs"),
            "name,x,y,layer,head,weight\nmid,1000,0,1,8.5,2\nPz Nord,500,1000,1,9.25,1\n");
  EXPECT_FALSE(form->HasUnsavedEdits());
}

TEST_F(ObservationsUiTest, DeleteTakesTheRowAwayAndADuplicateNameIsRefused) {
  dir.Write("strip.aqd.obs", "name,x,y,layer,head\nA,0,0,1,1\nB,0,0,1,2\n");
  OpenFile(StripProblem(), "strip.aqd");
  ui::TFormObservations* window = ShowObservations();
  Click(kName, 2);
  Type("A");
  LeaveBy(Leave::Enter, kName, 2);
  EXPECT_EQ(LastMessage(), "The name A is taken");
  EXPECT_EQ(form->observations().points[1].name, "B");
  QTest::keyClick(Editor(), Qt::Key_Escape);
  Click(kX, 1);
  QTest::mouseClick(window->findChild<QToolButton*>("SpeedButtonDelete"), Qt::LeftButton);
  ASSERT_EQ(form->observations().size(), 1);
  EXPECT_EQ(form->observations().points[0].name, "B");
  EXPECT_EQ(grid->RowCount(), 3);
}

TEST_F(ObservationsUiTest, TheScatterPictureIsSavedAsPng) {
  dir.Write("strip.aqd.obs", "name,x,y,layer,head\nA,0,0,1,10.5\nB,1000,0,1,8\n");
  OpenFile(StripProblem(), "strip.aqd");
  Trigger("Scatter1");
  ui::TFormScatter* scatter = form->FormScatter();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(scatter));
  dialogs.AnswerFile(dir.File("scatter.png"));
  QTest::mouseClick(scatter->findChild<QToolButton*>("SpeedButtonSavePicture"), Qt::LeftButton);
  const QImage saved(QString::fromStdString(dir.File("scatter.png")));
  ASSERT_FALSE(saved.isNull()) << LastMessage();
  // both signs of the residual are on the picture: blue above, orange below
  bool blue = false, orange = false;
  for (int y = 0; y < saved.height(); ++y)
    for (int x = 0; x < saved.width(); ++x) {
      blue = blue || saved.pixel(x, y) == qRgb(0, 0, 255);
      orange = orange || saved.pixel(x, y) == qRgb(255, 128, 0);
    }
  EXPECT_TRUE(blue);
  EXPECT_TRUE(orange);
}

TEST_F(ObservationsUiTest, TheFitWindowFindsKAndTheProblemHoldsIt) {
  ui::TFormFit* fit = OpenFitOfK();
  QTest::mouseClick(fit->findChild<QPushButton*>("ButtonStart"), Qt::LeftButton);
  EXPECT_NEAR(form->problem().soils[0].K[0], 4.0, 0.04) << fit->LogText().toStdString();
  EXPECT_TRUE(fit->LogText().contains(QStringLiteral("Converged")));
  EXPECT_TRUE(form->HasUnsavedEdits());
}

TEST_F(ObservationsUiTest, CancelDuringAFitLeavesTheProblemAsItWas) {
  ui::TFormFit* fit = OpenFitOfK();
  auto* cancel = fit->findChild<QPushButton*>("ButtonCancel");
  // pressed once the fit runs and looks at the events between its solves
  QTimer::singleShot(0, cancel, [cancel] { QTest::mouseClick(cancel, Qt::LeftButton); });
  QTest::mouseClick(fit->findChild<QPushButton*>("ButtonStart"), Qt::LeftButton);
  EXPECT_TRUE(fit->LogText().contains(QStringLiteral("Cancelled: the problem is as it was.")))
      << fit->LogText().toStdString();
  EXPECT_EQ(form->problem().soils[0].K[0], 12.0);
  EXPECT_FALSE(form->HasUnsavedEdits());
  EXPECT_TRUE(fit->isVisible());  // the window stays for the next start
}

TEST_F(ObservationsUiTest, TheOptionsCheckBoxAddsThePageAndIsOffByDefault) {
  auto* box = form->FormOpt()->findChild<QCheckBox*>("CheckObservations");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text().toStdString(), "Observations");
  EXPECT_FALSE(form->FormOpt()->Settings().Observations);
  box->setChecked(true);
  EXPECT_TRUE(form->FormOpt()->Settings().Observations);
}

}  // namespace
}  // namespace planaq::test
