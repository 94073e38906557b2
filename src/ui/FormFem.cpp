#include "ui/FormFem.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

#include "files/Installation.h"
#include "mesh/MeshMessages.h"
#include "ui/FormOpt.h"
#include "ui/GeneralData.h"
#include "ui/HelpTexts.h"
#include "ui/figures/Form3D.h"
#include "ui/figures/FormContours.h"
#include "ui/figures/FormEdit.h"
#include "ui/figures/FormManual.h"
#include "ui/figures/FormMesh.h"
#include "ui/grids/FormElm.h"
#include "ui/grids/FormNod.h"
#include "ui/grids/FormParticles.h"
#include "ui/grids/FormSoils.h"
#include "ui/grids/FormWells.h"
#include "ui/widgets/FramePlacement.h"
#include "ui/widgets/Panels.h"
#include "ui/widgets/StringGrid.h"

namespace planaq::ui {

namespace {

constexpr int kRowHeight = 20;
constexpr int kGridLabelWidth = 110;
constexpr int kGridValueWidth = 200;
constexpr int kPanelWidth = kGridLabelWidth + kGridValueWidth + 20;
constexpr int kPanelTitle = 26;
constexpr int kProgressColumn = 100;
const QPoint kFramePlace(50, 1);

QSize ScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().size() : QSize(1280, 1024);
}

QLabel* Title(QWidget* panel, const char* text) {
  auto* label = new QLabel(QString::fromLatin1(text), panel);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  label->move(8, 5);
  return label;
}

}  // namespace

TFormFem::TFormFem(Dialogs& dialogs, std::string workDir, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), workDir_(std::move(workDir)) {
  setObjectName(QStringLiteral("FormFem"));
  setWindowTitle(QStringLiteral("PLANAQ"));
  setWindowIcon(GlyphIcon(Glyph::Program));
  onQuit_ = [] { QCoreApplication::quit(); };
  BuildToolbar();
  BuildMenu();
  BuildPanels();
  CreateWindows();
  BuildObservations();
  StartUp();
}

TFormFem::~TFormFem() {
  // the grids go after this object: their focus changes must not reach it any more
  disconnect(focusWatch_);
}

TFormOpt* TFormFem::FormOpt() const {
  return static_cast<TFormOpt*>(windows_[static_cast<int>(Win::Options)]);
}

// ---- building the window ----

QToolButton* TFormFem::AddButton(const char* name, const char* hint, Glyph glyph,
                                 void (TFormFem::*command)()) {
  auto* button = new QToolButton(toolbar_);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(QString::fromLatin1(hint));
  button->setIcon(GlyphIcon(glyph));
  connect(button, &QToolButton::clicked, this, [this, command] {
    if (!KeepsBalance(command)) ForgetBalance();
    (this->*command)();
    UpdateTitle();
  });
  toolbar_->addWidget(button);
  return button;
}

