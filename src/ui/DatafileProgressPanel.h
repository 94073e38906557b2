#pragma once
// A reading or saving notice panel as the sink of a long datafile operation: it adds how far
// the operation is to its caption and lets the window system repaint meanwhile. User input
// waits until the operation has ended, so no command can start in the middle of it.

#include <QString>

#include "files/DatafileProgress.h"

class QFrame;
class QLabel;

namespace planaq::ui {

class DatafileProgressPanel : public DatafileProgress {
 public:
  explicit DatafileProgressPanel(QFrame& panel);
  // The panel gets its written caption back.
  ~DatafileProgressPanel() override;
  void Advanced(long long done, long long total) override;

  // The caption with the share done, as in "Saving datafile, Please wait 42 %".
  static QString Caption(const QString& written, long long done, long long total);

 private:
  QFrame& panel_;
  QLabel* label_;
  QString written_;
  int width_;       // the panel's width with its written caption
  int shown_ = -1;  // the percentage on the panel, -1 before the first
};

}  // namespace planaq::ui
