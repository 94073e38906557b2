// The Elements, Wells and Particles windows driven as the user drives them, each edit checked
// in the datafile that Save writes; the main window's particle rows; and a pumping-well
// problem made in the program from a refined datafile and solved.

#include <QEnterEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <cmath>
#include <fstream>
#include <sstream>

#include "GridWindowFixture.h"
#include "UiTest.h"
#include "grids/ElementsGrid.h"
#include "grids/ParticlesGrid.h"
#include "grids/WellsGrid.h"
#include "mesh/Split.h"
#include "mesh/Wells.h"
#include "ui/grids/FormElm.h"
#include "ui/grids/FormParticles.h"
#include "ui/grids/FormWells.h"

namespace planaq::test {
namespace {

using ui::DataGrid;
using ui::Win;

// Four nodes on the square in two layers (layer 1 from 20 to 30 m with heads 25 m, layer 2
// from 5 to 15 m with heads 12 m), node 1 with the head given in layer 1; 25 elements
// alternating between the two blocks; well 1 at node 1 in layer 1 pumping 10 m3/d, well 2 at
// node 4 in layer 2; three particles.
Problem WindowsProblem() {
  Problem p;
  p.StartUp(Capacities{});
  p.ProblemName = "Windows";
  p.NL = 2;
  p.NN = p.NA = 4;
  p.NB = 2;
  p.NM = 25;
  const double xs[4] = {0.0, 0.0, p.LX, p.LX}, ys[4] = {0.0, p.LY, 0.0, p.LY};
  for (int n = 0; n < 4; ++n) {
    p.nodes[n] = Node{xs[n], ys[n], n == 0 ? 2 : 0, 0};
    NodeLayers& l = p.layers[n];
    l.B[0] = 20.0, l.T[0] = 30.0, l.F[0] = 25.0;
    l.B[1] = 5.0, l.T[1] = 15.0, l.F[1] = 12.0;
  }
  p.blocks[0] = Block{{0, 2, 1}, 0};
  p.blocks[1] = Block{{1, 2, 3}, 1};
  for (int e = 0; e < p.NM; ++e)
    p.elements[e] = e % 2 == 0 ? Element{{0, 2, 1}, 0} : Element{{1, 2, 3}, 1};
  p.NW = 2;
  p.wells[0] = Well{0, 0, -10.0};
  p.wells[1] = Well{3, 1, 0.0};
  p.NP = 3;
  for (int i = 0; i < 3; ++i) {
    p.particles[i].X0 = 100.0 + i;
    p.particles[i].Y0 = 200.0 + i;
    p.particles[i].Z0 = 25.0;
  }
  return p;
}

class GridWindowsTest : public GridWindowFixture {
 protected:
  void Open(Problem p) {
    OpenFile(std::move(p), "windows.aqd");
    form->FormPaint();
  }
  template <class Window>
  Window* Show(Win w) {
    void (ui::TFormFem::*command)() = w == Win::Elements ? &ui::TFormFem::SpeedButtonElementsClick
                                      : w == Win::Wells  ? &ui::TFormFem::SpeedButtonWellsClick
                                                         : &ui::TFormFem::SpeedButtonParticlesClick;
    return ShowWindow<Window>(w, command);
  }
  QToolButton* WindowButton(QWidget* window, const char* name) const {
    return window->findChild<QToolButton*>(QString::fromLatin1(name));
  }
  static QSize Screen() { return QGuiApplication::primaryScreen()->geometry().size(); }
};

// ---- an edit in each window changes its lines of the saved file and no other ----

struct EditCase {
  const char* name;
  Win window;
  int col;
  int row;
  const char* text;
  Leave leave;
  std::vector<std::string> lines;
};

class GridWindowEdits : public GridWindowsTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(GridWindowEdits, ChangeTheirLinesOfTheSavedFile) {
  const EditCase& c = GetParam();
  Open(WindowsProblem());
  Show<ui::DataGridForm>(c.window);
  Click(c.col, c.row);
  ASSERT_EQ(grid->Col() * 100 + grid->Row(), c.col * 100 + c.row);
  Type(c.text);
  LeaveBy(c.leave, c.col, c.row);
  EXPECT_NE(grid->Col() * 100 + grid->Row(), c.col * 100 + c.row) << "the selection moved on";
  EXPECT_TRUE(dialogs.messages.empty()) << LastMessage();
  EXPECT_EQ(SavedChanges(), c.lines);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Windows, GridWindowEdits,
    ::testing::Values(
        EditCase{"ElementNodeAboveNN", Win::Elements, kElementNode2, 3, "9", Leave::Mouse,
                 {"       3,       1,       4,       2,       1,"}},
        EditCase{"ElementSoilAboveNB", Win::Elements, kElementSoil, 1, "7", Leave::Enter,
                 {"       1,       1,       3,       2,       2,"}},
        EditCase{"ElementNode0", Win::Elements, kElementNode3, 2, "0", Leave::Tab,
                 {"       2,       2,       3,       1,       2,"}},
        EditCase{"WellLayer9OfTwo", Win::Wells, kWellLayer, 1, "9", Leave::Tab,
                 {"       1,       1,       2,   12.000000,  -10.000000,   2,"}},
        EditCase{"WellPumping", Win::Wells, kWellQ, 2, "-500", Leave::Enter,
                 {"       2,       4,       2,   12.000000, -500.000000,   0,"}},
        EditCase{"WellHeadBelowTheBottom", Win::Wells, kWellF, 2, "3", Leave::Mouse,
                 {"              5.000,    15.000,     5.001000000,     0.000000000,",
                  "       2,       4,       2,    5.001000,    0.000000,   0,"}},
        EditCase{"WellHeadGivenInLayer2", Win::Wells, kWellFQ, 2, "f", Leave::Mouse,
                 {"       4,  2000.000,  1000.000,     4,",
                  "       2,       4,       2,   12.000000,    0.000000,   4,"}},
        EditCase{"ParticleXBelow0", Win::Particles, kParticleX, 2, "-5", Leave::Enter,
                 {"       2,    0.000000,  201.000000,   25.000000,"}},
        EditCase{"ParticleYAboveLY", Win::Particles, kParticleY, 1, "5000", Leave::Mouse,
                 {"       1,  100.000000, 1000.000000,   25.000000,"}},
        EditCase{"ParticleZWithoutUpperLimit", Win::Particles, kParticleZ, 3, "1e6", Leave::Enter,
                 {"       3,  102.000000,  202.000000,1000000.000000,"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// ---- one data row: Enter and the copy key store the entry as they do on longer grids ----

struct OneRowCase {
  const char* name;
  Win window;
  int col;
  const char* text;
  bool copyKey;  // the entry taken by the lowercase c instead of Enter
  double (*stored)(const Problem&);
  double value;
  const char* line;
};

class OneRowGrids : public GridWindowsTest, public ::testing::WithParamInterface<OneRowCase> {};

TEST_P(OneRowGrids, StoreTheEntryInTheModelAndTheSavedFile) {
  const OneRowCase& c = GetParam();
  Open(SquareProblem(1, 1));
  if (c.window == Win::Soils)
    ShowWindow<ui::DataGridForm>(Win::Soils, &ui::TFormFem::SpeedButtonSoilsClick);
  else
    Show<ui::DataGridForm>(c.window);
  ASSERT_EQ(grid->RowCount(), 2);
  Click(c.col, 1);
  Type(c.text);
  if (c.copyKey)
    QTest::keyClick(Editor(), Qt::Key_C);
  else
    QTest::keyClick(Editor(), Qt::Key_Return);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_TRUE(grid->Editing()) << "the editor opens again, as on the next row of a longer grid";
  EXPECT_EQ(c.stored(form->problem()), c.value);
  EXPECT_EQ(SavedChanges(), std::vector<std::string>{c.line});
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Windows, OneRowGrids,
    ::testing::Values(
        OneRowCase{"SoilKByEnter", Win::Soils, 1, "7", false,
                   [](const Problem& p) { return p.soils[0].K[0]; }, 7.0,
                   "       1,    7.000000,  0.4000,  1.0000,    0.000000,"},
        OneRowCase{"WellQByCopyKey", Win::Wells, kWellQ, "-500", true,
                   [](const Problem& p) { return p.wells[0].Q; }, -500.0,
                   "       1,       1,       1,   10.000000, -500.000000,   2,"},
        OneRowCase{"ParticleYByEnter", Win::Particles, kParticleY, "250", false,
                   [](const Problem& p) { return p.particles[0].Y0; }, 250.0,
                   "       1,  100.000000,  250.000000,    0.000000,"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// ---- Elements ----

TEST_F(GridWindowsTest, ElementsPageByATenthAndCopyTheRowAbove) {
  Problem p = WindowsProblem();
  p.elements[24] = Element{{3, 2, 1}, 1};
  Open(p);
  ui::TFormElm* elements = Show<ui::TFormElm>(Win::Elements);
  EXPECT_EQ(grid->Col(), kElementNode1);
  EXPECT_EQ(grid->Row(), 1);
  const auto press = [&](const char* name) {
    QTest::mouseClick(WindowButton(elements, name), Qt::LeftButton);
    return grid->Row();
  };
  EXPECT_EQ(press("SpeedButtonDown"), 3);
  EXPECT_EQ(press("SpeedButtonUp"), 1);
  EXPECT_EQ(press("SpeedButtonEnd"), 25);
  EXPECT_EQ(press("SpeedButtonBegin"), 1);
  // c on row 1 copies the last row, stored when the selection moves on to row 2
  QTest::keyClick(grid, Qt::Key_C);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_TRUE(grid->Editing());
  QTest::keyClick(Editor(), Qt::Key_Escape);
  Click(kElementSoil, 24);
  QTest::keyClick(grid, Qt::Key_C);
  EXPECT_EQ(SavedChanges(),
            (std::vector<std::string>{"       1,       4,       3,       2,       1,",
                                      "      24,       2,       3,       4,       1,"}));
}

TEST_F(GridWindowsTest, ElementsWindowIsSizedPlacedAndHelps) {
  Open(WindowsProblem());
  ui::TFormElm* elements = Show<ui::TFormElm>(Win::Elements);
  EXPECT_EQ(grid->ColCount(), 5);
  for (int c = 0; c < 5; ++c) EXPECT_EQ(grid->columnWidth(c), 60);
  EXPECT_EQ(grid->height(), 2 * grid->frameWidth() + 21 * 17);
  EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
  EXPECT_EQ(elements->frameGeometry().topLeft(),
            QPoint(20, static_cast<int>(0.45 * Screen().height())));
  EXPECT_FALSE(grid->MoveTo(kElementJ, 2)) << "the element number is fixed";
  QTest::mouseClick(WindowButton(elements, "SpeedButtonHelp"), Qt::LeftButton);
  EXPECT_EQ(LastMessage(), ElementsHelpText());
  form->SpeedButtonElementsClick();
  EXPECT_FALSE(form->IsOpen(Win::Elements));
}

// ---- Wells ----

TEST_F(GridWindowsTest, WellsStartAtTheLayerCellAndLookAsWritten) {
  Open(WindowsProblem());
  ui::TFormWells* wells = Show<ui::TFormWells>(Win::Wells);
  EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(3, 1));
  EXPECT_EQ(form->GridSelection(), std::make_pair(3, 1));
  for (int fixed : {kWellNode, kWellX, kWellY}) EXPECT_FALSE(grid->MoveTo(fixed, 2));
  EXPECT_EQ(grid->font().pixelSize(), 11);
  EXPECT_EQ(grid->rowHeight(0), 16);
  EXPECT_EQ(
      grid->model()->data(grid->model()->index(0, 2), Qt::BackgroundRole).value<QBrush>().color(),
      QColor(255, 255, 0));
  EXPECT_EQ(grid->height(), 2 * grid->frameWidth() + 3 * 16);
  EXPECT_EQ(wells->frameGeometry().right() + 1, Screen().width() - 40);
  EXPECT_EQ(wells->frameGeometry().y(), 300);
  QToolButton* help = WindowButton(wells, "SpeedButtonHelp");
  EXPECT_EQ(help->mapTo(wells, QPoint(help->width(), 0)).x(), grid->geometry().right() + 1);
  QTest::mouseClick(help, Qt::LeftButton);
  EXPECT_EQ(LastMessage(), WellsHelpText());
}

TEST_F(GridWindowsTest, WellsCloseWithoutStoringTheCellBeingEdited) {
  Open(WindowsProblem());
  ui::TFormWells* wells = Show<ui::TFormWells>(Win::Wells);
  Click(kWellQ, 2);
  Type("-99");
  wells->close();
  EXPECT_FALSE(form->IsOpen(Win::Wells));
  EXPECT_EQ(form->problem().wells[1].Q, 0.0);
  EXPECT_TRUE(SavedChanges().empty());
}

TEST_F(GridWindowsTest, WindowsWithoutALayerLeaveTheCurrentLayerAlone) {
  Open(WindowsProblem());
  form->SpeedButtonNodesClick();
  auto* nodes = static_cast<ui::DataGridForm*>(form->Window(Win::Nodes));
  nodes->SelectLayer(1);
  Show<ui::TFormWells>(Win::Wells);
  Show<ui::TFormElm>(Win::Elements);
  EXPECT_EQ(form->CurrentLayer(), 1);
  EXPECT_EQ(nodes->Grid()->ColCount(), 8) << "the nodes window stays in layer 2";
}

// ---- Particles and the main window's particle rows ----

TEST_F(GridWindowsTest, ParticlesCopyTheLastRowIntoRow1AndArePlaced) {
  Problem p = WindowsProblem();
  p.particles[2].Y0 = 750.0;
  Open(p);
  ui::TFormParticles* particles = Show<ui::TFormParticles>(Win::Particles);
  EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(1, 1));
  EXPECT_EQ(particles->frameGeometry().right() + 1, Screen().width() - 60);
  EXPECT_EQ(particles->frameGeometry().y(), static_cast<int>(0.3 * Screen().height()));
  EXPECT_EQ(grid->ColCount(), 4);
  Click(kParticleY, 1);
  QTest::keyClick(grid, Qt::Key_C);
  EXPECT_EQ(grid->Row(), 2);
  QTest::keyClick(Editor(), Qt::Key_Escape);
  EXPECT_EQ(SavedChanges(),
            std::vector<std::string>{"       1,  100.000000,  750.000000,   25.000000,"});
  QTest::mouseClick(WindowButton(particles, "SpeedButtonHelp"), Qt::LeftButton);
  EXPECT_EQ(LastMessage(), ParticlesHelpText());
}

TEST_F(GridWindowsTest, ParticlesWithoutParticlesHaveOnlyTheHeadingRow) {
  Problem p = WindowsProblem();
  p.NP = 0;
  Open(p);
  Show<ui::TFormParticles>(Win::Particles);
  EXPECT_EQ(grid->RowCount(), 1);
  EXPECT_EQ(grid->height(), 2 * grid->frameWidth() + 16);
  EXPECT_FALSE(grid->MoveTo(1, 1));
  EXPECT_FALSE(grid->Editing());
}

TEST_F(GridWindowsTest, RepaintGivesTheParticleRowsOfNPAndRefillsTheNewOnes) {
  Open(WindowsProblem());
  Show<ui::TFormParticles>(Win::Particles);
  ui::StringGrid* general = Grid("GeneralGrid");
  ASSERT_TRUE(EnterAndLeave(general, 10, "5", 11));
  form->problem().particleRowsStale = true;
  form->FormPaint();
  EXPECT_FALSE(form->problem().particleRowsStale);
  EXPECT_EQ(grid->RowCount(), 6);
  EXPECT_EQ(grid->Cell(kParticleI, 5), QStringLiteral("     5"));
  EXPECT_EQ(grid->Cell(kParticleX, 5), QStringLiteral("      0.000")) << "a new particle";
  EXPECT_EQ(grid->Cell(kParticleX, 3), QStringLiteral("    102.000"));
  ASSERT_TRUE(EnterAndLeave(general, 10, "1", 11));
  form->FormPaint();
  EXPECT_EQ(grid->RowCount(), 2);
}

TEST_F(GridWindowsTest, ParticlesWindowGrowsAndScrollsWhenNPIsRaisedWhileItIsOpen) {
  Open(WindowsProblem());
  ui::TFormParticles* particles = Show<ui::TFormParticles>(Win::Particles);
  const int shortHeight = particles->height();
  ASSERT_TRUE(EnterAndLeave(Grid("GeneralGrid"), 10, "25", 11));
  form->FormPaint();
  ASSERT_TRUE(particles->isVisible());
  EXPECT_EQ(grid->RowCount(), 26);
  EXPECT_EQ(grid->height(), 2 * grid->frameWidth() + 21 * 16) << "20 rows in view";
  EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
  EXPECT_EQ(particles->height() - shortHeight, 17 * 16);
  EXPECT_EQ(particles->frameGeometry().right() + 1, Screen().width() - 60);
  // before any repaint of the main window: the rows follow as soon as the mouse comes back
  ASSERT_TRUE(EnterAndLeave(Grid("GeneralGrid"), 10, "2", 11));
  const QPointF inside(5, 5);
  QEnterEvent enter(inside, inside, particles->mapToGlobal(inside));
  QApplication::sendEvent(particles, &enter);
  EXPECT_EQ(grid->RowCount(), 3);
  EXPECT_EQ(particles->height(), shortHeight - 16);
}

TEST_F(GridWindowsTest, ParticlesCommandStartsTheSharedSelectionAtColumn1Row1) {
  Open(WindowsProblem());
  Show<ui::TFormWells>(Win::Wells);
  Click(kWellQ, 2);
  EXPECT_EQ(form->GridSelection(), std::make_pair(5, 2));
  form->SpeedButtonWellsClick();
  Show<ui::TFormParticles>(Win::Particles);
  EXPECT_EQ(form->GridSelection(), std::make_pair(1, 1));
  EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(1, 1));
}

// ---- a pumping well made in the program ----

// The square of SquareProblem refined three times, the left side held at 10 m and the right
// at 5 m, the rest given supply; a new well in the middle, as the mesh window adds it.
Problem RefinedSquareWithAWell() {
  Problem p = SquareProblem(0, 0);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(SplitElements4(p).Changed());
  for (int n = 0; n < p.NN; ++n) {
    const bool side = p.nodes[n].X == 0.0 || p.nodes[n].X == p.LX;
    p.nodes[n].Type = side ? 2 : 0;
    p.layers[n].B[0] = 0.0;
    p.layers[n].T[0] = 20.0;
    p.layers[n].F[0] = p.nodes[n].X == 0.0 ? 10.0 : p.nodes[n].X == p.LX ? 5.0 : 7.5;
  }
  EXPECT_TRUE(AddWellAt(p, 1010.0, 505.0).Changed());
  return p;
}

std::string RunCli(const QStringList& args) {
  QProcess cli;
  cli.start(QStringLiteral(PLANAQ_CLI), args);
  EXPECT_TRUE(cli.waitForFinished(120000));
  EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
  return cli.readAllStandardOutput().toStdString();
}

// the heads of a one-layer datafile: F of the layer lines of the nodes (B, T, F, Q)
std::vector<double> Heads(const std::string& file) {
  std::vector<double> heads;
  for (const std::string& line : Lines(ReadAll(file))) {
    double b = 0, t = 0, f = 0, q = 0;
    const bool layerLine = line.find('.') < line.find(',');
    if (layerLine && std::sscanf(line.c_str(), "%lf,%lf,%lf,%lf", &b, &t, &f, &q) == 4)
      heads.push_back(f);
  }
  return heads;
}

TEST_F(GridWindowsTest, APumpingWellProblemIsMadeInTheProgramAndSolves) {
  Open(RefinedSquareWithAWell());
  const Problem& p = form->problem();
  ASSERT_EQ(p.NW, 1);
  const Node well = p.nodes[p.wells[0].Node];
  // the well's layer, discharge and switch in the Wells window
  Show<ui::TFormWells>(Win::Wells);
  for (const auto& [col, text] : std::vector<std::pair<int, const char*>>{
           {kWellLayer, "1"}, {kWellQ, "-500"}, {kWellFQ, "q"}}) {
    Click(col, 1);
    Type(text);
    QTest::keyClick(Editor(), Qt::Key_Return);
  }
  EXPECT_EQ(p.wells[0].Q, -500.0);
  // two particles upstream of the well, in the middle of the aquifer
  ASSERT_TRUE(EnterAndLeave(Grid("GeneralGrid"), 10, "2", 11));
  form->FormPaint();
  Show<ui::TFormParticles>(Win::Particles);
  const char* typed[2][3] = {{"800", "500", "10"}, {"700", "420", "10"}};
  for (int i = 0; i < 2; ++i)
    for (int c = 0; c < 3; ++c) {
      Click(kParticleX + c, i + 1);
      Type(typed[i][c]);
      QTest::keyClick(Editor(), Qt::Key_Return);
    }
  EXPECT_EQ(p.particles[1].Y0, 420.0);
  EXPECT_EQ(p.particles[1].Z0, 10.0);
  ASSERT_TRUE(dialogs.messages.empty()) << LastMessage();
  const std::string solved = dir.File("solved.aqd");
  dialogs.AnswerFile(solved);
  form->SpeedButtonCalcClick();
  ASSERT_TRUE(dialogs.messages.empty()) << LastMessage();
  EXPECT_LT(p.layers[p.wells[0].Node].F[0], 7.0) << "the well draws the head down";
  // the saved file solves to the same heads, and both particles end in the well
  const std::string again = dir.File("again.aqd");
  RunCli({QStringLiteral("solve"), QString::fromStdString(solved), QString::fromStdString(again)});
  const std::vector<double> heads = Heads(solved), headsAgain = Heads(again);
  ASSERT_EQ(heads.size(), static_cast<std::size_t>(p.NN));
  ASSERT_EQ(headsAgain.size(), heads.size());
  for (std::size_t n = 0; n < heads.size(); ++n) EXPECT_NEAR(headsAgain[n], heads[n], 1e-4) << n;
  const std::string trace = RunCli({QStringLiteral("trace"), QString::fromStdString(solved)});
  const std::vector<std::string> rows = Lines(trace);
  for (int particle = 1; particle <= 2; ++particle) {
    std::string last;
    for (const std::string& row : rows)
      if (row.rfind(std::to_string(particle) + ",", 0) == 0) last = row;
    int number = 0;
    long long step = 0;
    double x = 0, y = 0;
    ASSERT_EQ(std::sscanf(last.c_str(), "%d,%lld,%lf,%lf", &number, &step, &x, &y), 4)
        << "particle " << particle << " not traced";
    EXPECT_LT(std::abs(x - well.X) + std::abs(y - well.Y), 25.0) << last;
  }
}

}  // namespace
}  // namespace planaq::test