void TFormFem::BuildToolbar() {
  toolbar_ = new QToolBar(this);
  toolbar_->setObjectName(QStringLiteral("ToolBar"));
  toolbar_->setMovable(false);
  toolbar_->setContentsMargins(0, 0, 8, 0);  // the Help button stays 8 pixels in
  toolbar_->setIconSize(QSize(24, 24));
  addToolBar(Qt::TopToolBarArea, toolbar_);
  AddButton("SpeedButtonOpen", "Open", Glyph::Open, &TFormFem::SpeedButtonOpenClick);
  AddButton("SpeedButtonNew", "New Mesh", Glyph::New, &TFormFem::SpeedButtonNewClick);
  AddButton("SpeedButtonEdit", "Edit Blocks", Glyph::Edit, &TFormFem::SpeedButtonEditClick);
  SpeedButtonSave =
      AddButton("SpeedButtonSave", "Save", Glyph::Save, &TFormFem::SpeedButtonSaveClick);
  SpeedButtonPrint = AddButton("SpeedButtonPrint", "Print", Glyph::Print, &TFormFem::Print1Click);
  toolbar_->addSeparator();
  AddButton("SpeedButtonOptions", "Options", Glyph::Options, &TFormFem::SpeedButtonOptionsClick);
  AddButton("SpeedButtonSoils", "Properties", Glyph::Properties, &TFormFem::SpeedButtonSoilsClick);
  SpeedButtonNodes = AddButton("SpeedButtonNodes", "List of Nodes", Glyph::Nodes,
                               &TFormFem::SpeedButtonNodesClick);
  SpeedButtonElements = AddButton("SpeedButtonElements", "List of Elements", Glyph::Elements,
                                  &TFormFem::SpeedButtonElementsClick);
  SpeedButtonMesh =
      AddButton("SpeedButtonMesh", "Edit Mesh", Glyph::Mesh, &TFormFem::SpeedButtonMeshClick);
  SpeedButtonWells =
      AddButton("SpeedButtonWells", "Wells", Glyph::Wells, &TFormFem::SpeedButtonWellsClick);
  SpeedButtonParticles = AddButton("SpeedButtonParticles", "Particles", Glyph::Particles,
                                   &TFormFem::SpeedButtonParticlesClick);
  toolbar_->addSeparator();
  AddButton("SpeedButtonCalc", "Solve", Glyph::Solve, &TFormFem::SpeedButtonCalcClick);
  AddButton("SpeedButtonContours", "Contours", Glyph::Contours,
            &TFormFem::SpeedButtonContoursClick);
  AddButton("SpeedButton3D", "3D-Graph", Glyph::Graph3D, &TFormFem::SpeedButton3DClick);
  AddButton("SpeedButtonManual", "Manual", Glyph::Manual, &TFormFem::SpeedButtonManualClick);
  auto* spacer = new QWidget(toolbar_);
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  toolbar_->addWidget(spacer);
  AddButton("SpeedButtonHelp", "Help", Glyph::Help, &TFormFem::SpeedButtonHelpClick);
}

QAction* TFormFem::AddMenuItem(QWidget* menu, const char* name, const char* caption,
                               void (TFormFem::*command)()) {
  auto* action = new QAction(QString::fromLatin1(caption), this);
  action->setObjectName(QString::fromLatin1(name));
  connect(action, &QAction::triggered, this, [this, command] {
    if (!KeepsBalance(command)) ForgetBalance();
    (this->*command)();
    UpdateTitle();
  });
  menu->addAction(action);
  return action;
}

void TFormFem::BuildMenu() {
  // the standard keys are shortcuts of the menu items, so they run what the menu runs
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu"));
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("File1"));
  AddMenuItem(file, "Open1", "&Open", &TFormFem::SpeedButtonOpenClick)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  AddMenuItem(file, "New1", "&New", &TFormFem::SpeedButtonNewClick)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  AddMenuItem(file, "Save1", "&Save", &TFormFem::SpeedButtonSaveClick)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  AddMenuItem(file, "Print1", "&Print", &TFormFem::Print1Click)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  AddMenuItem(file, "ExportMap1", "Export &Map...", &TFormFem::ExportMap1Click);
  file->addSeparator();
  AddMenuItem(file, "Quit1", "&Quit", &TFormFem::Quit1Click)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  AddMenuItem(bar, "Options1", "&Options", &TFormFem::SpeedButtonOptionsClick);
  AddMenuItem(bar, "Properties1", "&Properties", &TFormFem::SpeedButtonSoilsClick);
  AddMenuItem(bar, "Nodes1", "&Nodes", &TFormFem::Nodes1Click);
  AddMenuItem(bar, "Elements1", "&Elements", &TFormFem::Elements1Click);
  AddMenuItem(bar, "Mesh1", "&Mesh", &TFormFem::Mesh1Click);
  AddMenuItem(bar, "Wells1", "&Wells", &TFormFem::Wells1Click);
  AddMenuItem(bar, "Particles1", "&Particles", &TFormFem::Particles1Click);
  QMenu* solve = bar->addMenu(QStringLiteral("&Solve"));
  solve->setObjectName(QStringLiteral("SolveMenu"));
  AddMenuItem(solve, "Solve1", "&Solve", &TFormFem::SpeedButtonCalcClick);
  WaterBalance1 =
      AddMenuItem(solve, "WaterBalance1", "&Water Balance", &TFormFem::WaterBalance1Click);
  AddMenuItem(solve, "Observations1", "&Observations", &TFormFem::Observations1Click);
  AddMenuItem(solve, "Scatter1", "Observed against &Computed", &TFormFem::Scatter1Click);
  AddMenuItem(solve, "Fit1", "&Fit", &TFormFem::Fit1Click);
  AddMenuItem(bar, "Contours1", "&Contours", &TFormFem::SpeedButtonContoursClick);
  AddMenuItem(bar, "Graph3D1", "&3D-Graph", &TFormFem::SpeedButton3DClick);
  AddMenuItem(bar, "Manual1", "&Manual", &TFormFem::SpeedButtonManualClick);
  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("Help1"));
  AddMenuItem(help, "Info1", "&Info", &TFormFem::SpeedButtonHelpClick)
      ->setShortcut(QKeySequence(Qt::Key_F1));
  AddMenuItem(help, "About1", "&About", &TFormFem::About1Click);
}

