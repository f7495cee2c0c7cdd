#include "app/qt/lines_area.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace zifrel {

LinesArea::LinesArea(QWidget* parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  connect(this, &QPlainTextEdit::textChanged, this, &LinesArea::WriteBack);
}

void LinesArea::Bind(LinesControl* lines) {
  lines_ = lines;
  shownClears_ = lines->ClearCount() - 1;  // forces the first Show to rebuild
  Show();
}

void LinesArea::Show() {
  if (!lines_) return;
  showing_ = true;
  const int count = lines_->Count();
  const bool cleared = lines_->ClearCount() != shownClears_ || count < shownCount_;
  if (cleared || (shownCount_ == 0 && count > 0)) {
    // Rebuilt whole, also when lines come into an empty area: an empty first
    // line would otherwise vanish, since an empty document's first block is
    // that line itself.
    QString text;
    for (int i = 0; i < count; ++i) {
      if (i > 0) text += QLatin1Char('\n');
      text += QString::fromStdString(lines_->Line(i));
    }
    setPlainText(text);
  } else if (count > shownCount_) {
    // A cursor of its own, so the user's cursor and selection stay put.
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    for (int i = shownCount_; i < count; ++i) {
      end.insertBlock();
      end.insertText(QString::fromStdString(lines_->Line(i)));
    }
  }
  shownClears_ = lines_->ClearCount();
  shownCount_ = count;
  showing_ = false;
}

std::vector<std::string> LinesArea::Lines() const {
  std::vector<std::string> lines;
  if (document()->isEmpty()) return lines;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    // Shift+Enter breaks a line inside a block; it is a line all the same.
    for (const QString& line : block.text().split(QChar::LineSeparator)) lines.push_back(line.toStdString());
  }
  return lines;
}

void LinesArea::WriteBack() {
  if (showing_ || !lines_) return;
  lines_->ReplaceFromUser(Lines());
  shownCount_ = lines_->Count();
}

}  // namespace zifrel
