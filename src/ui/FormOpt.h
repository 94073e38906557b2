#pragma once
// The options window: what the printed report holds, how large printed graphs are, how the
// 3D graph looks and how Solve solves the linear system of each cycle. The settings live in its
// controls only; readers take Settings() when they next print or paint.

#include <functional>
#include <string>

#include "model/Options.h"
#include "ui/SecondaryForm.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;
class QToolButton;

namespace planaq::ui {

class Dialogs;

class TFormOpt : public SecondaryForm {
  Q_OBJECT

 public:
  TFormOpt(Dialogs& dialogs, QWidget* parent = nullptr);
  Options Settings() const;
  // told when the background map is switched, chosen or moved
  void OnMapChanged(std::function<void()> handler) { mapChanged_ = std::move(handler); }
  // the origin of the background map, as a datafile's georeference gives it
  void SetMapOrigin(double x0, double y0);
  void SpeedButtonHelpClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  QCheckBox* AddCheck(QWidget* group, const char* name, const char* caption, bool ticked, int y);
  QSlider* AddTrackBar(QWidget* group, const char* name, const char* label, int y);
  void AddSolverGroup();
  void AddMapGroup();
  void SpeedButtonBackgroundClick();
  void MapOriginLeft(QLineEdit* field, double& value);

  Dialogs& dialogs_;
  QCheckBox* CheckGeneral;
  QCheckBox* CheckNodes;
  QCheckBox* CheckElements;
  QCheckBox* CheckMesh;
  QCheckBox* CheckBalance;
  QCheckBox* CheckObservations;
  QSlider* GraphScale;
  QCheckBox* CheckWater;
  QCheckBox* CheckCont;
  QCheckBox* CheckBottom;
  QCheckBox* CheckTop;
  QSlider* AngleScale;
  QRadioButton* RadioConjugate;
  QRadioButton* RadioMultigrid;  // hidden in a build without the multigrid solver
  QToolButton* SpeedButtonHelp;
  QCheckBox* CheckBackground;
  QToolButton* SpeedButtonBackground;
  QLabel* LabelBackground;
  QLineEdit* EditMapX0;
  QLineEdit* EditMapY0;
  std::string backgroundFile_;
  double mapX0_ = 0.0;
  double mapY0_ = 0.0;
  std::function<void()> mapChanged_ = [] {};
  bool placed_ = false;
};

// The text of the options window's help button.
const char* OptionsHelpText();

}  // namespace planaq::ui
