#pragma once
// The base of the figure windows (mesh, block editor, contours, 3D graph, manual). The picture
// lives in a persistent QImage the size of the client area: Redraw runs the window's FormPaint
// into it through a QtImageCanvas, and paintEvent only copies it to the screen. So a window
// can also draw between repaints (a rubber line in not-xor mode with DrawOnImage) and what it
// drew stays until the next Redraw.
//
// Every drawing starts from the window's colour, so nothing of the picture before stays
// outside the new one when the area, the problem or the window size changed (a figure that
// draws over what stands, as a layer change does, says so in StartsAfresh). A window whose
// picture no longer fits the problem says so in Outdated; it is drawn again as soon as the
// mouse comes back into it or it becomes active, before any click on the old picture counts.
//
// Redraw is not re-entrant: one drawing at a time. A long drawing calls KeepDrawing between
// its passes, which lets the program handle pending events (other windows repaint, the user
// may close this one) and tells whether to go on.

#include <QColor>
#include <QImage>
#include <functional>

#include "canvas/Canvas.h"
#include "ui/SecondaryForm.h"

namespace planaq::ui {

class FigureForm : public SecondaryForm {
  Q_OBJECT

 public:
  FigureForm(const QString& objectName, const QString& caption, QWidget* parent = nullptr);

  // the picture as it is now on the screen
  const QImage& Image() const { return image_; }
  // draws the whole picture again and shows it; ignored while a drawing is running
  void Redraw();
  bool Drawing() const { return drawing_; }

 protected:
  // draws the whole picture; the canvas is the size of the client area
  virtual void FormPaint(Canvas& canvas) = 0;
  // whether the next drawing starts from the window's colour; false draws over the picture
  virtual bool StartsAfresh() { return true; }
  // whether the picture was drawn for an area, a problem or a size that has changed since
  virtual bool Outdated() const { return false; }
  // the colour of the window around the figure
  void SetBackground(const QColor& colour) { background_ = colour; }
  // draws on the picture as it is, without redrawing it, and shows the result
  void DrawOnImage(const std::function<void(Canvas&)>& draw);
  // between passes of a long drawing: handles pending events; false once the window is closed
  bool KeepDrawing();

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void FitImage();
  void RedrawIfOutdated();
  QImage image_;
  QColor background_{255, 255, 255};
  bool drawing_ = false;
};

}  // namespace planaq::ui