QFrame* TFormFem::NoticePanel(const char* name, const char* caption, bool red) {
  auto* panel = new QFrame(central_);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  FillBackground(panel, red ? QColor(255, 0, 0) : QColor(255, 255, 0));
  auto* label = new QLabel(QString::fromLatin1(caption), panel);
  label->setObjectName(QString::fromLatin1(name) + QStringLiteral("Caption"));
  label->setAlignment(Qt::AlignCenter);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  const QSize text = label->sizeHint();
  panel->resize(text.width() + 40, text.height() + 20);
  label->setGeometry(0, 0, panel->width(), panel->height());
  panel->hide();
  return panel;
}

void TFormFem::BuildPanels() {
  central_ = new QWidget(this);
  central_->setObjectName(QStringLiteral("Client"));
  setCentralWidget(central_);

  PanelInstallation = new QFrame(central_);
  PanelInstallation->setObjectName(QStringLiteral("PanelInstallation"));
  PanelInstallation->setFrameShape(QFrame::Panel);
  FillBackground(PanelInstallation, QColor(0, 255, 255));
  Title(PanelInstallation, "Installation Data");
  InstallationGrid = new StringGrid(2, kInstallationRows, PanelInstallation);
  InstallationGrid->setObjectName(QStringLiteral("InstallationGrid"));
  InstallationGrid->SetFixed(1, 0);
  InstallationGrid->OnSelectCell([this](int c, int r) { return InstallationGridSelectCell(c, r); });

  PanelGeneral = new QFrame(central_);
  PanelGeneral->setObjectName(QStringLiteral("PanelGeneral"));
  PanelGeneral->setFrameShape(QFrame::Panel);
  FillBackground(PanelGeneral, QColor(0, 255, 0));
  Title(PanelGeneral, "General Data");
  GeneralGrid = new StringGrid(2, kGeneralRows, PanelGeneral);
  GeneralGrid->setObjectName(QStringLiteral("GeneralGrid"));
  GeneralGrid->SetFixed(1, kFirstGeneralEditRow);
  GeneralGrid->OnSelectCell([this](int c, int r) { return GeneralGridSelectCell(c, r); });

  for (StringGrid* grid : {InstallationGrid, GeneralGrid}) {
    grid->SetColumnWidth(0, kGridLabelWidth);
    grid->SetColumnWidth(1, kGridValueWidth);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont mono = grid->font();
    mono.setFamily(QStringLiteral("Liberation Mono"));
    mono.setStyleHint(QFont::Monospace);
    grid->setFont(mono);
  }
  const auto gridHeight = [](int rows) { return rows * kRowHeight + 4; };
  InstallationGrid->setGeometry(8, kPanelTitle, kPanelWidth - 16, gridHeight(kInstallationRows));
  GeneralGrid->setGeometry(8, kPanelTitle, kPanelWidth - 16, gridHeight(kGeneralRows));
  PanelInstallation->resize(kPanelWidth, kPanelTitle + gridHeight(kInstallationRows) + 8);
  PanelGeneral->resize(kPanelWidth, kPanelTitle + gridHeight(kGeneralRows) + 8);

  const auto helpButton = [](QFrame* panel, const char* name) {
    auto* button = new QToolButton(panel);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QStringLiteral("Help"));
    button->setToolTip(QStringLiteral("Help"));
    button->setGeometry(panel->width() - 52, 3, 44, 20);
    return button;
  };
  connect(helpButton(PanelInstallation, "SpeedButtonHelpInstallation"), &QToolButton::clicked,
          this, [this] { InstallationHelpClick(); });
  connect(helpButton(PanelGeneral, "SpeedButtonHelpGeneral"), &QToolButton::clicked, this,
          [this] { GeneralHelpClick(); });

  ProgressPanel = new QFrame(central_);
  ProgressPanel->setObjectName(QStringLiteral("ProgressPanel"));
  ProgressPanel->setFrameShape(QFrame::Panel);
  ProgressPanel->setFrameShadow(QFrame::Raised);
  FillBackground(ProgressPanel, QColor(255, 0, 0));
  ProgressLabel = new QLabel(QStringLiteral("Progress of Computations"), ProgressPanel);
  ProgressLabel->setObjectName(QStringLiteral("ProgressLabel"));
  QFont bold = ProgressLabel->font();
  bold.setBold(true);
  ProgressLabel->setFont(bold);
  ProgressLabel->adjustSize();
  ProgressGrid = new StringGrid(2, 4, ProgressPanel);
  ProgressGrid->setObjectName(QStringLiteral("ProgressGrid"));
  ProgressGrid->SetFixed(2, 0);
  ProgressGrid->setFocusPolicy(Qt::NoFocus);
  ProgressGrid->SetColumnWidth(0, kProgressColumn);
  ProgressGrid->SetColumnWidth(1, kProgressColumn);
  ProgressGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ProgressGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ProgressGrid->setGeometry(16, 32, 2 * kProgressColumn + 4, 4 * kRowHeight + 4);
  ProgressPanel->resize(2 * kProgressColumn + 36, 32 + 4 * kRowHeight + 20);
  ProgressLabel->move((ProgressPanel->width() - ProgressLabel->width()) / 2, 8);
  ProgressPanel->hide();

  PanelRead = NoticePanel("PanelRead", "Reading datafile, Please wait ", false);
  PanelSave = NoticePanel("PanelSave", "Saving datafile, Please wait", false);
  PanelWait = NoticePanel("PanelWait", "Please wait while printing is in progress", true);
  PanelWarning = NoticePanel(
      "PanelWarning", "Warning : Water level locally below bottom of aquifer. Results invalid.",
      true);
  BuildBalancePanel();

  focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* from, QWidget* to) {
    const auto inside = [this](QWidget* w) {
      return w && (w == InstallationGrid || InstallationGrid->isAncestorOf(w));
    };
    if (inside(from) && !inside(to)) InstallationGridExit();
  });
}

