// The block editor and the mesh window, driven by object names and mouse events on the
// drawing: a problem drawn from nothing, refined and given wells; the refusals; the rubber
// line; the coordinate fields; undo.

#include <QApplication>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <functional>

#include "UiTest.h"
#include "mesh/Blocks.h"
#include "mesh/MeshDrawing.h"
#include "mesh/MeshMessages.h"
#include "mesh/Split.h"
#include "mesh/Wells.h"
#include "ui/GeneralData.h"
#include "ui/figures/FormEdit.h"
#include "ui/figures/FormMesh.h"
#include "ui/qt/QtImageCanvas.h"

namespace planaq::test {
namespace {

using ui::Win;

class FiguresTest : public MainWindowTest {
 public:
  // the cases of the table-driven tests reach the window through the fixture
  using MainWindowTest::Button;
  using MainWindowTest::dialogs;
  using MainWindowTest::form;
  ui::TFormEdit* Edit() const { return static_cast<ui::TFormEdit*>(form->Window(Win::Edit)); }
  ui::TFormMesh* Mesh() const { return static_cast<ui::TFormMesh*>(form->Window(Win::Mesh)); }
  static QToolButton* Key(QWidget* window, const char* name) {
    auto* key = window->findChild<QToolButton*>(QString::fromLatin1(name));
    EXPECT_NE(key, nullptr) << name;
    return key;
  }
  template <class W>
  static W* Part(QWidget* window, const char* name) {
    auto* part = window->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(part, nullptr) << name;
    return part;
  }
  // the pixel of a point in metres in the window's mapping
  template <class F>
  static QPoint At(const F* window, double x, double y) {
    const Point p = window->Mapping().ToPixel(x, y);
    return {p.x, p.y};
  }
  QPoint AtNode(const ui::TFormEdit* window, int n) const {
    return At(window, form->problem().nodes[n].X, form->problem().nodes[n].Y);
  }
  static void Move(QWidget* w, QPoint at, Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, held, {});
    QApplication::sendEvent(w, &move);
  }
  static void Press(QWidget* w, QPoint at) { QTest::mousePress(w, Qt::LeftButton, {}, at); }
  static void Release(QWidget* w, QPoint at) { QTest::mouseRelease(w, Qt::LeftButton, {}, at); }
  static void Drag(QWidget* w, QPoint from, QPoint to) {
    Press(w, from);
    Move(w, to, Qt::LeftButton);
    Release(w, to);
  }
  void NewNode(QPoint at) {
    Key(Edit(), "SpeedButtonNode")->click();
    Move(Edit(), at);
    Press(Edit(), at);
    Release(Edit(), at);
  }
  void NewLine(QPoint from, QPoint to) {
    Key(Edit(), "SpeedButtonLine")->click();
    Drag(Edit(), from, to);
  }
  void AddWell(QPoint at) {
    Key(Mesh(), "SpeedButtonNode")->click();
    Move(Mesh(), at);
    Press(Mesh(), at);
    Release(Mesh(), at);
  }
  static void Undo(QWidget* w) { QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier); }
  static void Leave(QLineEdit* field, const char* text) {
    field->setText(QString::fromLatin1(text));
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(field, &out);
  }
  std::string Datafile() const { return FormatDatafile(form->problem()); }
  int Shown(int row) const { return std::stoi(Grid("GeneralGrid")->CellText(1, row)); }
  // two blocks that share no node: a line between them closes no triangle
  void TwoSeparateBlocks() {
    Problem& p = form->problem();
    const double xs[6] = {0, 0, 400, 1200, 1600, 1600};
    const double ys[6] = {0, 400, 0, 900, 500, 900};
    for (int n = 0; n < 6; ++n) p.nodes[n].X = xs[n], p.nodes[n].Y = ys[n];
    p.NA = p.NN = 6;
    p.blocks[1] = Block{{3, 4, 5}, 1};
    p.NB = p.NM = 2;
  }
};

