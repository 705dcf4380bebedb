// Font choices with fall-backs for desktops without the designed faces.
#include "platform/desktop/ProgramFonts.h"

#include <QStringList>

namespace Desktop {

namespace {

QFont Face(const QStringList& families, QFont::StyleHint hint, bool bold) {
  QFont font;
  font.setFamilies(families);
  font.setStyleHint(hint);
  font.setBold(bold);
  return font;
}

QFont PixelFace(const QStringList& families, QFont::StyleHint hint, int pixelSize, bool bold) {
  QFont font = Face(families, hint, bold);
  font.setPixelSize(pixelSize);
  return font;
}

QStringList ArialFamilies() { return {"Arial", "Liberation Sans", "Arimo", "Helvetica", "DejaVu Sans"}; }
QStringList SansSerifFamilies() { return {"MS Sans Serif", "Microsoft Sans Serif", "DejaVu Sans", "Liberation Sans"}; }
QStringList CourierFamilies() { return {"Courier New", "Liberation Mono", "Cousine", "DejaVu Sans Mono"}; }

}  // namespace

QFont ArialFont(int pixelSize, bool bold) {
  return PixelFace(ArialFamilies(), QFont::SansSerif, pixelSize, bold);
}

QFont SansSerifPixelFont(int pixelSize, bool bold) {
  return PixelFace(SansSerifFamilies(), QFont::SansSerif, pixelSize, bold);
}

QFont SansSerifPointFont(int pointSize, bool bold) {
  QFont font = Face(SansSerifFamilies(), QFont::SansSerif, bold);
  font.setPointSize(pointSize);
  return font;
}

QFont MonospacedFont(int pixelSize, bool bold) {
  QFont font = PixelFace(CourierFamilies(), QFont::Monospace, pixelSize, bold);
  font.setFixedPitch(true);
  return font;
}

}  // namespace Desktop
