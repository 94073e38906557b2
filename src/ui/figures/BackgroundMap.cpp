#include "ui/figures/BackgroundMap.h"

#include <cstdio>

#include "maps/MapPicture.h"
#include "ui/Dialogs.h"
#include "ui/qt/QtImageCanvas.h"

namespace planaq::ui {

namespace {

QImage ToImage(const MapPicture& p) {
  QImage image(p.rgba.data(), p.width, p.height, p.width * 4, QImage::Format_RGBA8888);
  return image.copy();  // the picture's bytes go when it does
}

}  // namespace

std::string BackgroundMap::Key(const Options& o, const MapArea& a) const {
  char numbers[256];
  std::snprintf(numbers, sizeof numbers, "|%.17g|%.17g|%.17g|%.17g|%.17g|%.17g|%d|%d|%d|%d",
                o.MapX0, o.MapY0, a.x0, a.y0, a.x1, a.y1, a.pixels.left(), a.pixels.top(),
                a.pixels.width(), a.pixels.height());
  return o.BackgroundFile + numbers;
}

void BackgroundMap::Begin(Canvas& canvas, const Options& options, const MapArea& area) {
  auto* screen = dynamic_cast<QtImageCanvas*>(&canvas);
  if (!options.BackgroundMap) key_.clear();  // ticked again: read again, and told again
  if (!screen || !options.BackgroundMap || area.pixels.isEmpty()) return;
  const std::string key = Key(options, area);
  if (key != key_) {
    key_ = key;
    const MapPicture p =
        ReadMapPicture(options.BackgroundFile, area.x0 + options.MapX0, area.y0 + options.MapY0,
                       area.x1 + options.MapX0, area.y1 + options.MapY0, area.pixels.width(),
                       area.pixels.height());
    picture_ = p.message.empty() ? ToImage(p) : QImage();
    // the same file and area fail the same way at the next repaint: said once
    if (!p.message.empty()) dialogs_.Message("Background map: " + p.message);
  }
  if (picture_.isNull()) return;
  screen->DrawPicture(picture_, area.pixels.left(), area.pixels.top());
  constexpr int kFillOpacity = 90;  // of 255: the block colours tint the map, it stays readable
  screen->SetFillOpacity(kFillOpacity);
}

void BackgroundMap::Finish(Canvas& canvas) {
  if (auto* screen = dynamic_cast<QtImageCanvas*>(&canvas)) screen->SetFillOpacity(255);
}

}  // namespace planaq::ui
