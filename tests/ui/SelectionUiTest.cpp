// The mesh window's Select key driven as a user would: a polygon by clicks and a double-click,
// a line with Shift and Enter, the Assign dialog's fields and keys, Save, and Ctrl+Z.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "UiTest.h"
#include "mesh/Split.h"
#include "ui/FormAssign.h"
#include "ui/figures/FormMesh.h"

namespace planaq::test {
namespace {

using ui::Win;

class SelectionUi : public MainWindowTest {
 protected:
  // the square of 2000 by 1000 m refined to a 9 by 9 grid of nodes, 250 by 125 m apart
  void SetUp() override {
    MainWindowTest::SetUp();
    Problem& p = form->problem();
    p = SquareProblem(0, 0);
    SplitElements4(p);
    SplitElements4(p);
    SplitElements4(p);
    form->Refresh();
    before = p;
    Button("SpeedButtonMesh")->click();
    mesh = static_cast<ui::TFormMesh*>(form->Window(Win::Mesh));
    ASSERT_TRUE(mesh->isVisible());
  }
  QPoint At(double x, double y) const {
    const Point p = mesh->Mapping().ToPixel(x, y);
    return {p.x, p.y};
  }
  void Click(double x, double y, Qt::KeyboardModifiers keys = {}) {
    QTest::mouseClick(mesh, Qt::LeftButton, keys, At(x, y));
  }
  template <class W>
  W* Part(const char* name) const {
    auto* w = mesh->AssignDialog()->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  void Apply(int quantity, const char* value, const char* to = "0") {
    Part<QComboBox>("ComboBoxQuantity")->setCurrentIndex(quantity);
    Part<QLineEdit>("EditValue")->setText(QString::fromLatin1(value));
    Part<QLineEdit>("EditValue2")->setText(QString::fromLatin1(to));
    QTest::mouseClick(Part<QPushButton>("ButtonApply"), Qt::LeftButton);
  }
  QString Label() const { return mesh->findChild<QLabel*>("LabelOperation")->text(); }

  Problem before;
  ui::TFormMesh* mesh = nullptr;
};

TEST_F(SelectionUi, PolygonAndLineAssignedUndoneAndSaved) {
  mesh->findChild<QToolButton*>("SpeedButtonSelect")->click();
  ASSERT_TRUE(mesh->SelectMode());

  // a lake: four clicks, the last of them the first half of a double-click
  Click(300, 200);
  Click(900, 200);
  Click(900, 700);
  Click(300, 700);
  QTest::mouseDClick(mesh, Qt::LeftButton, {}, At(300, 700));
  ASSERT_EQ(mesh->CurrentShape().points.size(), 4u);
  ASSERT_TRUE(mesh->AssignDialog()->isVisible());
  // x in {500, 750}, y in {250, 375, 500, 625}
  EXPECT_EQ(mesh->CurrentSelection().nodes.size(), 8u);
  EXPECT_TRUE(Label().startsWith("Selected : 8 Nodes")) << Label().toStdString();
  Apply(ui::TFormAssign::kTop, "30");
  const std::string afterLake = FormatDatafile(form->problem());

  // a river along y = 500 with Shift, ended by Enter, then widened to 40 m
  Click(250, 500, Qt::ShiftModifier);
  Click(1000, 500, Qt::ShiftModifier);
  Click(1750, 500, Qt::ShiftModifier);
  QTest::keyClick(mesh, Qt::Key_Return);
  ASSERT_EQ(mesh->CurrentShape().kind, ShapeKind::Polyline);
  QLineEdit* width = Part<QLineEdit>("EditWidth");
  width->setText("40");
  QTest::keyClick(width, Qt::Key_Return);
  EXPECT_EQ(mesh->CurrentSelection().nodes.size(), 7u);
  Apply(ui::TFormAssign::kHeadAlongLine, "12", "4");
  // Ctrl+Z takes the river away, Apply puts it back
  QTest::keyClick(mesh, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(FormatDatafile(form->problem()), afterLake);
  QTest::mouseClick(Part<QPushButton>("ButtonApply"), Qt::LeftButton);
  // and so does Ctrl+Z in the dialog, on its keys
  QTest::keyClick(Part<QPushButton>("ButtonApply"), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(FormatDatafile(form->problem()), afterLake);
  QTest::mouseClick(Part<QPushButton>("ButtonApply"), Qt::LeftButton);

  dialogs.AnswerFile(dir.File("river.aqd"));
  form->SpeedButtonSaveClick();
  // Save closes the windows, the dialog with its own
  EXPECT_FALSE(mesh->isVisible());
  EXPECT_FALSE(mesh->AssignDialog()->isVisible());
  Problem saved;
  saved.StartUp(Capacities{});
  ASSERT_TRUE(ReadDatafile(saved, dir.File("river.aqd")).ok);
  ASSERT_EQ(saved.NN, before.NN);
  const double x0 = mesh->CurrentShape().points.front().x;
  const double x1 = mesh->CurrentShape().points.back().x;
  int lake = 0, river = 0;
  for (int n = 0; n < saved.NN; ++n) {
    const double x = before.nodes[n].X, y = before.nodes[n].Y;
    const bool inLake = (x == 500 || x == 750) && y >= 250 && y <= 625;
    const bool onRiver = y == 500 && x >= 250 && x <= 1750;
    lake += inLake;
    river += onRiver;
    EXPECT_EQ(saved.layers[n].T[0], inLake ? 30.0 : before.layers[n].T[0]) << n;
    // the clicked ends lie within a pixel of x = 250 and 1750
    const double along = std::clamp((x - x0) / (x1 - x0), 0.0, 1.0);
    const double head = onRiver ? 12.0 + (4.0 - 12.0) * along : before.layers[n].F[0];
    EXPECT_NEAR(saved.layers[n].F[0], head, 1e-3) << n;
    EXPECT_EQ(saved.nodes[n].Type, onRiver ? (before.nodes[n].Type | 2) : before.nodes[n].Type);
  }
  EXPECT_EQ(lake, 8);
  EXPECT_EQ(river, 7);
}

// A corner clicked within a few pixels of a node lies on the node, so that a line of width 0
// follows the mesh sides; one further off stays where it was clicked.
TEST_F(SelectionUi, ACornerNearANodeIsPutOnIt) {
  mesh->findChild<QToolButton*>("SpeedButtonSelect")->click();
  const QPoint node = At(500, 250);
  QTest::mouseClick(mesh, Qt::LeftButton, Qt::ShiftModifier, node + QPoint(2, -2));
  QTest::mouseClick(mesh, Qt::LeftButton, Qt::ShiftModifier, At(1000, 250) + QPoint(0, 20));
  ASSERT_EQ(mesh->CurrentShape().points.size(), 2u);
  EXPECT_EQ(mesh->CurrentShape().points[0].x, 500.0);
  EXPECT_EQ(mesh->CurrentShape().points[0].y, 250.0);
  EXPECT_LT(mesh->CurrentShape().points[1].y, 250.0 - 10.0);  // 20 pixels below: not snapped
}

// While a shape is drawn, a rubber line runs from the last corner to the mouse, over the figure
// only: the figure itself stays as it was.
TEST_F(SelectionUi, ARubberLineFollowsTheMouseFromTheLastCorner) {
  mesh->findChild<QToolButton*>("SpeedButtonSelect")->click();
  Click(300, 200);
  Click(900, 200);
  const QPoint from = At(900, 200), to = At(900, 700);
  QMouseEvent move(QEvent::MouseMove, QPointF(to), mesh->mapToGlobal(QPointF(to)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(mesh, &move);
  // the line is yellow as the shape's sides; y grows downwards on the screen
  const auto yellowOnTheLine = [&](const QImage& image) {
    int yellow = 0;
    for (int y = to.y() + 3; y < from.y() - 3; ++y)  // the corner may round a pixel aside
      for (int dx = -1; dx <= 1; ++dx) yellow += image.pixelColor(from.x() + dx, y) == Qt::yellow;
    return yellow;
  };
  const int figure = yellowOnTheLine(mesh->Image());
  EXPECT_GT(yellowOnTheLine(mesh->grab().toImage()), figure + 10);
  // Escape drops the shape, and the line with it
  QTest::keyClick(mesh, Qt::Key_Escape);
  EXPECT_EQ(yellowOnTheLine(mesh->grab().toImage()), 0);
}

}  // namespace
}  // namespace planaq::test
