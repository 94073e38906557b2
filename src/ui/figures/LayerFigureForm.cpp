#include "ui/figures/LayerFigureForm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "files/Tokens.h"
#include "results/TraceGuard.h"
#include "ui/Dialogs.h"
#include "ui/MemoryGuard.h"
#include "ui/figures/EditorParts.h"
#include "ui/PrintFileProposal.h"
#include "ui/qt/QtPrinterCanvas.h"
#include "ui/qt/SafeOutput.h"
#include "ui/widgets/Panels.h"

namespace planaq::ui {

namespace {

constexpr int kBarHeight = 25;
constexpr int kButtonSize = 23;
constexpr int kWideButton = 40;
const QColor kLime(0, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kSilver(192, 192, 192);

}  // namespace

// The screen drawing's hook: the program handles what is pending; the trace goes on while the
// window is open and nothing asked for another drawing or a print.
class LayerFigureForm::ScreenEvents : public PendingEvents {
 public:
  explicit ScreenEvents(LayerFigureForm& form) : form_(form) {}
  bool Process() override { return form_.KeepTracing(); }
  void LegendChanged(const std::string& legend) override { form_.SetLegend(legend); }

 private:
  LayerFigureForm& form_;
};

// The page's hook: the program stays responsive; a page once begun is finished.
class LayerFigureForm::PrintEvents : public PendingEvents {
 public:
  bool Process() override {
    QCoreApplication::processEvents();
    return true;
  }
};

LayerFigureForm::LayerFigureForm(const FigureContext& context, const Texts& texts, QWidget* parent)
    : FigureForm(QString::fromLatin1(texts.objectName), QString::fromLatin1(texts.caption), parent),
      context_(context),
      helpText_(texts.helpText),
      pictureName_(texts.pictureName) {
  FormCreate(texts);
}

void LayerFigureForm::FormCreate(const Texts& texts) {
  setWindowFlag(Qt::WindowStaysOnTopHint);
  FillBackground(this, kSilver);
  SetBackground(kSilver);
  bar_ = new QLabel(this);
  bar_->setObjectName(QString::fromLatin1(texts.barName));
  FillBackground(bar_, kLime);
  bar_->setFrameShape(QFrame::Panel);
  bar_->setAlignment(Qt::AlignCenter);

  LabelLayer = new QLabel(QStringLiteral("Layer :"), bar_);
  LabelLayer->setObjectName(QStringLiteral("LabelLayer"));
  LabelLayer->setGeometry(8, 4, 44, 17);
  ComboBoxLayer = new LayerSelector(bar_);
  ComboBoxLayer->setCompleter(nullptr);  // Enter takes the text as typed
  ComboBoxLayer->setGeometry(56, 1, 60, kButtonSize);
  // an item picked, or a number typed and taken with Enter
  connect(ComboBoxLayer, &LayerSelector::LayerChosen, this,
          [this](int layer) { ComboBoxLayerChange(layer); });

  SpeedButtonSavePicture = SpeedButton(bar_, "SpeedButtonSavePicture", "Save", "Save Picture");
  SpeedButtonPrint = SpeedButton(bar_, "SpeedButtonPrint", "Print", "Print");
  SpeedButtonHelp = SpeedButton(bar_, "SpeedButtonHelp", "?", "Help");
  SpeedButtonSavePicture->resize(kWideButton, kButtonSize);
  SpeedButtonPrint->resize(kWideButton, kButtonSize);
  SpeedButtonHelp->resize(kButtonSize, kButtonSize);
  connect(SpeedButtonSavePicture, &QToolButton::clicked, this,
          [this] { SpeedButtonSavePictureClick(); });
  connect(SpeedButtonPrint, &QToolButton::clicked, this, [this] { SpeedButtonPrintClick(); });
  connect(SpeedButtonHelp, &QToolButton::clicked, this, [this] { SpeedButtonHelpClick(); });

  PanelWait = new QLabel(QStringLiteral("Please wait while printing is in progress"), this);
  PanelWait->setObjectName(QStringLiteral("PanelWait"));
  FillBackground(PanelWait, kRed);
  PanelWait->setFrameShape(QFrame::Panel);
  PanelWait->setAlignment(Qt::AlignCenter);
  QFont bold = PanelWait->font();
  bold.setBold(true);
  PanelWait->setFont(bold);
  PanelWait->resize(360, 41);
  PanelWait->hide();

  setGeometry(FigureFrame());
  setFixedSize(FigureFrame().size());
  LayOutBar();
}

void LayerFigureForm::LayOutBar() {
  bar_->setGeometry(0, 0, width(), kBarHeight);
  const int help = width() - SpeedButtonHelp->width() - 1;
  SpeedButtonHelp->move(help, 1);
  SpeedButtonPrint->move(help - SpeedButtonPrint->width(), 1);
  SpeedButtonSavePicture->move(SpeedButtonPrint->x() - SpeedButtonSavePicture->width(), 1);
  PanelWait->move((width() - PanelWait->width()) / 2, 100);
}

QString LayerFigureForm::BarCaption() const { return bar_->text(); }

void LayerFigureForm::SetLegend(const std::string& legend) {
  bar_->setText(QString::fromStdString(legend));
  bar_->repaint();
}

void LayerFigureForm::FormActivate() {
  const int NL = problem().NL;
  ComboBoxLayer->Fill(NL);
  ComboBoxLayer->setMaxVisibleItems(NL + 1);
  context_.currentLayer.Set(0);
  bar_->setText(QStringLiteral("  "));
}

void LayerFigureForm::ComboBoxLayerChange(int layer) {
  context_.currentLayer.Set(layer);
  QueueDraw();
}

void LayerFigureForm::QueueDraw() {
  // Enter on the selector may report itself more than once; one drawing answers them all
  if (drawQueued_) return;
  drawQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    drawQueued_ = false;
    if (isVisible()) DrawFigure();
  });
}

