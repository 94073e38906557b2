#include "ui/FormExportMap.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "grids/CellValue.h"
#include "ui/widgets/DialogFields.h"
#include "ui/widgets/TaskProgress.h"

namespace planaq::ui {

namespace {

std::string Joined(const std::vector<std::string>& files) {
  std::string text;
  for (const std::string& f : files) text += (text.empty() ? "" : "\n") + f;
  return text;
}

}  // namespace

TFormExportMap::TFormExportMap(const Problem& problem, Dialogs& dialogs,
                               RememberedGeoreference& georeference, QWidget* parent)
    : QDialog(parent), problem_(problem), dialogs_(dialogs), georeference_(georeference) {
  setObjectName(QStringLiteral("FormExportMap"));
  setWindowTitle(QStringLiteral("Export Map"));
  setModal(false);
  auto* form = new QFormLayout;
  EditFile = Named(new QLineEdit(this), "EditFile");
  EditFile->setMinimumWidth(260);
  ButtonBrowse = Named(new QPushButton(QStringLiteral("..."), this), "ButtonBrowse");
  ButtonBrowse->setAutoDefault(false);
  ButtonBrowse->setFixedWidth(28);
  auto* file = new QHBoxLayout;
  file->addWidget(EditFile);
  file->addWidget(ButtonBrowse);
  form->addRow(QStringLiteral("File (.gpkg, .geojson, .shp, .dxf) :"), file);
  layersBox_ = new QVBoxLayout;
  form->addRow(QStringLiteral("Contours of layers :"), layersBox_);
  EditX0 = Named(new QLineEdit(QStringLiteral("0"), this), "EditX0");
  form->addRow(QStringLiteral("Origin X0 (m) :"), EditX0);
  EditY0 = Named(new QLineEdit(QStringLiteral("0"), this), "EditY0");
  form->addRow(QStringLiteral("Origin Y0 (m) :"), EditY0);
  EditCrs = Named(new QLineEdit(this), "EditCrs");
  EditCrs->setPlaceholderText(QStringLiteral("EPSG:28992, WKT or PROJ; empty: none"));
  form->addRow(QStringLiteral("CRS :"), EditCrs);
  CheckBoxRemember =
      Named(new QCheckBox(QStringLiteral("Remember the origin and CRS beside the datafile"), this),
            "CheckBoxRemember");
  CheckBoxRemember->setChecked(true);
  form->addRow(CheckBoxRemember);
  EditCell = Named(new QLineEdit(QStringLiteral("0"), this), "EditCell");
  form->addRow(QStringLiteral("Heads raster cell (m, 0 = none) :"), EditCell);
  LabelResult = Named(new QLabel(this), "LabelResult");
  form->addRow(LabelResult);
  const DialogKeys keys = AddDialogKeys(form, this, QStringLiteral("Export"), "ButtonExport");
  ButtonExport = keys.act;
  ButtonClose = keys.close;
  setLayout(form);

  connect(ButtonBrowse, &QPushButton::clicked, this, [this] { ButtonBrowseClick(); });
  connect(ButtonExport, &QPushButton::clicked, this, [this] { ButtonExportClick(); });
  connect(ButtonClose, &QPushButton::clicked, this, &QDialog::hide);
}

void TFormExportMap::Prepare() {
  for (QCheckBox* box : layerBoxes_) delete box;
  layerBoxes_.clear();
  for (int L = 1; L <= problem_.NL; ++L) {
    auto* box = new QCheckBox(QString::asprintf("Layer %d", L), this);
    box->setObjectName(QString::asprintf("CheckBoxLayer%d", L));
    box->setChecked(true);
    layersBox_->addWidget(box);
    layerBoxes_.push_back(box);
  }
  LabelResult->clear();
  ShowGeoreference();
  if (!MapsAvailable())
    LabelResult->setText(QStringLiteral("This build of PLANAQ has no map support."));
}

void TFormExportMap::ShowGeoreference() {
  CheckBoxRemember->setEnabled(georeference_.CanRemember());
  CheckBoxRemember->setToolTip(RememberTip(georeference_.CanRemember()));
  const Georeference& g = georeference_.Value();
  if (SameGeoreference(g, shownGeoreference_)) return;  // what the user typed stays
  shownGeoreference_ = g;
  EditX0->setText(QString::number(g.X0, 'g', 17));
  EditY0->setText(QString::number(g.Y0, 'g', 17));
  EditCrs->setText(QString::fromStdString(g.crs));
}

void TFormExportMap::RememberGeoreference(const MapExportOptions& options) {
  if (!CheckBoxRemember->isEnabled() || !CheckBoxRemember->isChecked()) return;
  if (const std::string refused = georeference_.Remember({options.X0, options.Y0, options.crs});
      !refused.empty())
    dialogs_.Message(AsSentence(refused));
  shownGeoreference_ = georeference_.Value();
}

MapExportOptions TFormExportMap::Options(std::string& message) const {
  MapExportOptions options;
  if (!ReadRealField(EditX0, options.X0, message) || !ReadRealField(EditY0, options.Y0, message) ||
      !ReadRealField(EditCell, options.rasterCell, message))
    return options;
  if (options.rasterCell < 0.0) message = "Enter real number >= 0";
  options.crs = EditCrs->text().trimmed().toStdString();
  for (int L = 0; L < static_cast<int>(layerBoxes_.size()); ++L)
    if (layerBoxes_[L]->isChecked()) options.layers.push_back(L);
  // the core reads no layer as every layer, so none checked is refused rather than widened
  if (message.empty() && options.layers.empty() && !layerBoxes_.empty())
    message = "Check the layers whose contours are exported";
  return options;
}

void TFormExportMap::ButtonBrowseClick() {
  FileDialogSetup setup;
  setup.filter =
      "GeoPackage(*.gpkg)|*.gpkg|GeoJSON(*.geojson)|*.geojson|Shapefile(*.shp)|*.shp|"
      "Drawing(*.dxf)|*.dxf";
  setup.defaultExt = "*.gpkg";
  setup.fileName = EditFile->text().isEmpty() ? "Map1.gpkg" : EditFile->text().toStdString();
  if (const auto path = dialogs_.SaveFile(setup)) EditFile->setText(QString::fromStdString(*path));
}

void TFormExportMap::ButtonExportClick() {
  LabelResult->clear();
  std::string message;
  const MapExportOptions options = Options(message);
  const std::string path = EditFile->text().trimmed().toStdString();
  if (message.empty() && path.empty()) message = "Enter the name of the map file";
  if (message.empty()) message = CheckMapExport(problem_, path, options);
  if (!message.empty()) {
    dialogs_.Message(AsSentence(message));
    return;
  }
  MapOutcome outcome;
  {
    TaskProgress progress(this, QStringLiteral("Export Map"));
    outcome = ExportMap(problem_, path, options, progress.Callback());
  }
  if (outcome.status != MapStatus::Written) {
    dialogs_.Message(AsSentence(outcome.message));
    return;
  }
  RememberGeoreference(options);
  LabelResult->setText(QString::fromStdString("Written:\n" + Joined(outcome.files)));
}

}  // namespace planaq::ui
