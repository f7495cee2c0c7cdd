#include "app/qt/cell_edit.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionFrame>

#include "schema/cell_texts.h"

namespace zifrel {
namespace {

int CodePoints(QStringView text) {
  int count = 0;
  for (int i = 0; i < text.size(); ++i) {
    if (!(text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())) ++count;
  }
  return count;
}

}  // namespace

QValidator::State CellLengthValidator::validate(QString& input, int& pos) const {
  int excess = CodePoints(input) - kCellMaxChars;
  if (excess <= 0) return Acceptable;
  // The cursor stands just after the inserted text: remove characters before
  // it, whole code points at a time.
  while (excess > 0 && pos > 0) {
    int start = pos - 1;
    if (start > 0 && input[start].isLowSurrogate() && input[start - 1].isHighSurrogate()) --start;
    input.remove(start, pos - start);
    pos = start;
    --excess;
  }
  return excess > 0 ? Invalid : Acceptable;
}

CellEdit::CellEdit(QWidget* parent) : QLineEdit(parent) { setValidator(new CellLengthValidator(this)); }

void CellEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) CentreText();
}

void CellEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  CentreText();
}

// The line edit puts the baseline at the top of its centred line plus the
// ascent; equal top and bottom text margins of opposite sign move that line
// down (or up) by whole pixels without changing the room it has.
void CellEdit::CentreText() {
  QStyleOptionFrame panel;
  initStyleOption(&panel);
  const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
  const QFontMetrics metrics = fontMetrics();
  const int baseline = contents.y() + (contents.height() - metrics.height() + 1) / 2 + metrics.ascent();
  const int centredBaseline = (height() + metrics.capHeight()) / 2;
  const int shift = centredBaseline - baseline;
  if (textMargins() != QMargins(0, shift, 0, -shift)) setTextMargins(0, shift, 0, -shift);
}

}  // namespace zifrel
