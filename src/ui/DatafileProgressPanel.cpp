#include "ui/DatafileProgressPanel.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <algorithm>

namespace planaq::ui {

DatafileProgressPanel::DatafileProgressPanel(QFrame& panel)
    : panel_(panel),
      label_(panel.findChild<QLabel*>()),
      written_(label_ ? label_->text() : QString()),
      width_(panel.width()) {}

DatafileProgressPanel::~DatafileProgressPanel() {
  if (!label_ || shown_ < 0) return;
  label_->setText(written_);
  const int centre = panel_.geometry().center().x();
  panel_.setGeometry(centre - width_ / 2, panel_.y(), width_, panel_.height());
  label_->setGeometry(0, 0, width_, panel_.height());
}

QString DatafileProgressPanel::Caption(const QString& written, long long done, long long total) {
  const long long percent = total > 0 ? done * 100 / total : 0;
  // the written caption of the reading panel ends in a space already
  return (written.endsWith(QLatin1Char(' ')) ? written : written + QLatin1Char(' ')) +
         QString::number(percent) + QStringLiteral(" %");
}

void DatafileProgressPanel::Advanced(long long done, long long total) {
  // a file read in one block, or formatted before the first report, has nothing to wait for
  if (!label_ || total <= 0 || done >= total) return;
  const int percent = static_cast<int>(done * 100 / total);
  if (percent == shown_) return;
  if (shown_ < 0) {
    // room for "100 %" from the start, so the panel does not grow while it counts
    label_->setText(Caption(written_, 100, 100));
    const QSize text = label_->sizeHint();
    const QPoint centre = panel_.geometry().center();
    panel_.resize(std::max(panel_.width(), text.width() + 40), panel_.height());
    panel_.move(centre.x() - panel_.width() / 2, panel_.y());
    label_->setGeometry(0, 0, panel_.width(), panel_.height());
  }
  shown_ = percent;
  label_->setText(Caption(written_, done, total));
  panel_.repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace planaq::ui
