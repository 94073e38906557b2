#include "ui/figures/FigureForm.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QPainter>
#include <QResizeEvent>

#include "ui/qt/QtImageCanvas.h"

namespace planaq::ui {

FigureForm::FigureForm(const QString& objectName, const QString& caption, QWidget* parent)
    : SecondaryForm(objectName, caption, parent) {
  // the image covers the whole client area; nothing underneath needs erasing
  setAttribute(Qt::WA_OpaquePaintEvent);
  FitImage();
}

void FigureForm::FitImage() {
  if (drawing_) return;  // the canvas of the running drawing paints on the image
  const QSize size(std::max(width(), 1), std::max(height(), 1));
  if (image_.size() != size) image_ = QtImageCanvas::MakeImage(size.width(), size.height());
}

void FigureForm::Redraw() {
  if (drawing_) return;
  drawing_ = true;
  FitImage();
  if (StartsAfresh()) image_.fill(background_);
  {
    QtImageCanvas canvas(image_);
    FormPaint(canvas);
  }
  drawing_ = false;
  update();
}

void FigureForm::DrawOnImage(const std::function<void(Canvas&)>& draw) {
  if (drawing_) return;
  {
    QtImageCanvas canvas(image_);
    draw(canvas);
  }
  update();
}

bool FigureForm::KeepDrawing() {
  QCoreApplication::processEvents();
  return isVisible();
}

void FigureForm::RedrawIfOutdated() {
  if (isVisible() && !drawing_ && Outdated()) Redraw();
}

void FigureForm::enterEvent(QEnterEvent* event) {
  SecondaryForm::enterEvent(event);
  RedrawIfOutdated();
}

void FigureForm::changeEvent(QEvent* event) {
  SecondaryForm::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) RedrawIfOutdated();
}

void FigureForm::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), image_, event->rect());
}

void FigureForm::resizeEvent(QResizeEvent* event) {
  SecondaryForm::resizeEvent(event);
  if (isVisible())
    Redraw();
  else
    FitImage();
}

}  // namespace planaq::ui
