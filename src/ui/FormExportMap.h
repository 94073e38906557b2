#pragma once
// The Export Map dialog of the File menu: the target file (its extension picks the format),
// the layers whose contours go out, the georeference (origin and CRS) and the cell of the
// heads raster (0: no raster). Export runs the map export of the core and shows its message
// when it fails; in a build without map support it says so.

#include <QDialog>
#include <string>
#include <vector>

#include "maps/MapExport.h"
#include "model/Problem.h"
#include "ui/Dialogs.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace planaq::ui {

class TFormExportMap : public QDialog {
  Q_OBJECT

 public:
  TFormExportMap(const Problem& problem, Dialogs& dialogs, QWidget* parent = nullptr);

  // at every opening: one check box per layer of the problem, all checked
  void Prepare();
  // the options the fields describe, or the message that refuses a field
  MapExportOptions Options(std::string& message) const;
  void ButtonExportClick();

 private:
  void ButtonBrowseClick();

  const Problem& problem_;
  Dialogs& dialogs_;
  QLineEdit* EditFile = nullptr;
  QPushButton* ButtonBrowse = nullptr;
  QVBoxLayout* layersBox_ = nullptr;
  std::vector<QCheckBox*> layerBoxes_;
  QLineEdit* EditX0 = nullptr;
  QLineEdit* EditY0 = nullptr;
  QLineEdit* EditCrs = nullptr;
  QLineEdit* EditCell = nullptr;
  QLabel* LabelResult = nullptr;
  QPushButton* ButtonExport = nullptr;
  QPushButton* ButtonClose = nullptr;
};

}  // namespace planaq::ui
