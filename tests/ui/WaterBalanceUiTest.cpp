// The water balance in the main window: the notice after Solve and the Water Balance window.

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QTest>
#include <algorithm>
#include <cstdio>

#include "UiTest.h"
#include "solver/WaterBalance.h"
#include "ui/FormBalance.h"
#include "ui/FormOpt.h"
#include "ui/grids/DataGrid.h"

namespace planaq::test {
namespace {

class WaterBalanceWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    dialogs.AnswerFile(WriteProblem(dir, "strip.aqd", StripProblem()));
    form->SpeedButtonOpenClick();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QCoreApplication::processEvents();
  }
  void Solve() {
    dialogs.AnswerFile(dir.File("solved.aqd"));
    Button("SpeedButtonCalc")->click();
  }
  bool NoticeShown() const { return Panel("PanelBalance")->isVisibleTo(form.get()); }
};

TEST_F(WaterBalanceWindowTest, TheNoticeShowsTheBalanceOfTheSolveUntilACommandMayChangeIt) {
  EXPECT_FALSE(NoticeShown());
  Solve();
  ASSERT_TRUE(NoticeShown());
  const auto* text = form->findChild<QPlainTextEdit*>("BalanceText");
  ASSERT_NE(text, nullptr);
  const WaterBalance balance = ComputeWaterBalance(form->problem());
  EXPECT_GT(balance.aquifers[0].givenIn, 0.0);
  EXPECT_EQ(text->toPlainText().toStdString(), WaterBalanceText(balance));
  Button("SpeedButtonSave")->click();
  Trigger("WaterBalance1");
  EXPECT_TRUE(NoticeShown()) << "Save and Water Balance change nothing";
  Button("SpeedButtonNodes")->click();
  EXPECT_FALSE(NoticeShown());
  EXPECT_FALSE(form->FormBalance()->isVisible());
}

TEST_F(WaterBalanceWindowTest, TheWindowHasARowPerAquiferAndAquitardAndEditsNothing) {
  Solve();
  Trigger("WaterBalance1");
  ui::TFormBalance* window = form->FormBalance();
  ASSERT_TRUE(window->isVisible());
  ui::DataGrid* grid = window->findChild<ui::DataGrid*>("BalanceGrid");
  ASSERT_NE(grid, nullptr);
  ASSERT_EQ(grid->RowCount(), 2);  // the heading and the one aquifer
  EXPECT_EQ(grid->CellText(0, 1), "Aquifer 1");
  const std::vector<std::string> columns = WaterBalanceColumns();
  const int givenIn =
      static_cast<int>(std::find(columns.begin(), columns.end(), "Given in") - columns.begin());
  char expected[32];
  std::snprintf(expected, sizeof expected, "%12.3f",
                ComputeWaterBalance(form->problem()).aquifers[0].givenIn);
  EXPECT_EQ(grid->CellText(givenIn, 1), expected);
  for (int c = 0; c < grid->ColCount(); ++c)
    EXPECT_FALSE(grid->Model().index(0, c).flags() & Qt::ItemIsEditable) << c;
}

TEST_F(WaterBalanceWindowTest, TheOptionsCheckBoxAddsThePageAndIsOffByDefault) {
  auto* box = form->FormOpt()->findChild<QCheckBox*>("CheckBalance");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text().toStdString(), "Water Balance");
  EXPECT_FALSE(form->FormOpt()->Settings().WaterBalance);
  box->setChecked(true);
  EXPECT_TRUE(form->FormOpt()->Settings().WaterBalance);
}

}  // namespace
}  // namespace planaq::test
