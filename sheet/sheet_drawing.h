#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <vector>

#include "sheet/sheet_document.h"

class QPagedPaintDevice;
class QPainter;

namespace zifrel {

inline constexpr int kSchemasPerPage = 6;  // two columns of three
inline constexpr int kKeysPerPage = 18;    // three columns of six

// The pages a sheet takes: its Schemas, then the answer keys of those that
// have one.
int SheetPageCount(const SheetDocument& document);

// Draws the sheet on `device`, page after page: laid out for A4 portrait and
// scaled whole to the device's page, so a printer's Letter paper shows it
// all. The painter's origin must be the paper's corner (a QPrinter in
// full-page mode, a QPdfWriter without margins). False when no painter can
// begin on the device.
bool DrawSheet(const SheetDocument& document, QPagedPaintDevice& device);

// One Schema drawn as the sheet draws it, for a window that shows it the same
// way. The unit is the sheet's, a tenth of a millimetre: the caller scales
// the painter to fit.
QSizeF SchemaGridSize();
QRectF SchemaGridCell(QPointF corner, int cell);  // c1..c9 as 0..8
void DrawSchemaGrid(QPainter& painter, QPointF corner, const SheetSchema& schema);
// The strip under a Schema: its letters in the order of their codes, each
// over the box for its digit, starting `KeyStripGap` below the grid.
double KeyStripGap();
double KeyStripHeight();
QRectF KeyStripBox(QPointF corner, int i);  // letter i's box; its letter stands above it
void DrawKeyStrip(QPainter& painter, QPointF corner, const std::vector<QString>& letters);
// The sheet's type, `points` high in the sheet's unit.
QFont SheetFont(double points, bool bold);

}  // namespace zifrel
