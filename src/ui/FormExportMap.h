#pragma once
// The Export Map dialog of the File menu: the target file (its extension picks the format),
// the layers whose contours go out, the georeference (origin and CRS) and the cell of the
// heads raster (0: no raster). Export runs the map export of the core with its progress and
// shows its message when it fails; in a build without map support it says so. The georeference
// fields start from the one remembered beside the datafile and, with "Remember" ticked, what
// an export used is remembered there.

#include <QDialog>
#include <string>
#include <vector>

#include "maps/MapExport.h"
#include "model/Problem.h"
#include "ui/Dialogs.h"
#include "ui/RememberedGeoreference.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace planaq::ui {

class TFormExportMap : public QDialog {
  Q_OBJECT

 public:
  TFormExportMap(const Problem& problem, Dialogs& dialogs, RememberedGeoreference& georeference,
                 QWidget* parent = nullptr);

  // at every opening: one check box per layer of the problem, all checked; the georeference
  // fields from the remembered one when it changed since the last opening
  void Prepare();
  // the options the fields describe, or the message that refuses a field
  MapExportOptions Options(std::string& message) const;
  void ButtonExportClick();

 private:
  void ButtonBrowseClick();
  void ShowGeoreference();
  void RememberGeoreference(const MapExportOptions& options);

  const Problem& problem_;
  Dialogs& dialogs_;
  RememberedGeoreference& georeference_;
  Georeference shownGeoreference_;
  QLineEdit* EditFile = nullptr;
  QPushButton* ButtonBrowse = nullptr;
  QVBoxLayout* layersBox_ = nullptr;
  std::vector<QCheckBox*> layerBoxes_;
  QLineEdit* EditX0 = nullptr;
  QLineEdit* EditY0 = nullptr;
  QLineEdit* EditCrs = nullptr;
  QLineEdit* EditCell = nullptr;
  QCheckBox* CheckBoxRemember = nullptr;
  QLabel* LabelResult = nullptr;
  QPushButton* ButtonExport = nullptr;
  QPushButton* ButtonClose = nullptr;
};

}  // namespace planaq::ui
