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

QStringList ArialFamilies() { return {"Arial", "Liberation Sans", "Arimo", "Helvetica", "DejaVu Sans"}; }
QStringList SansSerifFamilies() { return {"MS Sans Serif", "Microsoft Sans Serif", "DejaVu Sans", "Liberation Sans"}; }
QStringList CourierFamilies() { return {"Courier New", "Liberation Mono", "Cousine", "DejaVu Sans Mono"}; }

}  // namespace

QFont ArialFont(int pixelSize, bool bold) {
  QFont font = Face(ArialFamilies(), QFont::SansSerif, bold);
  font.setPixelSize(pixelSize);
  return font;
}

QFont SansSerifPixelFont(int pixelSize, bool bold) {
  QFont font = Face(SansSerifFamilies(), QFont::SansSerif, bold);
  font.setPixelSize(pixelSize);
  return font;
}

QFont SansSerifPointFont(int pointSize, bool bold) {
  QFont font = Face(SansSerifFamilies(), QFont::SansSerif, bold);
  font.setPointSize(pointSize);
  return font;
}

QFont MonospacedFont(int pixelSize, bool bold) {
  QFont font = Face(CourierFamilies(), QFont::Monospace, bold);
  font.setFixedPitch(true);
  font.setPixelSize(pixelSize);
  return font;
}

}  // namespace Desktop