void TFormFem::CreateWindows() {
  // created once, in this order, and from then on only shown and hidden
  const auto add = [this](Win w, SecondaryForm* form) {
    windows_[static_cast<int>(w)] = form;
    form->OnClosed([this, w] {
      open_[static_cast<int>(w)] = false;
      // the counts in the General Grid follow what the drawing windows changed
      if (w == Win::Mesh || w == Win::Edit) FormPaint();
      UpdateTitle();
    });
  };
  const GridContext grids{problem_, dialogs_, currentLayer_, gridSelection_,
                          [this] { UpdateTitle(); }};
  auto* nodes = new TFormNod(grids, this);
  nodes->UseGeoreference(georeference_);
  add(Win::Nodes, nodes);
  add(Win::Elements, new TFormElm(grids, this));
  auto* mesh = new TFormMesh(problem_, dialogs_, coordinateExits_, this);
  add(Win::Mesh, mesh);
  // an assignment of the Select key, or its undo: the open grids show the new values at once
  mesh->OnEdited([this] {
    for (Win w : {Win::Nodes, Win::Elements})
      if (IsOpen(w)) static_cast<DataGridForm*>(Window(w))->FormPaint();
    FormPaint();
    UpdateTitle();
  });
  add(Win::Options, new TFormOpt(dialogs_, this));
  mesh->UseOptions([this] { return FormOpt()->Settings(); });
  // the background map switched or chosen: the open figures show it at once
  FormOpt()->OnMapChanged([this] {
    if (IsOpen(Win::Mesh)) static_cast<FigureForm*>(Window(Win::Mesh))->Redraw();
    if (IsOpen(Win::Contours)) static_cast<LayerFigureForm*>(Window(Win::Contours))->DrawFigure();
  });
  add(Win::Edit, new TFormEdit(problem_, dialogs_, coordinateExits_, this));
  add(Win::Soils, new TFormSoils(grids, this));
  const FigureContext figures{problem_, currentLayer_, dialogs_, printState_,
                              [this] { return FormOpt()->Settings(); },
                              [this] { return openSetup_.initialDir; }};
  add(Win::Contours, new TFormContours(figures, this));
  add(Win::Manual, new TFormManual(dialogs_, this));
  add(Win::Wells, new TFormWells(grids, this));
  add(Win::Graph3D, new TForm3D(figures, this));
  add(Win::Particles, new TFormParticles(grids, this));
  // each window shows the glyph of the button that opens it
  constexpr std::array<Glyph, kWindowCount> glyphs = {
      Glyph::Options, Glyph::Nodes,      Glyph::Elements, Glyph::Mesh,
      Glyph::Edit,    Glyph::Properties, Glyph::Contours, Glyph::Graph3D,
      Glyph::Manual,  Glyph::Wells,      Glyph::Particles};
  for (int i = 0; i < kWindowCount; ++i) windows_[i]->setWindowIcon(GlyphIcon(glyphs[i]));
}

