#include "ui/qt/QtFonts.h"

#include <QStringList>

namespace planaq {
namespace {

bool IsFixedPitch(const std::string& face) { return face == "Courier New" || face == "Courier"; }

QStringList FamiliesFor(const std::string& face) {
  if (IsFixedPitch(face)) return {"Liberation Mono", "DejaVu Sans Mono"};
  if (face == "Arial" || face == "MS Sans Serif" || face == "Helvetica")
    return {"Liberation Sans", "DejaVu Sans"};
  return {QString::fromStdString(face), "Liberation Sans", "DejaVu Sans"};
}

}  // namespace

QFont QtFontFor(const Font& font, bool onPaper) {
  QFont q;
  q.setFamilies(FamiliesFor(font.face));
  q.setStyleHint(IsFixedPitch(font.face) ? QFont::TypeWriter : QFont::SansSerif);
  q.setFixedPitch(IsFixedPitch(font.face));
  q.setBold(font.bold);
  q.setItalic(font.italic);
  const int pixels = font.pixels > 0 ? font.pixels : 1;
  if (onPaper) {
    q.setPointSizeF(pixels * 72.0 / 96.0);
  } else {
    q.setPixelSize(pixels);
  }
  return q;
}

}  // namespace planaq