TEST_F(FiguresTest, ProblemDrawnFromNothingIsRefinedGivenWellsSavedAndReadBack) {
  Button("SpeedButtonNew")->click();
  ASSERT_TRUE(form->IsOpen(Win::Edit));
  ASSERT_TRUE(Edit()->isVisible());
  const Problem& p = form->problem();
  NewNode(At(Edit(), 1000, 100));  // on the side from node 3 to node 1
  NewNode(At(Edit(), 600, 700));   // on the side from node 2 to node 3
  ASSERT_EQ(p.NA, 5);
  ASSERT_EQ(p.NB, 3);
  NewLine(AtNode(Edit(), 4), AtNode(Edit(), 3));  // closes the block 5, 4, 3
  ASSERT_EQ(p.NB, 4);
  EXPECT_EQ(p.blocks[3].Node, (std::array<int, 3>{4, 3, 2}));
  Key(Edit(), "SpeedButtonDrag")->click();
  const QPoint to = At(Edit(), 700, 800);
  Drag(Edit(), AtNode(Edit(), 4), to);
  EXPECT_EQ(Edit()->EditMode(), ui::TFormEdit::Mode::None);
  const double pixel = 1 / Edit()->Mapping().s;
  EXPECT_NEAR(p.nodes[4].X, Edit()->Mapping().ToX(to.x()), pixel);
  EXPECT_NEAR(p.nodes[4].Y, Edit()->Mapping().ToY(to.y()), pixel);
  Edit()->close();
  EXPECT_FALSE(form->IsOpen(Win::Edit));
  EXPECT_EQ(Shown(ui::kRowNA), 5) << "the main window is repainted at once";
  EXPECT_EQ(Shown(ui::kRowNB), 4);
  EXPECT_TRUE(dialogs.messages.empty());

  Button("SpeedButtonMesh")->click();
  ASSERT_TRUE(Mesh()->isVisible());
  Key(Mesh(), "SpeedButtonSplit4")->click();
  Key(Mesh(), "SpeedButtonSplit4")->click();
  EXPECT_EQ(p.NM, 4 * 16);
  Key(Mesh(), "SpeedButtonSplit2")->click();
  EXPECT_GE(p.NM, 4 * 16 * 2) << "more where a divided side must be followed";
  EXPECT_EQ(Part<QLabel>(Mesh(), "LabelOperation")->text().toStdString(),
            messages::SplitProgress(2, p.NN, p.NM));
  const int NN = p.NN, NM = p.NM;
  AddWell(At(Mesh(), 750, 500));  // inside block 4, far from its nodes
  ASSERT_EQ(p.NW, 1);
  EXPECT_EQ(p.NN, NN + 4);
  AddWell(At(Mesh(), 0, 0));  // at node 1
  ASSERT_EQ(p.NW, 2);
  EXPECT_EQ(p.wells[1].Node, 0);
  EXPECT_GT(p.NM, NM);
  EXPECT_FALSE(Mesh()->AddWellMode());
  Mesh()->close();
  EXPECT_EQ(Shown(ui::kRowNN), p.NN);
  EXPECT_EQ(Shown(ui::kRowNM), p.NM);
  EXPECT_EQ(Shown(ui::kRowNW), 2);
  EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front();

  const std::string path = dir.File("drawn.aqd");
  dialogs.AnswerFile(path);
  Button("SpeedButtonSave")->click();
  Problem back;
  back.StartUp(Capacities{});
  ASSERT_TRUE(ReadDatafile(back, path).ok);
  EXPECT_EQ(back.NA, Shown(ui::kRowNA));
  EXPECT_EQ(back.NB, Shown(ui::kRowNB));
  EXPECT_EQ(back.NN, Shown(ui::kRowNN));
  EXPECT_EQ(back.NM, Shown(ui::kRowNM));
  EXPECT_EQ(back.NW, Shown(ui::kRowNW));
}

TEST_F(FiguresTest, OpeningTheBlockEditorResetsTheMeshToTheBlocks) {
  Problem& p = form->problem();
  SplitElements4(p);
  AddWellAt(p, 100, 100);
  Button("SpeedButtonEdit")->click();
  EXPECT_EQ(p.NN, p.NA);
  EXPECT_EQ(p.NM, p.NB);
  EXPECT_EQ(p.NW, 0);
}

// ---- refusals: the message once, the problem unchanged ----