// ---- start-up, layout ----

void TFormFem::PlaceOnScreen() {
  const QSize screen = ScreenSize();
  setMinimumSize(screen.width() / 2, screen.height() / 2);
  resize(screen.width() - 100, screen.height() - 100);
  // the frame with its title goes at the top of the screen, not the client area below it
  MoveFrame(this, kFramePlace);
}

void TFormFem::StartUp() {
  openSetup_.initialDir = workDir_;
  saveSetup_.initialDir = workDir_;
  PlaceOnScreen();
  open_.fill(false);
  problem_.particleRowsStale = true;
  problem_.waterLevelWarning = false;
  ProgressPanel->hide();
  printState_.pageCounter = 1;
  cycles_ = 6;
  EnableDataCommands(false);
  SpeedButtonWells->setEnabled(false);
  SpeedButtonParticles->setEnabled(false);
  problem_.FileName = "Data1.aqd";
  problem_.ProblemName = "Default Datafile";
  openSetup_.fileName = "Data1.aqd";
  saveSetup_.fileName = "Data1.aqd";
  installationFile_ = "PLANAQ.txt";
  LayOut();
  ProgressGrid->SetCell(0, 0, QStringLiteral("Element"));
  ProgressGrid->SetCell(0, 1, QStringLiteral("Cycle"));
  ProgressGrid->SetCell(0, 2, QStringLiteral("Iteration"));
  ProgressGrid->SetCell(0, 3, QStringLiteral("Log(error)"));
  PanelWait->hide();
  PanelWarning->hide();
  const std::string installationMessage = ReadInstallation(problem_, workDir_);
  const Capacities caps = problem_.caps;
  const std::string user = problem_.UserName;
  problem_.StartUp(caps);
  problem_.UserName = user;
  problem_.TakeSnapshot();
  for (int r = 0; r < kInstallationRows; ++r)
    InstallationGrid->SetCellText(0, r, InstallationLabel(r));
  RefreshInstallationGrid();
  InstallationGrid->Select(1, 0);
  for (int r = 0; r < kGeneralRows; ++r) GeneralGrid->SetCellText(0, r, GeneralLabel(r));
  shownGeneral_.fill(std::string("\x01"));  // nothing shown yet: the first repaint writes all
  GeneralGrid->Select(1, kRowProblemName);
  MarkSaved();
  UpdateTitle();
  update();
  if (!installationMessage.empty()) dialogs_.Message(installationMessage);
}

void TFormFem::LayOut() {
  const int w = central_->width();
  const int h = central_->height();
  PanelGeneral->move(16, 16);
  PanelInstallation->move(16 + kPanelWidth + 16, 16);
  const int free = h - ProgressPanel->height();
  ProgressPanel->move((w - ProgressPanel->width()) / 2, free * 3 / 4);
  ProgressLabel->move((ProgressPanel->width() - ProgressLabel->width()) / 2, 8);
  PanelWarning->move((w - PanelWarning->width()) / 2,
                     ProgressPanel->y() - PanelWarning->height() - 8);
  for (QFrame* notice : {PanelRead, PanelSave, PanelWait})
    notice->move((w - notice->width()) / 2, free / 2);
  PlaceBalanceNotice();
}

