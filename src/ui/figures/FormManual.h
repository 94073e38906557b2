#pragma once
// The Manual window: the pages of the manual drawn on the figure base, a page selector in the
// lime bar, and Print, which prints the 12 pages through the print dialog.

#include "manual/Manual.h"
#include "ui/Dialogs.h"
#include "ui/figures/FigureForm.h"

class QComboBox;
class QFrame;
class QLabel;
class QToolButton;

namespace planaq::ui {

class TFormManual : public FigureForm {
  Q_OBJECT

 public:
  explicit TFormManual(Dialogs& dialogs, QWidget* parent = nullptr);

  int CurrentPage() const { return page_; }
  // the selector's text as a page, held to 1..13; shown at once
  void ComboBoxPageChange(const QString& text);
  void SpeedButtonPrintClick();
  void SpeedButtonHelpClick();

 protected:
  void FormPaint(Canvas& canvas) override;
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();

  Dialogs& dialogs_;
  Manual manual_;
  int page_ = 1;

  QFrame* PanelManual = nullptr;
  QToolButton* SpeedButtonPrint = nullptr;
  QLabel* LabelPage = nullptr;
  QComboBox* ComboBoxPage = nullptr;
  QToolButton* SpeedButtonHelp = nullptr;
};

// The text of the "Help on Manual" key.
const char* ManualHelpText();

}  // namespace planaq::ui
