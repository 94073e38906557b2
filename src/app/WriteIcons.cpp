// planaq-icons OUTDIR: writes the program's emblem as planaq-SIZE.png for the icon theme, and
// every glyph at 16 and 24 pixels as glyph-N-SIZE.png, for looking at them side by side.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "ui/widgets/Glyphs.h"

namespace {

bool Write(planaq::ui::Glyph glyph, int side, const QString& path) {
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  planaq::ui::DrawGlyph(painter, glyph, side);
  painter.end();
  return image.save(path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: planaq-icons OUTDIR\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString dir = QString::fromLocal8Bit(argv[1]);
  bool ok = true;
  for (int side : {16, 24, 32, 48, 64, 128, 256})
    ok =
        Write(planaq::ui::Glyph::Program, side, dir + QStringLiteral("/planaq-%1.png").arg(side)) &&
        ok;
  for (int g = 0; g < planaq::ui::kGlyphCount; ++g)
    for (int side : {16, 24})
      ok = Write(static_cast<planaq::ui::Glyph>(g), side,
                 dir + QStringLiteral("/glyph-%1-%2.png").arg(g).arg(side)) &&
           ok;
  return ok ? 0 : 1;
}