void LayerFigureForm::SpeedButtonHelpClick() { context_.dialogs.Message(helpText_); }

// ---- drawing and printing, one at a time ----

void LayerFigureForm::DrawFigure() {
  if (Busy()) {
    redrawAsked_ = true;
    return;
  }
  RunDrawings();
}

void LayerFigureForm::RunDrawings() {
  do {
    redrawAsked_ = false;
    Redraw();
    if (printAsked_) {
      printAsked_ = false;
      const std::string pdf = std::move(pdfAsked_);
      pdfAsked_.clear();
      RunPrint(pdf);
      redrawAsked_ = true;  // the drawing stopped for the print is finished afresh
    }
  } while (redrawAsked_ && isVisible());
}

bool LayerFigureForm::KeepTracing() { return KeepDrawing() && !redrawAsked_ && !printAsked_; }

bool LayerFigureForm::StartsAfresh() {
  // a window shown again starts on its own colour, as the window system erases it, and so
  // does a figure of other tables (edited in a data window meanwhile); a layer change draws
  // over the figure as it stands, which it covers whole (the options cannot change while the
  // window is open: each closes the other)
  const DrawnFor now = PictureOf(problem(), this);
  const bool afresh = eraseNext_ || now != drawn_;
  eraseNext_ = false;
  drawn_ = now;
  return afresh;
}

void LayerFigureForm::FormPaint(Canvas& canvas) {
  ScreenEvents events(*this);
  TraceGuard guard(problem(), events);
  PaintFigure(canvas, guard);
  // a figure of tables that have changed under it is drawn again from the new ones, when
  // they still hold a problem
  if (guard.Changed() && TablesHoldTheCounts(problem())) redrawAsked_ = true;
}

void LayerFigureForm::SpeedButtonPrintClick() {
  if (printing_) return;
  if (Drawing()) {
    printAsked_ = true;  // the drawing stops at its next pass, then prints
    return;
  }
  RunPrint();
  if (redrawAsked_ && isVisible()) RunDrawings();
}

