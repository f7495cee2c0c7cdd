#include "sheet/sheet_pdf.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>

#include "core/messages.h"
#include "sheet/q_text.h"
#include "sheet/sheet_drawing.h"
#include "sheet/sheet_phrases.h"

namespace zifrel {
namespace {

// Qt writes the time of writing into the document information, and offers
// no way to leave it out. The entry is blanked where it stands: a run of
// blanks in a dictionary is still valid PDF, and every byte offset of the
// cross-reference table stays right.
void BlankCreationDate(QByteArray& pdf) {
  static const QByteArray kKey = "/CreationDate (";
  const qsizetype start = pdf.indexOf(kKey);
  if (start < 0) return;
  const qsizetype end = pdf.indexOf(')', start + kKey.size());
  if (end < 0) return;
  for (qsizetype i = start; i <= end; ++i) pdf[i] = ' ';
}

}  // namespace

QByteArray SheetPdf(const SheetDocument& document) {
  QByteArray pdf;
  {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(Q(sheet_phrase::kTitle));
    writer.setCreator(Q(msg::kProgramTitle));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    if (!DrawSheet(document, writer)) return {};
  }
  BlankCreationDate(pdf);
  return pdf;
}

}  // namespace zifrel
