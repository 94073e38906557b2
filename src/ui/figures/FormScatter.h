#pragma once
// The Observed against Computed window: the scatter figure of the observations with the
// heads in memory, drawn again at every show and resize; Print puts it on a page, Save
// Picture writes it as PNG (or its page as PDF).

#include <functional>
#include <string>

#include "model/Problem.h"
#include "observe/Observations.h"
#include "print/PrintJob.h"
#include "ui/figures/FigureForm.h"

class QPrinter;
class QToolButton;

namespace planaq::ui {

class Dialogs;

class TFormScatter : public FigureForm {
  Q_OBJECT

 public:
  TFormScatter(Problem& problem, const ObservationSet& observations, Dialogs& dialogs,
               PrintState& printState, std::function<std::string()> folder,
               QWidget* parent = nullptr);

  void SpeedButtonPrintClick();
  void SpeedButtonSavePictureClick();
  // the page into the PDF file, or the figure into the PNG file
  void SavePicture(const std::string& path);

 protected:
  void FormPaint(Canvas& canvas) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  bool PrintTo(QPrinter& printer);

  Problem& problem_;
  const ObservationSet& set_;
  Dialogs& dialogs_;
  PrintState& printState_;
  std::function<std::string()> folder_;
  QWidget* bar_ = nullptr;
  QToolButton* SpeedButtonPrint = nullptr;
  QToolButton* SpeedButtonSavePicture = nullptr;
};

}  // namespace planaq::ui
