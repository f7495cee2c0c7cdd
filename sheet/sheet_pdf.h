#pragma once

#include <QByteArray>

#include "sheet/sheet_document.h"

namespace zifrel {

// The sheet as an A4 PDF: lines and text as vectors, the Liberation fonts
// embedded, titled and signed by the program. It holds no time stamp: the
// same document gives the same bytes, also in another run of a program that
// fixes Qt's hash seed, as zifrel-sheet does. Empty if Qt could not draw it.
QByteArray SheetPdf(const SheetDocument& document);

}  // namespace zifrel