void TFormFem::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayOut();
}

void TFormFem::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  CorrectFrameWhenShown(this, kFramePlace);
}

void TFormFem::paintEvent(QPaintEvent* event) {
  QMainWindow::paintEvent(event);
  FormPaint();
}

void TFormFem::FormPaint() {
  static_cast<TFormNod*>(Window(Win::Nodes))->UpdateRowCount();
  auto* particles = static_cast<TFormParticles*>(Window(Win::Particles));
  particles->UpdateRowCount();
  RefreshGeneralGrid(true);
  RefreshInstallationGrid();
  EnableDataCommands(true);
  SpeedButtonWells->setEnabled(problem_.NW > 0);
  SpeedButtonParticles->setEnabled(problem_.NP > 0);
  static_cast<TFormSoils*>(Window(Win::Soils))->SelectFirstCell();
  if (problem_.particleRowsStale) {
    // the rows of the particles added since the last refill
    particles->RefillRows(problem_.previous.NP, problem_.NP - 1);
    problem_.particleRowsStale = false;
  }
}

void TFormFem::closeEvent(QCloseEvent* event) {
  // closing the window is Quit, and is refused when the user cancels its question
  if (!quitting_) Quit1Click();
  if (quitting_)
    event->accept();
  else
    event->ignore();
}

void TFormFem::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // back from a secondary window: its edits show in the title
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) UpdateTitle();
}

// ---- refresh and enabling ----

void TFormFem::EnableDataCommands(bool enabled) {
  for (QToolButton* b : {SpeedButtonNodes, SpeedButtonElements, SpeedButtonMesh, SpeedButtonSave,
                         SpeedButtonPrint})
    b->setEnabled(enabled);
  WaterBalance1->setEnabled(enabled);
}

void TFormFem::RefreshGeneralGrid(bool onlyChanged) {
  // a repaint writes only what the model changed, so a refused entry stays in its cell
  for (int r = 0; r < kGeneralRows; ++r) {
    const std::string text = GeneralValueText(problem_, r);
    if (onlyChanged && text == shownGeneral_[r]) continue;
    GeneralGrid->SetCellText(1, r, text);
    shownGeneral_[r] = text;
  }
}

void TFormFem::RefreshInstallationGrid() {
  if (!installationEditing_) ShowInstallationValues();
}

void TFormFem::ShowInstallationValues() {
  for (int r = 0; r < kInstallationRows; ++r)
    InstallationGrid->SetCellText(1, r, InstallationValueText(problem_, r));
}

void TFormFem::Refresh() {
  RefreshGeneralGrid(false);
  RefreshInstallationGrid();
  EnableDataCommands(true);
  SpeedButtonWells->setEnabled(problem_.NW > 0);
  SpeedButtonParticles->setEnabled(problem_.NP > 0);
}

// ---- the grids ----

void TFormFem::ResetNewParticles() {
  // particles added by a larger NP start at the origin
  const int last = std::min<int>(problem_.NP, static_cast<int>(problem_.particles.size()));
  for (int i = std::max(0, problem_.previous.NP); i < last; ++i) {
    Particle& p = problem_.particles[i];
    p.X0 = p.Y0 = p.Z0 = 0.0;
  }
  problem_.previous.NP = problem_.NP;
}

bool TFormFem::GeneralGridSelectCell(int, int) {
  CloseList({Win::Mesh, Win::Nodes, Win::Elements, Win::Soils, Win::Edit});
  const int row = GeneralGrid->Row();
  bool moveOn = true;
  if (GeneralGrid->Col() == 1 && row >= kFirstGeneralEditRow) {
    const std::string held = GeneralValueText(problem_, row);
    const GeneralCheck check = CheckGeneralRow(problem_, row, GeneralGrid->CellText(1, row, held));
    if (!check.message.empty()) dialogs_.Message(check.message);
    GeneralGrid->SetCellText(1, row, check.text);
    const bool changed = GeneralValueText(problem_, row) != held;
    if (changed) ForgetBalance();
    // a refused entry stays in the cell until the user leaves it again
    shownGeneral_[row] = GeneralValueText(problem_, row);
    moveOn = check.moveOn;
    ResetNewParticles();
    // the open windows follow a new NP or NL at once, not at the next repaint
    if (changed) FormPaint();
  } else {
    ResetNewParticles();
  }
  UpdateTitle();
  return moveOn;
}

