#include "ui/figures/FormScatter.h"

#include <QFrame>
#include <QPrinter>
#include <QResizeEvent>
#include <QShowEvent>
#include <QToolButton>

#include "observe/ScatterFigure.h"
#include "print/ObservationsPage.h"
#include "ui/Dialogs.h"
#include "ui/PrintFileProposal.h"
#include "ui/qt/QtPrinterCanvas.h"
#include "ui/widgets/Panels.h"

namespace planaq::ui {

namespace {
constexpr int kBarHeight = 28;
constexpr Rgb kFormColour{255, 255, 255};
}  // namespace

TFormScatter::TFormScatter(Problem& problem, const ObservationSet& observations, Dialogs& dialogs,
                           PrintState& printState, std::function<std::string()> folder,
                           QWidget* parent)
    : FigureForm(QStringLiteral("FormScatter"), QStringLiteral("Observed against Computed"),
                 parent),
      problem_(problem),
      set_(observations),
      dialogs_(dialogs),
      printState_(printState),
      folder_(std::move(folder)) {
  StayAboveMainWindow();
  bar_ = ColouredPanel(this, "PanelScatter", QColor(0, 255, 0), QRect(0, 0, 600, kBarHeight));
  SpeedButtonSavePicture = SpeedButton(bar_, "SpeedButtonSavePicture", "Save", "Save Picture");
  SpeedButtonPrint = SpeedButton(bar_, "SpeedButtonPrint", "Print", "Print");
  connect(SpeedButtonSavePicture, &QToolButton::clicked, this,
          [this] { SpeedButtonSavePictureClick(); });
  connect(SpeedButtonPrint, &QToolButton::clicked, this, [this] { SpeedButtonPrintClick(); });
  resize(600, 640);
}

void TFormScatter::FormPaint(Canvas& canvas) {
  canvas.SetBrushColour(kFormColour);
  canvas.FillRect(0, 0, canvas.Width(), canvas.Height());
  ScatterBox box;
  box.left = 10;
  box.top = kBarHeight + 10;
  box.width = canvas.Width() - 20;
  box.height = canvas.Height() - kBarHeight - 20;
  DrawScatterFigure(set_, ComputeObservedHeads(problem_, set_), box, canvas);
}

void TFormScatter::showEvent(QShowEvent* event) {
  FigureForm::showEvent(event);
  Redraw();
}

void TFormScatter::resizeEvent(QResizeEvent* event) {
  FigureForm::resizeEvent(event);
  bar_->setGeometry(0, 0, width(), kBarHeight);
  SpeedButtonPrint->setGeometry(width() - 61, 1, 60, kBarHeight - 2);
  SpeedButtonSavePicture->setGeometry(width() - 122, 1, 60, kBarHeight - 2);
  if (isVisible()) Redraw();
}

bool TFormScatter::PrintTo(QPrinter& printer) {
  QtPrinterCanvas canvas(printer);
  return PrintScatterDocument(problem_, set_, canvas, printState_);
}

void TFormScatter::SpeedButtonPrintClick() {
  QPrinter printer(QPrinter::HighResolution);
  ProposePdfFile(printer, folder_ ? folder_() : std::string(), "Observed against Computed");
  if (!dialogs_.Print(printer)) return;
  if (!PrintTo(printer))
    dialogs_.Message("Printing failed: the printer could not begin the document.");
}

void TFormScatter::SpeedButtonSavePictureClick() {
  FileDialogSetup setup;
  setup.filter = "PNG(*.png)|*.png|PDF(*.pdf)|*.pdf";
  setup.defaultExt = "*.png";
  setup.initialDir = folder_ ? folder_() : std::string();
  setup.fileName = "Observations.png";
  const std::optional<std::string> path = dialogs_.SaveFile(setup);
  if (path) SavePicture(*path);
}

void TFormScatter::SavePicture(const std::string& path) {
  const QString name = QString::fromStdString(path);
  if (name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, name);
    if (!PrintTo(printer)) dialogs_.Message("Saving the picture failed.");
    return;
  }
  const QImage figure = Image().copy(0, kBarHeight, Image().width(), Image().height() - kBarHeight);
  if (!figure.save(name, "PNG")) dialogs_.Message("Saving the picture failed.");
}

}  // namespace planaq::ui