void LayerFigureForm::RunPrint(const std::string& pdfPath) {
  printing_ = true;
  QPrinter printer(QPrinter::HighResolution);
  if (!pdfPath.empty())
    SetUpPdfPrinter(printer, QFile::decodeName(pdfPath.c_str()));
  else
    ProposePdfFile(printer, context_.folder(), windowTitle().toStdString());
  if (!pdfPath.empty() || context_.dialogs.Print(printer)) {
    // a PDF file is written beside its name and put in place when it is whole
    std::unique_ptr<SafePdf> pdf;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
      pdf = std::make_unique<SafePdf>(printer,
                                      QFile::encodeName(printer.outputFileName()).toStdString());
    PanelWait->show();
    PanelWait->raise();
    PanelWait->repaint();
    bool printed = false;
    const bool fits =
        WithinMemory(context_.dialogs, pdfPath.empty() ? "Print" : "Save Picture", [&] {
          if (pdf && !pdf->cause().empty()) return;
          QtPrinterCanvas canvas(printer);
          PrintEvents events;
          TraceGuard guard(problem(), events);
          printed = PrintDocument(canvas, guard);
        });
    PanelWait->hide();
    const Outcome written = !fits || !printed || !pdf ? Outcome{} : pdf->Finish();
    if (fits && pdf && !pdf->cause().empty())
      context_.dialogs.Message("Printing failed: the PDF file cannot be written.\n\n" +
                               pdf->cause());
    else if (fits && !printed)
      context_.dialogs.Message("Printing failed: the printer could not begin the document.");
    else if (!written.ok)
      context_.dialogs.Message("Printing failed: the PDF file cannot be written.\n\n" +
                               written.message);
  }
  printing_ = false;
}

void LayerFigureForm::SpeedButtonSavePictureClick() {
  if (printing_) return;
  FileDialogSetup setup;
  setup.filter = "PNG(*.png)|*.png|PDF(*.pdf)|*.pdf";
  setup.defaultExt = "*.png";
  setup.initialDir = context_.folder ? context_.folder() : std::string();
  setup.fileName = pictureName_;
  const std::optional<std::string> path = context_.dialogs.SaveFile(setup);
  if (path) SavePicture(*path);
}

void LayerFigureForm::SavePicture(const std::string& path) {
  const QString name = QString::fromStdString(path);
  if (name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
    if (Drawing()) {
      printAsked_ = true;  // the page follows once the drawing has stopped
      pdfAsked_ = path;
      return;
    }
    RunPrint(path);
    if (redrawAsked_ && isVisible()) RunDrawings();
    return;
  }
  Outcome saved;
  const bool fits = WithinMemory(context_.dialogs, "Save Picture",
                                 [&] { saved = SavePng(PictureWithBar(), path); });
  if (fits && !saved.ok) context_.dialogs.Message("Saving the picture failed.\n\n" + saved.message);
}

QImage LayerFigureForm::PictureWithBar() const {
  // the figure as it stands under the bar, which tells its legend and its layer; the keys
  // on the bar are no part of the picture
  QImage picture = Image().copy();
  QPainter painter(&picture);
  bar_->render(&painter, bar_->pos(), QRegion(), QWidget::DrawWindowBackground);
  for (QWidget* part : {static_cast<QWidget*>(LabelLayer), static_cast<QWidget*>(ComboBoxLayer)})
    part->render(&painter, bar_->mapTo(this, part->pos()), QRegion(),
                 QWidget::DrawWindowBackground | QWidget::DrawChildren);
  return picture;
}

// ---- window events ----

void LayerFigureForm::PlaceBeforeShow() { PlaceFrameRect(FigureFrame(), true); }

void LayerFigureForm::showEvent(QShowEvent* event) {
  FigureForm::showEvent(event);
  if (event->spontaneous()) return;  // the window system maps it again: the picture stands
  FormActivate();
  eraseNext_ = true;
  QueueDraw();  // once the command that showed the window has finished
}

void LayerFigureForm::resizeEvent(QResizeEvent* event) {
  LayOutBar();
  eraseNext_ = true;
  if (isVisible()) {
    SecondaryForm::resizeEvent(event);
    DrawFigure();
  } else {
    FigureForm::resizeEvent(event);
  }
}

}  // namespace planaq::ui