bool TFormFem::CheckInstallationCell() {
  const int row = InstallationGrid->Row();
  if (row < 0 || InstallationGrid->Col() != 1) return true;
  const std::string held = InstallationValueText(problem_, row);
  const GeneralCheck check =
      CheckInstallationRow(problem_, row, InstallationGrid->CellText(1, row, held));
  if (!check.message.empty()) dialogs_.Message(check.message);
  InstallationGrid->SetCellText(1, row, check.text);
  return !check.kept;
}

void TFormFem::SaveInstallationData() {
  // SaveInstallation: the file, then the problem rebuilt for the new capacities
  EnableDataCommands(false);
  ForgetBalance();
  const Outcome saved = SaveInstallation(problem_, workDir_);
  if (!saved.ok) dialogs_.Message(saved.message);
  ShowInstallationValues();
  Refresh();
  MarkSaved();
}

bool TFormFem::InstallationGridSelectCell(int, int) {
  CloseList({Win::Mesh, Win::Nodes, Win::Elements, Win::Soils, Win::Edit});
  InstallationGridExit();
  return true;
}

void TFormFem::InstallationGridExit() {
  // a message box of the check takes the focus from the grid: that is no second leave
  if (installationEditing_) return;
  installationEditing_ = true;
  const std::string user = problem_.UserName;
  const Capacities before = problem_.caps;
  // a refused capacity changes nothing, so the problem in memory stays
  if (CheckInstallationCell()) ApplyInstallation(user, before);
  installationEditing_ = false;
}

void TFormFem::ApplyInstallation(const std::string& user, const Capacities& before) {
  const Capacities& wanted = problem_.caps;
  const bool sameCapacities = wanted.BMAX == before.BMAX && wanted.NMAX == before.NMAX &&
                              wanted.MMAX == before.MMAX && wanted.PMAX == before.PMAX;
  if (sameCapacities) {
    // a cell left as it was changes nothing; a new user name only goes into the file
    if (problem_.UserName == user) return;
    const Outcome written = WriteInstallation(problem_, workDir_);
    if (!written.ok) dialogs_.Message(written.message);
    return;
  }
  if (problem_.FitsCapacities(wanted)) {
    ForgetBalance();
    const Outcome resized = ResizeInstallation(problem_, workDir_);
    if (!resized.ok) dialogs_.Message(resized.message);
    ShowInstallationValues();
    return;
  }
  // the problem does not fit: it starts again, as with New, once its edits are safe
  if (!AskBeforeDropping()) {
    problem_.caps = before;
    ShowInstallationValues();
    return;
  }
  SaveInstallationData();
}

// ---- open-states ----

void TFormFem::Close(Win w) {
  if (!IsOpen(w)) return;
  Window(w)->hide();
  open_[static_cast<int>(w)] = false;
}

void TFormFem::CloseList(std::initializer_list<Win> list) {
  for (Win w : list) Close(w);
}

void TFormFem::CloseAll() {
  for (int i = 0; i < kWindowCount; ++i) Close(static_cast<Win>(i));
  CloseObservationWindows();
}

void TFormFem::Toggle(Win w) {
  if (IsOpen(w)) {
    Close(w);
    return;
  }
  Window(w)->show();
  Window(w)->raise();
  open_[static_cast<int>(w)] = true;
}

// ---- commands ----

void TFormFem::SpeedButtonNewClick() {
  if (!AskBeforeDropping()) return;
  // the windows on screen go too: the start-up sequence forgets that they are open
  CloseAll();
  ForgetObservations();
  georeference_.Forget();
  StartUp();
  Refresh();
  SpeedButtonEditClick();
}

