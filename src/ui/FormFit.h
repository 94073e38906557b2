#pragma once
// The Fit window: the soil properties named in its field estimated from the observations by
// the core's fit, every iteration shown as it ends. While the fit runs the window is the only
// one that takes input; Cancel ends the fit before its next solve and leaves the problem as it
// was. A fit that ends with values tells the main window, which then holds them as unsaved.

#include <functional>

#include "model/Problem.h"
#include "observe/Fit.h"
#include "ui/SecondaryForm.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace planaq::ui {

class Dialogs;

class TFormFit : public SecondaryForm {
  Q_OBJECT

 public:
  TFormFit(Problem& problem, const ObservationSet& observations, Dialogs& dialogs,
           QWidget* parent = nullptr);

  void ButtonStartClick();
  void ButtonCancelClick();
  bool Running() const { return running_; }
  // told after a fit that left its values in the problem
  void OnFitted(std::function<void()> fitted) { fitted_ = std::move(fitted); }
  QString LogText() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // the parameters of the fields, or false with the message shown
  bool ReadFields(std::vector<FitParameter>& params, int& maxSolves);
  void Log(const std::string& line);
  void Report(const FitResult& r, const std::vector<FitParameter>& params);

  Problem& problem_;
  const ObservationSet& set_;
  Dialogs& dialogs_;
  QLineEdit* EditParameters = nullptr;
  QLineEdit* EditBounds = nullptr;
  QLineEdit* EditMaxSolves = nullptr;
  QPushButton* ButtonStart = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QPlainTextEdit* FitLog = nullptr;
  bool running_ = false;
  bool cancelAsked_ = false;
  std::function<void()> fitted_ = [] {};
};

}  // namespace planaq::ui
