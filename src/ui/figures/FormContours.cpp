#include "ui/figures/FormContours.h"

#include "observe/ObservationMarkers.h"
#include "print/ContourPage.h"
#include "results/ContourFigure.h"

namespace planaq::ui {

const char* ContoursHelpText() {
  return "Contours\n\n"
         "This window shows contours of the groundwater head in a layer, in red.\n\n"
         "If particles have been defined the pathlines of the particles are also shown,\n"
         "in dark blue if a particle is in this layer, in light blue if the particle is\n"
         "in some other layer.\n\n"
         "The figure can be printed by clicking the PRINT button in this window.";
}

TFormContours::TFormContours(const FigureContext& context, QWidget* parent)
    : LayerFigureForm(
          context,
          Texts{"FormContours", "Contours", "PanelContours", "Contours.png", ContoursHelpText()},
          parent),
      background_(context.dialogs) {}

void TFormContours::PaintFigure(Canvas& canvas, PendingEvents& events) {
  const ContourMapping m = ScreenContourMapping(problem(), canvas.Width(), canvas.Height());
  if (m.valid) {
    const DeviceRect r = ProblemAreaRectangle(m);
    background_.Begin(
        canvas, CurrentOptions(),
        {0.0, 0.0, m.dx, m.dy, QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom))});
  }
  DrawContourFigure(problem(), Layer(), canvas.Width(), canvas.Height(), canvas, events);
  background_.Finish(canvas);
  if (!observations_ || observations_->empty() || !events.Process()) return;
  DrawObservationMarkers(*observations_, ComputeObservedHeads(problem(), *observations_), Layer(),
                         ScreenContourMapping(problem(), canvas.Width(), canvas.Height()), canvas);
}

bool TFormContours::PrintDocument(PrinterCanvas& canvas, PendingEvents& events) {
  return PrintContourDocument(problem(), Layer(), CurrentOptions(), canvas, printState(), events,
                              observations_);
}

}  // namespace planaq::ui
