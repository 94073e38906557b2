#include "ui/FormOpt.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QToolButton>

#include "grids/CellValue.h"
#include "solver/Multigrid.h"
#include "ui/Dialogs.h"
#include "ui/widgets/Panels.h"

namespace planaq::ui {

namespace {

constexpr int kClientWidth = 300;
constexpr int kGroupsHeight = 228;  // the bar and the print and 3D-graph groups
constexpr int kSolverHeight = 72;
constexpr int kMapHeight = 80;
constexpr int kClientHeight = kGroupsHeight + kSolverHeight + kMapHeight;
constexpr int kBarHeight = 25;
constexpr int kGroupWidth = kClientWidth / 2;

void Heading(QWidget* group, const char* text) {
  auto* label = new QLabel(QString::fromLatin1(text), group);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  label->setGeometry(8, 4, kGroupWidth - 16, 18);
}

}  // namespace

const char* OptionsHelpText() {
  return "Print Options :\n\n- Print General Data : Print all general data, including the data "
         "of the\n    main nodes and the blocks,\n- Nodes : Print the data of all nodes, in all "
         "layers,\n- Elements : Print the data of all elements,\n- Mesh : Print a graph of the "
         "finite element mesh,\n- Graphics Scale : Scale of the graphs on printing paper.\n\n"
         "Warning : For a large problem, with many nodes and elements, printing the\noutput "
         "data of all nodes and all elements may require the printing of many\npages of output "
         "data.\n\n3D-Graphics Options :\n\n- Groundwater Table : Show mesh of the groundwater "
         "head, in blue,\n- Contours : Draw contours of the groundwater head, in red,\n- Bottom "
         "Surface : Show mesh in the bottom of the aquifer, in green,\n- Top Surface : Show "
         "mesh in the top of the aquifer, in yellow,\n- Viewing Angle : Scale of the viewing "
         "angle (1..89 degrees).\n\nSolver :\n\n- Conjugate gradients : Solve each cycle with "
         "diagonally preconditioned\n    conjugate gradients,\n- Algebraic multigrid : Solve "
         "each cycle with conjugate gradients\n    preconditioned by algebraic multigrid, much "
         "faster on large meshes.";
}

TFormOpt::TFormOpt(Dialogs& dialogs, QWidget* parent)
    : SecondaryForm(QStringLiteral("FormOpt"), QStringLiteral("Options"), parent),
      dialogs_(dialogs) {
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setFixedSize(kClientWidth, kClientHeight);

  QFrame* bar =
      ColouredPanel(this, "Panel1", QColor(0, 255, 0), QRect(0, 0, kClientWidth, kBarHeight));
  SpeedButtonHelp = new QToolButton(bar);
  SpeedButtonHelp->setObjectName(QStringLiteral("SpeedButtonHelp"));
  SpeedButtonHelp->setText(QStringLiteral("Help"));
  SpeedButtonHelp->setToolTip(QStringLiteral("Help"));
  SpeedButtonHelp->setGeometry(kClientWidth - 50 - 4, 0, 50, kBarHeight);
  connect(SpeedButtonHelp, &QToolButton::clicked, this, [this] { SpeedButtonHelpClick(); });

  const int groupHeight = kGroupsHeight - kBarHeight;
  QFrame* print = ColouredPanel(this, "GroupBoxOptions", QColor(255, 255, 0),
                                QRect(0, kBarHeight, kGroupWidth, groupHeight));
  QFrame* graph = ColouredPanel(this, "GroupBox3D", QColor(0, 255, 255),
                                QRect(kGroupWidth, kBarHeight, kGroupWidth, groupHeight));
  Heading(print, "Print Options");
  Heading(graph, "3D-Graph Options");

  CheckGeneral = AddCheck(print, "CheckGeneral", "General Data", true, 26);
  CheckNodes = AddCheck(print, "CheckNodes", "Nodes", false, 48);
  CheckElements = AddCheck(print, "CheckElements", "Elements", false, 70);
  CheckMesh = AddCheck(print, "CheckMesh", "Mesh", false, 92);
  GraphScale = AddTrackBar(print, "GraphScale", "Graphics Scale ", 118);
  // the two pages beyond the written ones share the room under the Graphics Scale label
  CheckBalance = AddCheck(print, "CheckBalance", "Water Balance", false, 168);
  CheckObservations = AddCheck(print, "CheckObservations", "Observations", false, 185);
  CheckBalance->resize(CheckBalance->width(), 18);
  CheckObservations->resize(CheckObservations->width(), 18);
  CheckWater = AddCheck(graph, "CheckWater", "Groundwater Table", true, 26);
  CheckCont = AddCheck(graph, "CheckCont", "Contours", true, 48);
  CheckBottom = AddCheck(graph, "CheckBottom", "Bottom Surface", true, 70);
  CheckTop = AddCheck(graph, "CheckTop", "Top Surface", true, 92);
  AngleScale = AddTrackBar(graph, "AngleScale", "Viewing Angle", 118);
  AddSolverGroup();
  AddMapGroup();
}

void TFormOpt::AddSolverGroup() {
  QFrame* solver = ColouredPanel(this, "GroupBoxSolver", QColor(255, 192, 255),
                                 QRect(0, kGroupsHeight, kClientWidth, kSolverHeight));
  Heading(solver, "Solver");
  RadioConjugate = new QRadioButton(QStringLiteral("Conjugate gradients"), solver);
  RadioConjugate->setObjectName(QStringLiteral("RadioConjugate"));
  RadioConjugate->setGeometry(8, 24, kClientWidth - 16, 20);
  RadioConjugate->setChecked(true);
  RadioMultigrid = new QRadioButton(QStringLiteral("Algebraic multigrid"), solver);
  RadioMultigrid->setObjectName(QStringLiteral("RadioMultigrid"));
  RadioMultigrid->setGeometry(8, 46, kClientWidth - 16, 20);
  RadioMultigrid->setVisible(MultigridAvailable());
  RadioMultigrid->setEnabled(MultigridAvailable());
}

void TFormOpt::AddMapGroup() {
  // off by default: the figures look as they always did until a map is chosen and ticked
  QFrame* map = ColouredPanel(this, "GroupBoxMap", QColor(192, 255, 192),
                              QRect(0, kGroupsHeight + kSolverHeight, kClientWidth, kMapHeight));
  CheckBackground = new QCheckBox(QStringLiteral("Background map"), map);
  CheckBackground->setObjectName(QStringLiteral("CheckBackground"));
  CheckBackground->setGeometry(8, 6, kClientWidth - 52, 20);
  SpeedButtonBackground = new QToolButton(map);
  SpeedButtonBackground->setObjectName(QStringLiteral("SpeedButtonBackground"));
  SpeedButtonBackground->setText(QStringLiteral("..."));
  SpeedButtonBackground->setToolTip(QStringLiteral("Background map file"));
  SpeedButtonBackground->setGeometry(kClientWidth - 36, 6, 28, 20);
  LabelBackground = new QLabel(QStringLiteral("(no file)"), map);
  LabelBackground->setObjectName(QStringLiteral("LabelBackground"));
  LabelBackground->setGeometry(8, 30, kClientWidth - 16, 18);
  const auto origin = [map](const char* name, const char* caption, int x) {
    auto* label = new QLabel(QString::fromLatin1(caption), map);
    label->setGeometry(x, 54, 44, 20);
    auto* edit = new QLineEdit(QStringLiteral("0"), map);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(x + 44, 54, 96, 20);
    return edit;
  };
  EditMapX0 = origin("EditMapX0", "X0 (m)", 8);
  EditMapY0 = origin("EditMapY0", "Y0 (m)", 152);
  connect(CheckBackground, &QCheckBox::toggled, this, [this] { mapChanged_(); });
  connect(SpeedButtonBackground, &QToolButton::clicked, this,
          [this] { SpeedButtonBackgroundClick(); });
  connect(EditMapX0, &QLineEdit::editingFinished, this,
          [this] { MapOriginLeft(EditMapX0, mapX0_); });
  connect(EditMapY0, &QLineEdit::editingFinished, this,
          [this] { MapOriginLeft(EditMapY0, mapY0_); });
}

void TFormOpt::SpeedButtonBackgroundClick() {
  FileDialogSetup setup;
  setup.filter = "Raster map(*.tif)|*.tif *.tiff *.png *.jpg *.asc|All files(*.*)|*";
  setup.defaultExt = "";
  setup.fileName = backgroundFile_;
  const auto path = dialogs_.OpenFile(setup);
  if (!path) return;
  backgroundFile_ = *path;
  LabelBackground->setText(QString::fromStdString(backgroundFile_));
  LabelBackground->setToolTip(LabelBackground->text());
  CheckBackground->setChecked(true);
  mapChanged_();
}

void TFormOpt::SetMapOrigin(double x0, double y0) {
  mapX0_ = x0;
  mapY0_ = y0;
  EditMapX0->setText(QString::number(x0, 'f', 3));
  EditMapY0->setText(QString::number(y0, 'f', 3));
  mapChanged_();
}

void TFormOpt::MapOriginLeft(QLineEdit* field, double& value) {
  const CellReal read = ReadCellReal(field->text().toStdString());
  if (read.ok)
    value = read.value;
  else
    dialogs_.Message(read.message);
  field->setText(QString::number(value, 'f', 3));
  mapChanged_();
}

QCheckBox* TFormOpt::AddCheck(QWidget* group, const char* name, const char* caption, bool ticked,
                              int y) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), group);
  box->setObjectName(QString::fromLatin1(name));
  box->setChecked(ticked);
  box->setGeometry(8, y, kGroupWidth - 16, 20);
  return box;
}

