#pragma once
// The base of the figure windows (mesh, block editor, contours, 3D graph, manual). The picture
// lives in a persistent QImage the size of the client area: Redraw runs the window's FormPaint
// into it through a QtImageCanvas, and paintEvent only copies it to the screen. So a window
// can also draw between repaints (a rubber line in not-xor mode with DrawOnImage) and what it
// drew stays until the next Redraw.
//
// Redraw is not re-entrant: one drawing at a time. A long drawing calls KeepDrawing between
// its passes, which lets the program handle pending events (other windows repaint, the user
// may close this one) and tells whether to go on.

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
  // draws on the picture as it is, without redrawing it, and shows the result
  void DrawOnImage(const std::function<void(Canvas&)>& draw);
  // between passes of a long drawing: handles pending events; false once the window is closed
  bool KeepDrawing();

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FitImage();
  QImage image_;
  bool drawing_ = false;
};

}  // namespace planaq::ui