void TFormFem::SpeedButtonEditClick() {
  // the editor shows the blocks only: a refined mesh and its wells go when it opens
  if (!IsOpen(Win::Edit)) {
    const std::string question = messages::BlockEditorResetQuestion(
        problem_.NM, problem_.NB, problem_.NN, problem_.NA, problem_.NW);
    if (!question.empty() && !dialogs_.Confirm(question)) return;
  }
  problem_.TakeSnapshot();
  CloseList({Win::Options, Win::Nodes, Win::Elements, Win::Mesh, Win::Soils, Win::Graph3D,
             Win::Contours, Win::Manual, Win::Wells, Win::Particles});
  if (IsOpen(Win::Edit)) {
    Window(Win::Edit)->FormClose();
    return;
  }
  Window(Win::Edit)->show();
  open_[static_cast<int>(Win::Edit)] = true;
}

void TFormFem::SpeedButtonOptionsClick() {
  CloseList({Win::Contours, Win::Graph3D});
  Toggle(Win::Options);
}

void TFormFem::SpeedButtonSoilsClick() { Toggle(Win::Soils); }
void TFormFem::SpeedButtonNodesClick() { Toggle(Win::Nodes); }
void TFormFem::SpeedButtonElementsClick() { Toggle(Win::Elements); }
void TFormFem::SpeedButtonWellsClick() { Toggle(Win::Wells); }
void TFormFem::SpeedButtonManualClick() { Toggle(Win::Manual); }

void TFormFem::SpeedButtonMeshClick() {
  CloseList({Win::Options, Win::Nodes, Win::Elements, Win::Edit, Win::Soils, Win::Contours,
             Win::Manual, Win::Wells, Win::Particles});
  Toggle(Win::Mesh);
}

void TFormFem::SpeedButtonParticlesClick() {
  Toggle(Win::Particles);
  if (IsOpen(Win::Particles)) gridSelection_ = {1, 1};
}

void TFormFem::SpeedButtonContoursClick() {
  CloseList({Win::Options, Win::Nodes, Win::Elements, Win::Mesh, Win::Edit, Win::Soils,
             Win::Manual, Win::Wells, Win::Particles, Win::Graph3D});
  Toggle(Win::Contours);
}

void TFormFem::SpeedButton3DClick() {
  CloseList({Win::Options, Win::Nodes, Win::Elements, Win::Mesh, Win::Edit, Win::Soils,
             Win::Manual, Win::Wells, Win::Particles, Win::Contours});
  Toggle(Win::Graph3D);
}

void TFormFem::Nodes1Click() {
  if (SpeedButtonNodes->isEnabled())
    SpeedButtonNodesClick();
  else
    dialogs_.Message("Open datafile first");
}

void TFormFem::Elements1Click() {
  if (SpeedButtonElements->isEnabled())
    SpeedButtonElementsClick();
  else
    dialogs_.Message("Open datafile first");
}

void TFormFem::Mesh1Click() {
  if (SpeedButtonMesh->isEnabled())
    SpeedButtonMeshClick();
  else
    dialogs_.Message("Open datafile first");
}

void TFormFem::Wells1Click() {
  if (SpeedButtonWells->isEnabled()) SpeedButtonWellsClick();
}

void TFormFem::Particles1Click() {
  if (SpeedButtonParticles->isEnabled()) SpeedButtonParticlesClick();
}

void TFormFem::SpeedButtonHelpClick() { dialogs_.Message(HelpText()); }
void TFormFem::About1Click() { dialogs_.Message(AboutText()); }
void TFormFem::GeneralHelpClick() { dialogs_.Message(GeneralDataHelpText()); }
void TFormFem::InstallationHelpClick() { dialogs_.Message(InstallationDataHelpText()); }

void TFormFem::Quit1Click() {
  // once unsaved edits are saved or given up, nothing more is saved: the tables go
  if (!AskBeforeDropping()) return;
  quitting_ = true;
  problem_.nodes.clear();
  problem_.layers.clear();
  problem_.blocks.clear();
  problem_.elements.clear();
  problem_.soils.clear();
  problem_.blockColour.clear();
  problem_.wells.clear();
  problem_.particles.clear();
  if (onQuit_) onQuit_();
}

void TFormFem::ShowNotice(QWidget* panel) {
  panel->show();
  panel->raise();
  panel->repaint();
}

}  // namespace planaq::ui
