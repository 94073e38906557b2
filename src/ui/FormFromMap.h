#pragma once
// The From Map dialog of the Nodes window: a raster or a CSV / point file, the quantity it
// fills (T, B or F) in the window's current layer, the value's column for points, and the
// origin added to the model's coordinates to find a node on the map. It takes values in and
// gives the request out; the Nodes window samples, assigns and refreshes. The origin starts from
// the one remembered beside the datafile and, with "Remember" ticked, is remembered there.

#include <QDialog>
#include <functional>
#include <string>

#include "maps/MapSampling.h"
#include "mesh/NodeValuesAssign.h"
#include "ui/Dialogs.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace planaq::ui {

struct FromMapRequest {
  std::string path;
  std::string field;
  NodeQuantity quantity = NodeQuantity::Top;
  double X0 = 0.0;
  double Y0 = 0.0;
  bool remember = false;  // the origin goes beside the datafile
};

class TFormFromMap : public QDialog {
  Q_OBJECT

 public:
  TFormFromMap(Dialogs& dialogs, QWidget* parent = nullptr);

  // at every opening: the layer (0-based) the values go into, and the remembered origin when it
  // changed since the last opening (canRemember: there is a datafile to keep it beside)
  void Prepare(int layer, double X0 = 0.0, double Y0 = 0.0, bool canRemember = false);
  // the request the fields describe, or the message that refuses a field
  FromMapRequest Request(std::string& message) const;

  std::function<void(const FromMapRequest&)> onApply;

 private:
  void ButtonBrowseClick();
  void ButtonApplyClick();

  Dialogs& dialogs_;
  QLabel* LabelLayer = nullptr;
  QLineEdit* EditMapFile = nullptr;
  QPushButton* ButtonBrowse = nullptr;
  QComboBox* ComboBoxQuantity = nullptr;
  QLineEdit* EditField = nullptr;
  QLineEdit* EditX0 = nullptr;
  QLineEdit* EditY0 = nullptr;
  QCheckBox* CheckBoxRemember = nullptr;
  double shownX0_ = 0.0, shownY0_ = 0.0;
  QPushButton* ButtonApply = nullptr;
  QPushButton* ButtonClose = nullptr;
};

}  // namespace planaq::ui
