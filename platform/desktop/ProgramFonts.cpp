// Font choices with fall-backs for desktops without the designed faces.
#include "platform/desktop/ProgramFonts.h"

#include <QFontDatabase>
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

// The toolkit takes the first installed face of a list either way, but a
// missing first face costs it a search of the desktop's fall-backs for each
// size and weight asked for: the faces missing here are dropped once. With
// none installed the list stays, and the desktop's own kind is taken.
// (QFontDatabase::hasFamily would ask the desktop to resolve each name.)
QStringList InstalledOf(const QStringList& families) {
  const QStringList desktopFamilies = QFontDatabase::families();
  QStringList installed;
  for (const QString& family : families) {
    if (desktopFamilies.contains(family, Qt::CaseInsensitive)) installed << family;
  }
  return installed.isEmpty() ? families : installed;
}

const QStringList& ArialFamilies() {
  static const QStringList families = InstalledOf({"Arial", "Liberation Sans", "Arimo", "Helvetica", "DejaVu Sans"});
  return families;
}
const QStringList& SansSerifFamilies() {
  static const QStringList families =
      InstalledOf({"MS Sans Serif", "Microsoft Sans Serif", "DejaVu Sans", "Liberation Sans"});
  return families;
}
const QStringList& CourierFamilies() {
  static const QStringList families = InstalledOf({"Courier New", "Liberation Mono", "Cousine", "DejaVu Sans Mono"});
  return families;
}

}  // namespace

QFont ArialFont(int pixelSize, bool bold) { return PixelFace(ArialFamilies(), QFont::SansSerif, pixelSize, bold); }

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
