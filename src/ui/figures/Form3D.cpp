#include "ui/figures/Form3D.h"

#include "print/Graph3DPage.h"
#include "results/Graph3D.h"

namespace planaq::ui {

const char* Graph3DHelpText() {
  return "3D-Graph\n\nThis window shows a three-dimensional graph of the groundwater head in\n"
         "a layer.\n\nThe figure may show the groundwater table (in light blue), contours of\n"
         "the groundwater head (in red), the bottom of all layers (in yellow), and\n"
         "the top of all layers (in light green), depending on the values of\n"
         "parameters set in the OPTIONS window.\n\n"
         "If particles have been defined the pathlines of the particles are also shown,\n"
         "in dark blue if a particle is in this layer, in light blue if the particle is\n"
         "in some other layer.\n\n"
         "The figure can be printed by clicking the PRINT button in this window.";
}

TForm3D::TForm3D(const FigureContext& context, QWidget* parent)
    : LayerFigureForm(context,
                      Texts{"Form3D", "3D-Graph", "Panel3D", "3D-Graph.png", Graph3DHelpText()},
                      parent) {}

void TForm3D::PaintFigure(Canvas& canvas, PendingEvents& events) {
  const Options now = CurrentOptions();
  flags_.Water = now.Water;
  flags_.Contours = now.Contours;
  flags_.Bottom = now.Bottom;
  flags_.Top = now.Top;
  flags_.AngleScale = now.AngleScale;
  DrawGraph3D(problem(), Layer(), flags_, canvas.Width(), canvas.Height(), canvas, events);
}

bool TForm3D::PrintDocument(PrinterCanvas& canvas, PendingEvents& events) {
  // the page shows what the screen showed last; its size follows the Graphics Scale
  Options options = flags_;
  options.GraphScale = CurrentOptions().GraphScale;
  return PrintGraph3DDocument(problem(), Layer(), options, canvas, printState(), events);
}

}  // namespace planaq::ui
