#pragma once

#include "sheet/sheet_document.h"

class QPagedPaintDevice;

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

}  // namespace zifrel
