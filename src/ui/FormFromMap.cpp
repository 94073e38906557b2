#include "ui/FormFromMap.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "grids/CellValue.h"
#include "ui/widgets/DialogFields.h"

namespace planaq::ui {

namespace {

// in the order of the quantity box
constexpr NodeQuantity kQuantities[] = {NodeQuantity::Top, NodeQuantity::Bottom,
                                        NodeQuantity::Head};

}  // namespace

TFormFromMap::TFormFromMap(Dialogs& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("FormFromMap"));
  setWindowTitle(QStringLiteral("From Map"));
  setModal(false);
  auto* form = new QFormLayout;
  LabelLayer = Named(new QLabel(this), "LabelLayer");
  form->addRow(QStringLiteral("Layer :"), LabelLayer);
  EditMapFile = Named(new QLineEdit(this), "EditMapFile");
  EditMapFile->setMinimumWidth(240);
  ButtonBrowse = Named(new QPushButton(QStringLiteral("..."), this), "ButtonBrowse");
  ButtonBrowse->setAutoDefault(false);
  ButtonBrowse->setFixedWidth(28);
  auto* file = new QHBoxLayout;
  file->addWidget(EditMapFile);
  file->addWidget(ButtonBrowse);
  form->addRow(QStringLiteral("Raster or points :"), file);
  ComboBoxQuantity = Named(new QComboBox(this), "ComboBoxQuantity");
  ComboBoxQuantity->addItems(
      {QStringLiteral("Top T"), QStringLiteral("Bottom B"), QStringLiteral("Head F")});
  form->addRow(QStringLiteral("Quantity :"), ComboBoxQuantity);
  EditField = Named(new QLineEdit(this), "EditField");
  EditField->setPlaceholderText(QStringLiteral("points only; empty: the one beside x, y"));
  form->addRow(QStringLiteral("Value field :"), EditField);
  EditX0 = Named(new QLineEdit(QStringLiteral("0"), this), "EditX0");
  form->addRow(QStringLiteral("Origin X0 (m) :"), EditX0);
  EditY0 = Named(new QLineEdit(QStringLiteral("0"), this), "EditY0");
  form->addRow(QStringLiteral("Origin Y0 (m) :"), EditY0);
  CheckBoxRemember = Named(
      new QCheckBox(QStringLiteral("Remember the origin beside the datafile"), this),
      "CheckBoxRemember");
  CheckBoxRemember->setChecked(true);
  form->addRow(CheckBoxRemember);
  const DialogKeys keys = AddDialogKeys(form, this, QStringLiteral("Apply"), "ButtonApply");
  ButtonApply = keys.act;
  ButtonClose = keys.close;
  setLayout(form);

  connect(ButtonBrowse, &QPushButton::clicked, this, [this] { ButtonBrowseClick(); });
  connect(ButtonApply, &QPushButton::clicked, this, [this] { ButtonApplyClick(); });
  connect(ButtonClose, &QPushButton::clicked, this, &QDialog::hide);
}

void TFormFromMap::Prepare(int layer, double X0, double Y0, bool canRemember) {
  LabelLayer->setText(QString::asprintf("%3d", layer + 1));
  CheckBoxRemember->setEnabled(canRemember);
  CheckBoxRemember->setToolTip(RememberTip(canRemember));
  if (X0 == shownX0_ && Y0 == shownY0_) return;  // what the user typed stays
  shownX0_ = X0;
  shownY0_ = Y0;
  EditX0->setText(QString::number(X0, 'g', 17));
  EditY0->setText(QString::number(Y0, 'g', 17));
}

FromMapRequest TFormFromMap::Request(std::string& message) const {
  FromMapRequest r;
  r.path = EditMapFile->text().trimmed().toStdString();
  r.field = EditField->text().trimmed().toStdString();
  r.quantity = kQuantities[std::max(ComboBoxQuantity->currentIndex(), 0)];
  r.remember = CheckBoxRemember->isEnabled() && CheckBoxRemember->isChecked();
  if (ReadRealField(EditX0, r.X0, message) && ReadRealField(EditY0, r.Y0, message) &&
      r.path.empty())
    message = "Choose the raster or points file";
  return r;
}

void TFormFromMap::ButtonBrowseClick() {
  FileDialogSetup setup;
  setup.filter =
      "Raster or points(*.tif)|*.tif *.tiff *.asc *.png *.csv *.gpkg *.shp *.geojson|"
      "All files(*.*)|*";
  setup.defaultExt = "";
  setup.fileName = EditMapFile->text().toStdString();
  if (const auto path = dialogs_.OpenFile(setup))
    EditMapFile->setText(QString::fromStdString(*path));
}

void TFormFromMap::ButtonApplyClick() {
  std::string message;
  const FromMapRequest r = Request(message);
  if (!message.empty()) {
    dialogs_.Message(message);
    return;
  }
  if (onApply) onApply(r);
}

}  // namespace planaq::ui
