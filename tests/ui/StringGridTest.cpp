// The grid behaviour that every table of the program shares.

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <vector>

#include "UiTest.h"

namespace planaq::test {
namespace {

using ui::StringGrid;

struct EnterCase {
  const char* name;
  int rows;
  int fixedRows;
  int startRow;
  int expectedRow;
};

class StringGridEnter : public ::testing::TestWithParam<EnterCase> {
 protected:
  void SetUp() override { EnsureApp(); }
};

TEST_P(StringGridEnter, MovesDownAndWrapsToFirstEditableRow) {
  const EnterCase& c = GetParam();
  StringGrid grid(2, c.rows);
  grid.SetFixed(1, c.fixedRows);
  grid.Select(1, c.startRow);
  QTest::keyClick(&grid, Qt::Key_Return);
  EXPECT_EQ(grid.Row(), c.expectedRow);
  EXPECT_EQ(grid.Col(), 1);
  EXPECT_TRUE(grid.Editing()) << "the editor opens on the new row";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StringGridEnter,
    ::testing::Values(EnterCase{"GeneralMiddle", 12, 6, 7, 8},
                      EnterCase{"GeneralLastBackToSix", 12, 6, 11, 6},
                      EnterCase{"InstallationLastBackToFirst", 5, 0, 4, 0},
                      EnterCase{"DataGridLastBackToOne", 4, 1, 3, 1}),
    [](const auto& info) { return std::string(info.param.name); });

class StringGridTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureApp(); }
};

TEST_F(StringGridTest, HandlerSeesTheCellBeingLeftAndMaySayNo) {
  StringGrid grid(3, 4);
  grid.SetFixed(1, 1);
  std::vector<std::array<int, 4>> calls;  // from col, from row, to col, to row
  bool allow = false;
  grid.OnSelectCell([&](int col, int row) {
    calls.push_back({grid.Col(), grid.Row(), col, row});
    return allow;
  });
  grid.Select(1, 1);
  EXPECT_FALSE(grid.MoveTo(2, 3));
  EXPECT_EQ(grid.Col(), 1);
  EXPECT_EQ(grid.Row(), 1);
  allow = true;
  EXPECT_TRUE(grid.MoveTo(2, 3));
  EXPECT_EQ(grid.Row(), 3);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0], (std::array<int, 4>{1, 1, 2, 3}));
  EXPECT_EQ(calls[1], (std::array<int, 4>{1, 1, 2, 3}));
}

TEST_F(StringGridTest, FixedCellsAreNeitherSelectedNorEditable) {
  StringGrid grid(2, 5);
  grid.SetFixed(1, 2);
  int calls = 0;
  grid.OnSelectCell([&](int, int) { return ++calls > 0; });
  grid.Select(1, 3);
  EXPECT_FALSE(grid.MoveTo(0, 3));
  EXPECT_FALSE(grid.MoveTo(1, 1));
  EXPECT_EQ(calls, 0);
  EXPECT_FALSE(grid.item(1, 0)->flags() & Qt::ItemIsEditable);
  EXPECT_FALSE(grid.item(0, 1)->flags() & Qt::ItemIsEditable);
  EXPECT_TRUE(grid.item(3, 1)->flags() & Qt::ItemIsEditable);
}

TEST_F(StringGridTest, TypedTextReachesTheCellBeforeTheCheck) {
  StringGrid grid(2, 3);
  grid.SetFixed(1, 0);
  QString seen;
  grid.OnSelectCell([&](int, int) {
    seen = grid.Cell(1, grid.Row());
    return true;
  });
  grid.show();
  grid.Select(1, 0);
  grid.OpenEditor();
  auto* editor = grid.findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "1234");
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(seen, QStringLiteral("1234"));
  EXPECT_EQ(grid.Cell(1, 0), QStringLiteral("1234"));
  EXPECT_EQ(grid.Row(), 1);
}

struct CopyCase {
  const char* name;
  int row;
  int col;
  const char* expectedText;  // what the cell holds afterwards
  int expectedRow;
};

class StringGridCopy : public ::testing::TestWithParam<CopyCase> {
 protected:
  void SetUp() override { EnsureApp(); }
};

TEST_P(StringGridCopy, LowercaseCCopiesTheRowAbove) {
  const CopyCase& c = GetParam();
  StringGrid grid(4, 4);
  grid.SetFixed(1, 1);
  grid.EnableCopyKey(3);  // columns 1 and 2 copy; column 3 takes a c as a character
  for (int r = 1; r < 4; ++r)
    for (int col = 1; col < 4; ++col)
      grid.SetCell(col, r, QStringLiteral("r%1c%2").arg(r).arg(col));
  grid.show();
  grid.Select(c.col, c.row);
  QTest::keyClick(&grid, Qt::Key_C);
  if (grid.Editing() && c.col == 3) {
    // an ordinary character: it went into the editor of the same cell
    auto* editor = grid.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("c"));
  } else {
    EXPECT_EQ(grid.Cell(c.col, c.row).toStdString(), c.expectedText);
  }
  EXPECT_EQ(grid.Row(), c.expectedRow);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StringGridCopy,
    ::testing::Values(CopyCase{"MiddleRowTakesRowAbove", 2, 1, "r1c1", 3},
                      CopyCase{"FirstRowTakesLastRow", 1, 2, "r3c2", 2},
                      CopyCase{"LastRowWrapsToFirst", 3, 1, "r2c1", 1},
                      CopyCase{"ColumnPastTheLimitTypesC", 2, 3, "c", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StringGridTest, WithoutCopyKeyTheCStartsTheEditor) {
  StringGrid grid(2, 3);
  grid.SetFixed(1, 0);
  grid.SetCell(1, 0, QStringLiteral("above"));
  grid.show();
  grid.Select(1, 1);
  QTest::keyClick(&grid, Qt::Key_C);
  EXPECT_EQ(grid.Row(), 1);
  EXPECT_TRUE(grid.Editing());
  EXPECT_NE(grid.Cell(1, 1), QStringLiteral("above"));
}

}  // namespace
}  // namespace planaq::test
