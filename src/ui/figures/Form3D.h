#pragma once
// The 3D-Graph window: the surfaces of the layers, the groundwater table of one layer with its
// contours, the wells and the pathlines in an oblique view. What is drawn and the viewing angle
// are the options window's, read at every drawing; the print key puts the figure as last drawn
// on a page.

#include "ui/figures/LayerFigureForm.h"

namespace planaq::ui {

class TForm3D : public LayerFigureForm {
  Q_OBJECT

 public:
  TForm3D(const FigureContext& context, QWidget* parent = nullptr);
  // the surfaces, contours and angle of the last drawing
  const Options& Flags() const { return flags_; }

 protected:
  void PaintFigure(Canvas& canvas, PendingEvents& events) override;
  bool PrintDocument(PrinterCanvas& canvas, PendingEvents& events) override;

 private:
  Options flags_;
};

// The text of the 3D window's help key.
const char* Graph3DHelpText();

}  // namespace planaq::ui