struct Refusal {
  const char* name;
  std::function<std::string()> message;
  // prepares the problem, then does the refused edit through the window
  std::function<void(FiguresTest&)> act;
};

class FigureRefusal : public FiguresTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(FigureRefusal, ShowsItsMessageOnceAndChangesNothing) {
  Button("SpeedButtonNew")->click();
  GetParam().act(*this);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0], GetParam().message());
}

// each act compares the datafile itself, as some refusals need a mesh made first
void Unchanged(FiguresTest& t, const std::string& before) {
  EXPECT_EQ(FormatDatafile(t.form->problem()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Figures, FigureRefusal,
    ::testing::Values(Refusal{"NodeInsideBlock", messages::NodeInsideBlock,
                              [](FiguresTest& t) {
                                const std::string before = t.Datafile();
                                t.NewNode(t.At(t.Edit(), 100, 100));
                                Unchanged(t, before);
                              }},
                      Refusal{"NoTriangle", messages::NoTriangle,
                              [](FiguresTest& t) {
                                t.TwoSeparateBlocks();
                                t.Edit()->Redraw();
                                const std::string before = t.Datafile();
                                t.NewLine(t.AtNode(t.Edit(), 2), t.AtNode(t.Edit(), 3));
                                Unchanged(t, before);
                              }},
                      Refusal{"NewNodeCapacity", messages::NewNodeCapacity,
                              [](FiguresTest& t) {
                                t.form->problem().caps.BMAX = 2;  // NB = 1 > BMAX - 2
                                const std::string before = t.Datafile();
                                t.NewNode(t.At(t.Edit(), 1000, 100));
                                Unchanged(t, before);
                              }},
                      Refusal{"NewLineCapacity", messages::NewLineCapacity,
                              [](FiguresTest& t) {
                                t.TwoSeparateBlocks();
                                t.form->problem().caps.BMAX = 2;  // NB = 2 > BMAX - 1
                                t.Edit()->Redraw();
                                const std::string before = t.Datafile();
                                t.NewLine(t.AtNode(t.Edit(), 2), t.AtNode(t.Edit(), 3));
                                Unchanged(t, before);
                              }},
                      Refusal{"WellCountCapacity", messages::WellCountCapacity,
                              [](FiguresTest& t) {
                                t.Edit()->close();
                                t.Button("SpeedButtonMesh")->click();
                                Problem& p = t.form->problem();
                                p.caps.BMAX = 1;
                                p.wells[0] = Well{0, 0, 0.0};
                                p.NW = 1;
                                const std::string before = t.Datafile();
                                t.Key(t.Mesh(), "SpeedButtonNode")->click();
                                EXPECT_FALSE(t.Mesh()->AddWellMode());
                                Unchanged(t, before);
                              }},
                      Refusal{"WellInteriorCapacity", messages::WellInteriorCapacity,
                              [](FiguresTest& t) {
                                t.Edit()->close();
                                t.Button("SpeedButtonMesh")->click();
                                t.Key(t.Mesh(), "SpeedButtonSplit4")->click();
                                t.form->problem().caps.MMAX = 8;  // NM = 4 > MMAX - 5
                                const std::string before = t.Datafile();
                                t.AddWell(t.At(t.Mesh(), 160, 160));
                                Unchanged(t, before);
                              }},
                      Refusal{"WellOutsideMesh", messages::WellOutsideMesh,
                              [](FiguresTest& t) {
                                t.Edit()->close();
                                t.Button("SpeedButtonMesh")->click();
                                const std::string before = t.Datafile();
                                t.AddWell(t.At(t.Mesh(), 1500, 800));
                                Unchanged(t, before);
                              }}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return info.param.name; });

// ---- a picture of another area leaves nothing of the one before ----

// the pixels of a picture below the window's bar, left of x0 or right of x1, that are not the
// window's white
int MarkedOutside(const QImage& image, int x0, int x1) {
  int marked = 0;
  for (int y = 30; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      marked += (x < x0 || x > x1) && image.pixelColor(x, y) != QColor(255, 255, 255);
  return marked;
}

class FigureArea : public FiguresTest, public ::testing::WithParamInterface<Win> {};

TEST_P(FigureArea, ANarrowerAreaClearsThePictureBesideIt) {
  Button("SpeedButtonNew")->click();  // the block editor on the initial triangle
  const auto show = [&] {
    if (GetParam() == Win::Mesh)
      form->SpeedButtonMeshClick();
    else
      form->SpeedButtonEditClick();
  };
  if (GetParam() == Win::Mesh) show();
  ui::FigureForm* f = static_cast<ui::FigureForm*>(form->Window(GetParam()));
  ASSERT_TRUE(f->isVisible());
  const QImage wide = f->Image().copy();
  // leaving the General Grid closes the window; it is opened again on the narrower area
  ASSERT_TRUE(EnterAndLeave(Grid("GeneralGrid"), ui::kRowLX, "500", ui::kRowLY));
  show();
  ASSERT_TRUE(f->isVisible());
  const MeshMapping& map = GetParam() == Win::Mesh ? Mesh()->Mapping() : Edit()->Mapping();
  const Point low = map.ToPixel(0, 0), high = map.ToPixel(500, form->problem().LY);
  ASSERT_GT(low.x, 100) << "the area is narrower than the window";
  // the silver band is 2 pixels wide; a node number on the right edge may reach 20 beyond it
  EXPECT_GT(MarkedOutside(wide, low.x - 2, high.x + 20), 0) << "the wide picture was there";
  EXPECT_EQ(MarkedOutside(f->Image(), low.x - 2, high.x + 20), 0);

  // a node moved elsewhere while the window is open: drawn again when the mouse comes back
  const QImage before = f->Image().copy();
  form->problem().nodes[2].X = 250.0;
  const QPointF inside(5, 50);
  QEnterEvent enter(inside, inside, f->mapToGlobal(inside));
  QApplication::sendEvent(f, &enter);
  EXPECT_FALSE(f->Image() == before);
}

INSTANTIATE_TEST_SUITE_P(Windows, FigureArea, ::testing::Values(Win::Mesh, Win::Edit),
                         [](const auto& info) {
                           return info.param == Win::Mesh ? "Mesh" : "Edit";
                         });

// ---- the rubber line ----

TEST_F(FiguresTest, RubberLineIsErasedByNotXorAndLeavesNoTrace) {
  Button("SpeedButtonNew")->click();
  ui::TFormEdit* edit = Edit();
  const QImage before = edit->Image().copy();
  Key(edit, "SpeedButtonLine")->click();
  const QPoint start = AtNode(edit, 0);
  const QPoint first = At(edit, 1500, 900), last = At(edit, 1800, 300);
  Press(edit, start);
  Move(edit, first, Qt::LeftButton);
  Move(edit, last, Qt::LeftButton);
  // only the last line is on the image: the first one was drawn again and so erased
  QImage expected = before.copy();
  {
    QtImageCanvas canvas(expected);
    canvas.SetPenMode(PenMode::NotXor);
    canvas.MoveTo(start.x(), start.y());
    canvas.LineTo(last.x(), last.y());
  }
  EXPECT_TRUE(edit->Image() == expected);
  EXPECT_FALSE(edit->Image() == before);
  Release(edit, At(edit, 1800, 300));  // away from every node: no block
  EXPECT_EQ(form->problem().NB, 1);
  EXPECT_TRUE(edit->Image() == before);
  EXPECT_EQ(edit->EditMode(), ui::TFormEdit::Mode::None);
}

// ---- the coordinate fields ----

TEST_F(FiguresTest, CoordinateExitsAreCountedOnceForBothWindows) {
  Button("SpeedButtonNew")->click();
  ui::TFormEdit* edit = Edit();
  Key(edit, "SpeedButtonNode")->click();
  Move(edit, At(edit, 1000, 100));
  auto* panel = Part<QWidget>(edit, "PanelXY");
  ASSERT_TRUE(panel->isVisibleTo(edit));
  Leave(Part<QLineEdit>(edit, "EditX"), "3000 m");
  EXPECT_EQ(Part<QLineEdit>(edit, "EditX")->text(), QStringLiteral("  2000.000")) << "held to LX";
  EXPECT_EQ(form->problem().nodes[3].X, 2000.0) << "the pending new node";
  EXPECT_TRUE(panel->isVisibleTo(edit)) << "the first exit";
  Leave(Part<QLineEdit>(edit, "EditY"), "-5");
  EXPECT_EQ(form->problem().nodes[3].Y, 0.0);
  EXPECT_FALSE(panel->isVisibleTo(edit)) << "the second exit";
  edit->close();

  // the mesh window goes on counting from there: its first exit is a later one
  Button("SpeedButtonMesh")->click();
  ui::TFormMesh* mesh = Mesh();
  Key(mesh, "SpeedButtonNode")->click();
  Move(mesh, At(mesh, 100, 100));
  auto* meshPanel = Part<QWidget>(mesh, "PanelXY");
  ASSERT_TRUE(meshPanel->isVisibleTo(mesh));
  Leave(Part<QLineEdit>(mesh, "EditX"), "12.5");
  EXPECT_EQ(Part<QLineEdit>(mesh, "EditX")->text(), QStringLiteral("    12.500"));
  EXPECT_FALSE(meshPanel->isVisibleTo(mesh));
  mesh->close();

  // Drag Node sets the count back
  Button("SpeedButtonEdit")->click();
  Key(edit, "SpeedButtonDrag")->click();
  Press(edit, AtNode(edit, 1));
  ASSERT_TRUE(panel->isVisibleTo(edit));
  Leave(Part<QLineEdit>(edit, "EditY"), "300");
  EXPECT_EQ(form->problem().nodes[1].Y, 300.0) << "the dragged node";
  EXPECT_TRUE(panel->isVisibleTo(edit)) << "the first exit since Drag Node";
}

// ---- undo ----

struct UndoCase {
  const char* name;
  bool inMesh;
  std::function<void(FiguresTest&)> edit;
};

class FigureUndo : public FiguresTest, public ::testing::WithParamInterface<UndoCase> {};

TEST_P(FigureUndo, CtrlZRestoresTheDatafileOfBeforeTheEdit) {
  Button("SpeedButtonNew")->click();
  NewNode(At(Edit(), 1000, 100));
  QWidget* window = Edit();
  if (GetParam().inMesh) {
    Edit()->close();
    Button("SpeedButtonMesh")->click();
    Key(Mesh(), "SpeedButtonSplit4")->click();
    window = Mesh();
  }
  const std::string before = Datafile();
  GetParam().edit(*this);
  ASSERT_NE(Datafile(), before);
  Undo(window);
  EXPECT_EQ(Datafile(), before);
  // the key is told on the bar, not over the drawing
  EXPECT_TRUE(window->toolTip().isEmpty());
  EXPECT_TRUE(Part<QWidget>(window, GetParam().inMesh ? "PanelMesh" : "PanelEdit")
                  ->toolTip()
                  .startsWith(QStringLiteral("Ctrl+Z undoes the last edit")));
}

INSTANTIATE_TEST_SUITE_P(
    Figures, FigureUndo,
    ::testing::Values(
        UndoCase{"Split4", true,
                 [](FiguresTest& t) { t.Key(t.Mesh(), "SpeedButtonSplit4")->click(); }},
        UndoCase{"Split2", true,
                 [](FiguresTest& t) { t.Key(t.Mesh(), "SpeedButtonSplit2")->click(); }},
        UndoCase{"Well", true, [](FiguresTest& t) { t.AddWell(t.At(t.Mesh(), 300, 60)); }},
        UndoCase{"DragNode", false,
                 [](FiguresTest& t) {
                   t.Key(t.Edit(), "SpeedButtonDrag")->click();
                   t.Drag(t.Edit(), t.AtNode(t.Edit(), 3), t.At(t.Edit(), 1200, 600));
                 }},
        UndoCase{"NewNode", false, [](FiguresTest& t) { t.NewNode(t.At(t.Edit(), 600, 700)); }},
        UndoCase{"NewLine", false,
                 [](FiguresTest& t) { t.NewLine(t.AtNode(t.Edit(), 1), t.AtNode(t.Edit(), 3)); }}),
    [](const ::testing::TestParamInfo<UndoCase>& info) { return info.param.name; });

}  // namespace
}  // namespace planaq::test
