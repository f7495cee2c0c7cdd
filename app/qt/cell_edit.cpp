#include "app/qt/cell_edit.h"

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

}  // namespace zifrel
