#include "ui/figures/FormManual.h"

#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QScreen>
#include <QToolButton>

#include "ui/qt/QtPrinterCanvas.h"
#include "ui/widgets/Panels.h"

namespace planaq::ui {

namespace {

constexpr int kClientWidth = 770, kClientHeight = 580;
constexpr int kBarHeight = 30;
constexpr int kButtonSize = 26;

}  // namespace

const char* ManualHelpText() {
  return "Manual\n\nThis window shows a manual of the program, including a description of its "
         "operation. The manual can be printed by clicking the PRINT key in this window.";
}

TFormManual::TFormManual(Dialogs& dialogs, QWidget* parent)
    : FigureForm(QStringLiteral("FormManual"), QStringLiteral("Manual"), parent),
      dialogs_(dialogs) {
  StayAboveMainWindow();
  FillBackground(this, QColor(0, 255, 255));
  PanelManual =
      ColouredPanel(this, "PanelManual", QColor(0, 255, 0), QRect(0, 0, kClientWidth, kBarHeight));
  SpeedButtonPrint = SpeedButton(PanelManual, "SpeedButtonPrint", "Print", "Print Manual");
  SpeedButtonPrint->setGeometry(2, 2, 2 * kButtonSize, kButtonSize);
  LabelPage = new QLabel(QStringLiteral("Page :"), PanelManual);
  LabelPage->setObjectName(QStringLiteral("LabelPage"));
  LabelPage->adjustSize();
  ComboBoxPage = new QComboBox(PanelManual);
  ComboBoxPage->setObjectName(QStringLiteral("ComboBoxPage"));
  ComboBoxPage->setEditable(true);
  ComboBoxPage->setInsertPolicy(QComboBox::NoInsert);
  for (int page = 1; page <= kManualPages; ++page)
    ComboBoxPage->addItem(QString::asprintf("%2d", page));
  ComboBoxPage->setMaxVisibleItems(kManualPages);
  SpeedButtonHelp = SpeedButton(PanelManual, "SpeedButtonHelp", "?", "Help on Manual");
  connect(SpeedButtonPrint, &QToolButton::clicked, this, [this] { SpeedButtonPrintClick(); });
  connect(SpeedButtonHelp, &QToolButton::clicked, this, [this] { SpeedButtonHelpClick(); });
  connect(ComboBoxPage, &QComboBox::activated, this,
          [this](int index) { ComboBoxPageChange(ComboBoxPage->itemText(index)); });
  connect(ComboBoxPage->lineEdit(), &QLineEdit::returnPressed, this,
          [this] { ComboBoxPageChange(ComboBoxPage->currentText()); });
  FormCreate();
}

void TFormManual::FormCreate() {
  setFixedSize(kClientWidth, kClientHeight);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const bool narrow = screen && screen->geometry().width() < 801;
  MoveFrameTo(narrow ? 10 : 30, narrow ? 0 : 70);
  SpeedButtonHelp->setGeometry(width() - 34, 2, kButtonSize, kButtonSize);
  LabelPage->move(450, (kBarHeight - LabelPage->height()) / 2);
  ComboBoxPage->setGeometry(450 + LabelPage->width() + 10, 4, 50, kBarHeight - 8);
  page_ = 1;
  ComboBoxPage->setCurrentIndex(0);
}

void TFormManual::ComboBoxPageChange(const QString& text) {
  page_ = ClampManualPage(text.toStdString());
  ComboBoxPage->setCurrentIndex(page_ - 1);
  ComboBoxPage->setEditText(ComboBoxPage->itemText(page_ - 1));
  Redraw();
}

void TFormManual::SpeedButtonPrintClick() {
  QPrinter printer(QPrinter::HighResolution);
  if (!dialogs_.Print(printer)) return;
  QtPrinterCanvas canvas(printer);
  if (!manual_.Print(canvas))
    dialogs_.Message("Printing failed: the printer could not begin the document.");
}

void TFormManual::SpeedButtonHelpClick() { dialogs_.Message(ManualHelpText()); }

void TFormManual::FormPaint(Canvas& canvas) { manual_.DrawScreenPage(canvas, page_); }

void TFormManual::showEvent(QShowEvent* event) {
  FigureForm::showEvent(event);
  Redraw();
}

}  // namespace planaq::ui
