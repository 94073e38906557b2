#include "ui/FormAssign.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QKeyEvent>
#include <QPushButton>

#include "files/Tokens.h"
#include "grids/CellValue.h"
#include "ui/widgets/DialogFields.h"

namespace planaq::ui {

namespace {

const char* const kQuantityNames[TFormAssign::kQuantities] = {"Given head F (F/Q = F)",
                                                              "Given head along the line",
                                                              "Given supply (F/Q = Q)",
                                                              "Head F",
                                                              "Bottom B",
                                                              "Top T",
                                                              "Top open (C/O = O)",
                                                              "Top closed (C/O = C)",
                                                              "Extra supply Q, total (m\u00b3/d)",
                                                              "Soil"};

// a typed real as the grids read it
}  // namespace

TFormAssign::TFormAssign(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormAssign"));
  setWindowTitle(QStringLiteral("Assign"));
  setModal(false);
  auto* form = new QFormLayout;
  ComboBoxLayer = Named(new QComboBox(this), "ComboBoxLayer");
  form->addRow(QStringLiteral("Layer :"), ComboBoxLayer);
  ComboBoxQuantity = Named(new QComboBox(this), "ComboBoxQuantity");
  for (const char* q : kQuantityNames) ComboBoxQuantity->addItem(QString::fromUtf8(q));
  form->addRow(QStringLiteral("Quantity :"), ComboBoxQuantity);
  LabelValue = new QLabel(QStringLiteral("Value :"), this);
  EditValue = Named(new QLineEdit(QStringLiteral("0"), this), "EditValue");
  form->addRow(LabelValue, EditValue);
  LabelValue2 = new QLabel(QStringLiteral("To :"), this);
  EditValue2 = Named(new QLineEdit(QStringLiteral("0"), this), "EditValue2");
  form->addRow(LabelValue2, EditValue2);
  LabelWidth = new QLabel(QStringLiteral("Half-width (m) :"), this);
  EditWidth = Named(new QLineEdit(QStringLiteral("0"), this), "EditWidth");
  form->addRow(LabelWidth, EditWidth);
  const DialogKeys keys = AddDialogKeys(form, this, QStringLiteral("Apply"), "ButtonApply");
  ButtonApply = keys.act;
  ButtonClose = keys.close;
  setLayout(form);

  connect(ComboBoxQuantity, &QComboBox::currentIndexChanged, this, [this] { QuantityChanged(); });
  connect(ButtonApply, &QPushButton::clicked, this, [this] { ApplyClicked(); });
  connect(ButtonClose, &QPushButton::clicked, this, &QDialog::hide);

  connect(EditWidth, &QLineEdit::editingFinished, this, [this] { WidthLeft(); });
  QuantityChanged();
}

void TFormAssign::Prepare(int NL, bool line, double width) {
  const int kept = ComboBoxLayer->currentIndex();
  ComboBoxLayer->clear();
  for (int L = 1; L <= NL; ++L) ComboBoxLayer->addItem(QString::asprintf("%3d", L));
  ComboBoxLayer->addItem(QStringLiteral("All"));
  ComboBoxLayer->setCurrentIndex(kept >= 0 && kept <= NL ? kept : 0);
  line_ = line;
  if (!line && ComboBoxQuantity->currentIndex() == kHeadAlongLine)
    ComboBoxQuantity->setCurrentIndex(kGivenHead);
  EditWidth->setText(QString::asprintf("%.3f", width));
  QuantityChanged();
}

void TFormAssign::QuantityChanged() {
  const int q = ComboBoxQuantity->currentIndex();
  const bool along = q == kHeadAlongLine;
  const bool valued = !(q == kGivenSupply || q == kTopOpen || q == kTopClosed);
  LabelValue->setText(along ? QStringLiteral("From (first point) :") : QStringLiteral("Value :"));
  LabelValue->setVisible(valued);
  EditValue->setVisible(valued);
  LabelValue2->setText(QStringLiteral("To (last point) :"));
  LabelValue2->setVisible(along);
  EditValue2->setVisible(along);
  LabelWidth->setVisible(line_);
  EditWidth->setVisible(line_);
  ComboBoxLayer->setEnabled(q != kSoil && q != kTopOpen && q != kTopClosed);
}

Assignment TFormAssign::Values(std::string& message) const {
  Assignment a;
  const int last = ComboBoxLayer->count() - 1;
  const int layer = ComboBoxLayer->currentIndex();
  a.layer = layer == last ? Assignment::kAllLayers : std::max(layer, 0);
  double v = 0.0, to = 0.0;
  const int q = ComboBoxQuantity->currentIndex();
  const bool valued = !(q == kGivenSupply || q == kTopOpen || q == kTopClosed);
  if (valued && !ReadRealField(EditValue, v, message)) return a;
  if (q == kHeadAlongLine && !ReadRealField(EditValue2, to, message)) return a;
  switch (q) {
    case kGivenHead:
      a.givenHead = v;
      break;
    case kHeadAlongLine:
      a.headAlong = HeadAlongLine{v, to};
      break;
    case kGivenSupply:
      a.givenSupply = true;
      break;
    case kHead:
      a.head = v;
      break;
    case kBottom:
      a.bottom = v;
      break;
    case kTop:
      a.top = v;
      break;
    case kTopOpen:
      a.topOpen = true;
      break;
    case kTopClosed:
      a.topOpen = false;
      break;
    case kExtraSupply:
      a.extraSupply = v;
      break;
    default:
      a.soil = LeadingInt(EditValue->text().toStdString());
      break;
  }
  return a;
}

double TFormAssign::Width(std::string& message) const {
  double w = 0.0;
  ReadRealField(EditWidth, w, message);
  return w;
}

void TFormAssign::ApplyClicked() {
  std::string message;
  const Assignment a = Values(message);
  if (!message.empty()) {
    if (onMessage) onMessage(message);
    return;
  }
  if (onApply) onApply(a);
}

void TFormAssign::WidthLeft() {
  std::string message;
  const double w = Width(message);
  if (!message.empty()) {
    if (onMessage) onMessage(message);
    return;
  }
  if (onWidth) onWidth(w);
}

// Ctrl+Z here undoes the last assignment as in the mesh window; a field takes its own Ctrl+Z
// for what was typed into it before the dialog sees the key.
void TFormAssign::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Undo) && onUndo) {
    onUndo();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace planaq::ui
