// The Nodes and Block Properties windows driven as the user drives them: typing into cells,
// leaving them by mouse and keys, the copy key, paging and the layer selector; every edit is
// checked in the datafile that Save writes.

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <fstream>
#include <sstream>

#include "GridWindowFixture.h"
#include "UiTest.h"
#include "grids/NodesGrid.h"
#include "files/Installation.h"
#include "grids/SoilsGrid.h"
#include "ui/grids/FormNod.h"
#include "ui/grids/FormSoils.h"
#include "ui/widgets/LayerSelector.h"

namespace planaq::test {
namespace {

using ui::DataGrid;
using ui::Win;

// nn nodes in two layers (layer 1 from 20 to 30 m, layer 2 from 5 to 15 m, heads 25 m); the
// first five have the head given in layer 1 and an open top. Two blocks, two elements.
Problem GridProblem(int nn) {
  Problem p;
  Capacities caps;
  caps.NMAX = std::max(caps.NMAX, nn);
  p.StartUp(caps);
  p.ProblemName = "Grid";
  p.NL = 2;
  p.NN = nn;
  p.NA = 4;
  p.NB = 2;
  p.NM = 2;
  for (int i = 0; i < nn; ++i) {
    p.nodes[i] = Node{2000.0 * i / nn, (i % 2) * 500.0, i < 5 ? 3 : 0, 0};
    NodeLayers& l = p.layers[i];
    l.B[0] = 20.0, l.T[0] = 30.0, l.B[1] = 5.0, l.T[1] = 15.0;
    l.F[0] = l.F[1] = 25.0;
    l.Q[0] = l.Q[1] = 0.0;
  }
  p.blocks[0] = Block{{0, 1, 2}, 0};
  p.blocks[1] = Block{{1, 2, 3}, 1};
  p.elements[0] = Element{{0, 1, 2}, 0};
  p.elements[1] = Element{{1, 2, 3}, 1};
  return p;
}

class GridWindowTest : public GridWindowFixture {
 protected:
  void Open(Problem p) { OpenFile(std::move(p), "grid.aqd"); }
  ui::TFormNod* ShowNodes() {
    return ShowWindow<ui::TFormNod>(Win::Nodes, &ui::TFormFem::SpeedButtonNodesClick);
  }
  ui::TFormSoils* ShowSoils() {
    return ShowWindow<ui::TFormSoils>(Win::Soils, &ui::TFormFem::SpeedButtonSoilsClick);
  }
  void ChooseLayer(ui::DataGridForm* window, int layer) {
    emit window->ComboBoxLayer()->activated(layer);
  }
};

struct EditCase {
  const char* name;
  bool soils;
  int layer;
  int col;
  int row;
  const char* text;
  Leave leave;
  const char* line;  // the one line of the saved file that changes
};

class GridEdits : public GridWindowTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(GridEdits, ChangeTheOneLineOfTheSavedFile) {
  const EditCase& c = GetParam();
  Open(GridProblem(25));
  ui::DataGridForm* window = c.soils ? static_cast<ui::DataGridForm*>(ShowSoils()) : ShowNodes();
  if (c.layer > 0) ChooseLayer(window, c.layer);
  Click(c.col, c.row);
  ASSERT_EQ(grid->Col(), c.col);
  ASSERT_EQ(grid->Row(), c.row);
  Type(c.text);
  LeaveBy(c.leave, c.col, c.row);
  EXPECT_NE(grid->Row() * 100 + grid->Col(), c.row * 100 + c.col) << "the selection moved on";
  EXPECT_TRUE(dialogs.messages.empty()) << LastMessage();
  EXPECT_EQ(SavedChanges(), std::vector<std::string>{c.line});
}

INSTANTIATE_TEST_SUITE_P(
    Windows, GridEdits,
    ::testing::Values(EditCase{"NodeXLeftByMouse", false, 0, kNodeX, 3, "-5", Leave::Mouse,
                               "       3,     0.000,     0.000,     3,"},
                      EditCase{"NodeBOfLastLayerLeftByEnter", false, 1, kNodeB, 2, "2",
                               Leave::Enter,
                               "              2.000,    15.000,    25.000000000,     0.000000000,"},
                      EditCase{"NodeTLeftByArrow", false, 0, kNodeT, 4, "10", Leave::ArrowDown,
                               "             20.000,    20.000,    25.000000000,     0.000000000,"},
                      EditCase{"NodeQLeftByTab", false, 0, kNodeQ, 25, "-12.5", Leave::Tab,
                               "             20.000,    30.000,    25.000000000,   -12.500000000,"},
                      EditCase{"NodeHeadGivenInLayer2", false, 1, kNodeFQ, 6, "f", Leave::ArrowDown,
                               "       6,   400.000,   500.000,     4,"},
                      EditCase{"NodeTopClosedByTypingC", false, 0, kNodeCO, 1, "c", Leave::Enter,
                               "       1,     0.000,     0.000,     2,"},
                      EditCase{"SoilKOf0", true, 0, 1, 1, "0", Leave::Mouse,
                               "       1,    0.000100,  0.4000,  1.0000,    0.000000,"},
                      EditCase{"SoilAquitardPorosityOfLayer2", true, 1, 2, 1, "1.5", Leave::Enter,
                               "             0.000100,  1.0000,  1.0000,"},
                      EditCase{"SoilKOfLayer2", true, 1, 4, 1, "7", Leave::ArrowDown,
                               "             7.000000,  0.4000,  1.0000,"},
                      // Tab from the last column passes the fixed column of the next row
                      EditCase{"SoilILastColumnLeftByTab", true, 0, 4, 1, "0.0002", Leave::Tab,
                               "       1,   10.000000,  0.4000,  1.0000,    0.000200,"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridWindowTest, CellsLeftUntouchedKeepTheirExactValues) {
  Problem p = GridProblem(25);
  p.layers[1].F[0] = 25.123456789;
  Open(p);
  ShowNodes();
  Click(kNodeF, 2);
  Click(kNodeF, 3);
  QTest::keyClick(grid, Qt::Key_Up);
  QTest::keyClick(grid, Qt::Key_Return);
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_TRUE(SavedChanges().empty()) << "not rounded to the three decimals shown";
}

TEST_F(GridWindowTest, EntriesAFileCannotHoldAreRefusedAndTheSelectionStays) {
  Open(GridProblem(25));
  ShowNodes();
  for (const char* text : {"1e400", "-1e400", "1e13", "nan"}) {
    Click(kNodeQ, 3);
    Type(text);
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_EQ(grid->Row(), 3) << text;
    EXPECT_EQ(grid->Cell(kNodeQ, 3), QStringLiteral("   0.000")) << "the value kept";
  }
  EXPECT_EQ(dialogs.messages,
            (std::vector<std::string>{"Enter real number <= 1e12", "Enter real number >= -1e12",
                                      "Enter real number <= 1e12", "Enter real number"}));
  ui::TFormSoils* soils = ShowSoils();
  Click(4, 2);
  Type("1e400");
  Click(4, 1);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(soils->Grid()->Cell(4, 2), QStringLiteral("    0.000000"));
  EXPECT_TRUE(SavedChanges().empty());
}

struct CopyCase {
  const char* name;
  int row;
  const char* line;
};

class NodesCopyKey : public GridWindowTest, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(NodesCopyKey, CopiesTheRowAboveAndStoresItOnTheNextRow) {
  Problem p = GridProblem(25);
  p.layers[2].F[0] = 27.5;   // node 3
  p.layers[24].F[0] = 26.0;  // the last node
  Open(p);
  ShowNodes();
  const int row = GetParam().row;
  Click(kNodeF, row);
  QTest::keyClick(grid, Qt::Key_C);
  EXPECT_EQ(grid->Row(), row + 1);
  EXPECT_TRUE(grid->Editing()) << "the editor is open on the next row";
  QTest::keyClick(Editor(), Qt::Key_Escape);
  EXPECT_EQ(SavedChanges(), std::vector<std::string>{GetParam().line});
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, NodesCopyKey,
    ::testing::Values(CopyCase{"FromTheRowAbove", 4,
                               "             20.000,    30.000,    27.500000000,     0.000000000,"},
                      CopyCase{
                          "Row1FromTheLastRow", 1,
                          "             20.000,    30.000,    26.000000000,     0.000000000,"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridWindowTest, NodesPageByATenthAndCheckTheCellLeft) {
  Open(GridProblem(25));
  ui::TFormNod* nodes = ShowNodes();
  const auto press = [&](const char* name) {
    QTest::mouseClick(nodes->findChild<QToolButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    return grid->Row();
  };
  EXPECT_EQ(press("SpeedButtonDown"), 3);
  EXPECT_EQ(press("SpeedButtonDown"), 5);
  EXPECT_EQ(press("SpeedButtonUp"), 3);
  EXPECT_EQ(press("SpeedButtonEnd"), 25);
  EXPECT_EQ(press("SpeedButtonDown"), 25);
  EXPECT_EQ(press("SpeedButtonBegin"), 1);
  EXPECT_EQ(press("SpeedButtonUp"), 1);
  Type("1e13");
  EXPECT_EQ(press("SpeedButtonEnd"), 1) << "the entry is refused";
  Type("7");
  EXPECT_EQ(press("SpeedButtonEnd"), 25);
  EXPECT_EQ(form->problem().nodes[0].X, 7.0);
}

TEST_F(GridWindowTest, NodesWithFewerThanTenRowsDoNotPage) {
  Open(GridProblem(9));
  ui::TFormNod* nodes = ShowNodes();
  nodes->PageDown();
  EXPECT_EQ(grid->Row(), 1);
  nodes->PageEnd();
  EXPECT_EQ(grid->Row(), 9);
  nodes->PageUp();
  EXPECT_EQ(grid->Row(), 9);
}

TEST_F(GridWindowTest, NodesLayerSelectorChangesColumnsAndTheSharedLayer) {
  Open(GridProblem(25));
  ui::TFormNod* nodes = ShowNodes();
  const int width1 = nodes->width();
  EXPECT_EQ(grid->ColCount(), 9);
  EXPECT_EQ(grid->model()->headerData(8, Qt::Horizontal).toString(), QStringLiteral(" C/O"));
  ChooseLayer(nodes, 1);
  EXPECT_EQ(form->CurrentLayer(), 1);
  EXPECT_EQ(grid->ColCount(), 8);
  EXPECT_EQ(nodes->width(), width1 - 40);
  EXPECT_EQ(grid->Col(), kNodeB) << "the first editable column";
  EXPECT_FALSE(grid->MoveTo(kNodeY, 2)) << "coordinates are edited in layer 1 only";
  Click(kNodeX, 3);
  EXPECT_EQ(grid->Col(), kNodeB);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(grid->Cell(kNodeB, 1), QStringLiteral("   5.000"));
  // a typed number outside 1..NL stays inside the problem's layers
  QLineEdit* typed = nodes->ComboBoxLayer()->lineEdit();
  for (const auto& [text, layer] :
       std::vector<std::pair<const char*, int>>{{"9", 1}, {"0", 0}, {"-3", 0}, {"2", 1}}) {
    typed->setText(QString::fromLatin1(text));
    QTest::keyClick(typed, Qt::Key_Return);
    EXPECT_EQ(form->CurrentLayer(), layer) << text;
    EXPECT_EQ(grid->ColCount(), layer == 0 ? 9 : 8) << text;
  }
}

TEST_F(GridWindowTest, WindowsShowingALayerFollowTheOneCurrentLayer) {
  Open(GridProblem(25));
  ui::TFormNod* nodes = ShowNodes();
  ChooseLayer(nodes, 1);
  ui::TFormSoils* soils = ShowSoils();  // its activation starts in layer 1
  EXPECT_EQ(form->CurrentLayer(), 0);
  EXPECT_EQ(nodes->ComboBoxLayer()->currentIndex(), 0);
  EXPECT_EQ(nodes->Grid()->ColCount(), 9);
  EXPECT_EQ(nodes->Grid()->Cell(kNodeB, 1), QStringLiteral("  20.000")) << "layer 1 shown";
  ChooseLayer(soils, 1);
  EXPECT_EQ(nodes->ComboBoxLayer()->currentIndex(), 1);
  EXPECT_EQ(nodes->Grid()->Cell(kNodeB, 1), QStringLiteral("   5.000"));
  // an entry still waiting in the nodes grid goes to the layer it was typed in
  grid = nodes->Grid();
  Click(kNodeT, 2);
  Type("14");
  ChooseLayer(soils, 0);
  EXPECT_EQ(form->problem().layers[1].T[1], 14.0);
  EXPECT_EQ(form->problem().layers[1].T[0], 30.0);
}

TEST_F(GridWindowTest, NodesWindowIsSizedAndPlaced) {
  Open(GridProblem(25));
  ui::TFormNod* nodes = ShowNodes();
  EXPECT_EQ(grid->height(), 2 * grid->frameWidth() + 21 * 17);
  EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  EXPECT_EQ(nodes->frameGeometry().right() + 1, screen.width() - 30);
  EXPECT_EQ(nodes->frameGeometry().y(), static_cast<int>(0.4 * screen.height()));
  ASSERT_NE(nodes->ComboBoxLayer(), nullptr);
  EXPECT_EQ(nodes->ComboBoxLayer()->count(), 2);
  EXPECT_EQ(nodes->ComboBoxLayer()->itemText(1), QStringLiteral("  2"));
  // the main window's repaint gives the grid the problem's rows
  form->problem().NN = 7;
  form->FormPaint();
  EXPECT_EQ(grid->RowCount(), 8);
}

TEST_F(GridWindowTest, AProblemOf200000NodesPagesToTheEnd) {
  InstallationData installation;
  installation.caps.NMAX = 200000;
  ASSERT_TRUE(WriteInstallationFile(dir.path(), installation));
  form->SpeedButtonNewClick();  // reads the installation file again
  Open(GridProblem(200000));
  ui::TFormNod* nodes = ShowNodes();
  EXPECT_EQ(grid->RowCount(), 200001);
  nodes->PageDown();
  EXPECT_EQ(grid->Row(), 20001);
  nodes->PageEnd();
  EXPECT_EQ(grid->Row(), 200000);
  EXPECT_EQ(grid->Cell(kNodeI, 200000), QStringLiteral("200000"));
  EXPECT_EQ(grid->Cell(kNodeX, 200000), QStringLiteral("   1999.990"));
  const QRect last = grid->visualRect(grid->currentIndex());
  EXPECT_TRUE(grid->viewport()->rect().contains(last)) << "the last row is in view";
  EXPECT_EQ(grid->rowAt(grid->viewport()->height() - 1), 200000 - 1);
}

TEST_F(GridWindowTest, SoilsWarnOfALargeInfiltrationOncePerActivation) {
  Open(GridProblem(25));
  ShowSoils();
  Click(4, 1);
  Type("2");
  Click(4, 2);
  Type("3");
  QTest::keyClick(Editor(), Qt::Key_Return);
  EXPECT_EQ(dialogs.messages,
            std::vector<std::string>{"Warning : This is a very large infiltration"});
  EXPECT_EQ(form->problem().soils[1].I, 3.0);
  form->SpeedButtonSoilsClick();  // closed
  ShowSoils();
  Click(4, 1);
  Type("5");
  Click(4, 2);
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(GridWindowTest, SoilsClampTheLayerShownAndCloseWithoutStoring) {
  Problem p = GridProblem(25);
  p.soils[1].P[1] = 0.0;
  Open(p);
  ui::TFormSoils* soils = ShowSoils();
  EXPECT_EQ(form->problem().soils[1].P[1], 0.0) << "layer 1 shown";
  ChooseLayer(soils, 1);
  EXPECT_EQ(grid->Cell(5, 2), QStringLiteral("  0.0100"));
  EXPECT_EQ(form->problem().soils[1].P[1], 0.01);
  EXPECT_EQ(grid->ColCount(), 7);
  Click(2, 2);
  Type("0.9");
  soils->close();
  EXPECT_FALSE(form->IsOpen(Win::Soils));
  EXPECT_EQ(form->problem().soils[1].PA[1], 0.4) << "the text being edited is not stored";
  EXPECT_EQ(form->GridSelection(), std::make_pair(1, 1));
  EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridWindowTest, MainWindowRepaintLeavesTheSoilsSelectionOnScreenAlone) {
  Open(GridProblem(25));
  ShowSoils();
  Click(3, 2);
  form->FormPaint();
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 2);
}

TEST_F(GridWindowTest, SoilsGridLooksAsWritten) {
  Open(GridProblem(25));
  ui::TFormSoils* soils = ShowSoils();
  EXPECT_EQ(grid->font().pixelSize(), 11);
  EXPECT_EQ(grid->rowHeight(0), 16);
  EXPECT_EQ(
      grid->model()->data(grid->model()->index(0, 0), Qt::BackgroundRole).value<QBrush>().color(),
      QColor(255, 255, 0));
  EXPECT_EQ(grid->height(), 2 * grid->frameWidth() + 3 * 16);
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  EXPECT_EQ(soils->frameGeometry().right() + 1, screen.width() - 60);
  EXPECT_EQ(soils->frameGeometry().y(), 80);
  QToolButton* help = soils->findChild<QToolButton*>(QStringLiteral("SpeedButtonHelp"));
  EXPECT_EQ(help->mapTo(soils, QPoint(help->width(), 0)).x(), grid->geometry().right() + 1);
  QTest::mouseClick(help, Qt::LeftButton);
  EXPECT_EQ(LastMessage(), SoilsHelpText(2));
}

}  // namespace
}  // namespace planaq::test