QSlider* TFormOpt::AddTrackBar(QWidget* group, const char* name, const char* label, int y) {
  auto* bar = new QSlider(Qt::Horizontal, group);
  bar->setObjectName(QString::fromLatin1(name));
  bar->setRange(Options::kTrackMin, Options::kTrackMax);
  bar->setSingleStep(1);
  bar->setPageStep(5);
  bar->setTickPosition(QSlider::TicksBelow);
  bar->setTickInterval(1);
  bar->setValue(5);
  bar->setGeometry(8, y, kGroupWidth - 16, 30);
  auto* text = new QLabel(QString::fromLatin1(label), group);
  text->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
  text->setGeometry(8, y + 32, kGroupWidth - 16, 18);
  return bar;
}

void TFormOpt::FormCreate() {
  // top 260, in the middle of the screen's width
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int screenWidth = screen ? screen->geometry().width() : 1024;
  move((screenWidth - width()) / 2, 260);
}

void TFormOpt::showEvent(QShowEvent* event) {
  if (!placed_) {
    FormCreate();
    placed_ = true;
  }
  SecondaryForm::showEvent(event);
}

void TFormOpt::SpeedButtonHelpClick() { dialogs_.Message(OptionsHelpText()); }

Options TFormOpt::Settings() const {
  Options o;
  o.General = CheckGeneral->isChecked();
  o.Nodes = CheckNodes->isChecked();
  o.Elements = CheckElements->isChecked();
  o.Mesh = CheckMesh->isChecked();
  o.WaterBalance = CheckBalance->isChecked();
  o.Observations = CheckObservations->isChecked();
  o.GraphScale = GraphScale->value();
  o.Water = CheckWater->isChecked();
  o.Contours = CheckCont->isChecked();
  o.Bottom = CheckBottom->isChecked();
  o.Top = CheckTop->isChecked();
  o.AngleScale = AngleScale->value();
  o.Multigrid = RadioMultigrid->isChecked();
  o.BackgroundMap = CheckBackground->isChecked() && !backgroundFile_.empty();
  o.BackgroundFile = backgroundFile_;
  o.MapX0 = mapX0_;
  o.MapY0 = mapY0_;
  return o;
}

}  // namespace planaq::ui
