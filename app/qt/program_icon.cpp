#include "app/qt/program_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace zifrel {

QIcon ProgramIcon() {
  // Rendered here at the usual icon sizes rather than left to Qt's SVG icon
  // plugin, so the icon needs no plugin at run time and the package's
  // dependencies name the SVG library.
  QSvgRenderer drawing(QStringLiteral(":/icons/org.zifrel.Zifrel.svg"));
  QIcon icon;
  if (!drawing.isValid()) return icon;
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    drawing.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace zifrel
