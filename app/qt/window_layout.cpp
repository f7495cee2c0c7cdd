#include "app/qt/window_layout.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace zifrel::layout {

int ScreenScale::operator()(int designPixels) const { return static_cast<int>(std::lround(designPixels * factor_)); }

QRect ScreenScale::Rect(const Place& place) const {
  // Both edges are scaled, not the width, so that controls which touch at
  // 120 dpi still touch after rounding.
  const int left = (*this)(place.left);
  const int top = (*this)(place.top);
  return QRect(left, top, (*this)(place.left + place.width) - left, (*this)(place.top + place.height) - top);
}

QFont ScreenScale::Font(int designHeight) const {
  QFont font(MonospaceFamily());
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(std::max(1, (*this)(designHeight)));
  font.setBold(true);
  return font;
}

TextAreas GrowTextAreas(const TextAreas& designed, QSize extra, bool libero) {
  TextAreas grown = designed;
  const int libeShare =
      libero ? extra.width() * designed.libe.width() / (designed.libe.width() + designed.theM.width()) : 0;
  grown.libe.setWidth(designed.libe.width() + libeShare);
  grown.theM.setLeft(designed.theM.left() + libeShare);
  grown.theM.setRight(designed.theM.right() + extra.width());
  grown.theM.setBottom(designed.theM.bottom() + extra.height());
  if (libero) {
    grown.libe.setHeight(designed.libe.height() + extra.height());
    grown.commandRowDown = extra.height();
  }
  return grown;
}

QString MonospaceFamily() {
  static const QString family = [] {
    const QStringList families = QFontDatabase::families();
    for (const char* name : {"Courier New", "Liberation Mono"}) {
      if (families.contains(QLatin1String(name), Qt::CaseInsensitive)) return QString::fromLatin1(name);
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
  }();
  return family;
}

}  // namespace zifrel::layout
