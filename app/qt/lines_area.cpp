#include "app/qt/lines_area.h"

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>

namespace zifrel {

namespace {

// How many characters a wrapped line of `line` goes in by: its leading
// blanks, then a step number ("12. ") or a dash ("- ") and the blank after.
int HangingIndent(const QString& line) {
  int at = 0;
  while (at < line.size() && line[at] == QLatin1Char(' ')) ++at;
  int mark = at;
  while (mark < line.size() && line[mark].isDigit()) ++mark;
  if (mark > at && mark < line.size() && line[mark] == QLatin1Char('.')) {
    ++mark;
  } else if (mark == at && mark < line.size() && line[mark] == QLatin1Char('-')) {
    ++mark;
  } else {
    return at;
  }
  return mark < line.size() && line[mark] == QLatin1Char(' ') ? mark + 1 : at;
}

}  // namespace

LinesArea::LinesArea(QWidget* parent) : QTextEdit(parent) {
  setTabChangesFocus(true);
  setAcceptRichText(false);
  // A plain frame one pixel wide keeps the viewport and the scroll bars one
  // pixel inside; event() paints it.
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  connect(this, &QTextEdit::textChanged, this, &LinesArea::WriteBack);
}

QMenu* LinesArea::ContextMenu() {
  QMenu* menu = createStandardContextMenu();
  if (!commands_.isEmpty()) {
    menu->addSeparator();
    menu->addActions(commands_);
  }
  return menu;
}

void LinesArea::contextMenuEvent(QContextMenuEvent* event) {
  const std::unique_ptr<QMenu> menu(ContextMenu());
  menu->exec(event->globalPos());
}

// Shift+F10 opens the context menu as the Menu key does, at the cursor.
void LinesArea::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
    const QPoint at = cursorRect().bottomLeft();
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, at, viewport()->mapToGlobal(at));
    contextMenuEvent(&menuEvent);
    return;
  }
  QTextEdit::keyPressEvent(event);
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
    if (undoableReplace_) {
      QString text;
      for (int i = 0; i < count; ++i) {
        if (i > 0) text += QLatin1Char('\n');
        text += QString::fromStdString(lines_->Line(i));
      }
      QTextCursor all(document());
      all.select(QTextCursor::Document);
      all.insertText(text);
    } else {
      // Each line with its block format, as one edit, then no history.
      clear();
      QTextCursor cursor(document());
      cursor.beginEditBlock();
      for (int i = 0; i < count; ++i) {
        const QString line = QString::fromStdString(lines_->Line(i));
        if (i > 0) {
          cursor.insertBlock(Format(line));
        } else {
          cursor.setBlockFormat(Format(line));
        }
        cursor.insertText(line);
      }
      cursor.endEditBlock();
      document()->clearUndoRedoStacks();
    }
  } else if (count > shownCount_) {
    // A cursor of its own, so the user's cursor and selection stay put.
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    for (int i = shownCount_; i < count; ++i) {
      const QString line = QString::fromStdString(lines_->Line(i));
      end.insertBlock(Format(line));
      end.insertText(line);
    }
  }
  shownClears_ = lines_->ClearCount();
  shownCount_ = count;
  showing_ = false;
}

// The indent is a margin in pixels that the first line of the block takes
// back, so the area's own wrapping, at whatever width, keeps it.
QTextBlockFormat LinesArea::Format(const QString& line) const {
  QTextBlockFormat format;
  if (!hanging_) return format;
  const qreal indent =
      QFontMetricsF(document()->defaultFont()).horizontalAdvance(QLatin1Char(' ')) * HangingIndent(line);
  format.setLeftMargin(indent);
  format.setTextIndent(-indent);
  return format;
}

bool LinesArea::event(QEvent* event) {
  // Only the area's own paint event, which draws the frame; the viewport's
  // paint events reach the text through paintEvent.
  if (event->type() != QEvent::Paint) return QTextEdit::event(event);
  // The style draws the frame with a one-pixel pen, which at a fractional
  // scale factor can fall between the device pixels or under the viewport,
  // so the frame is filled here as four bands one logical pixel wide: each
  // always covers whole device pixels. The whole place is painted first, so
  // that nothing the area covers shows through at its edges or in the corner
  // between its scroll bars.
  QPainter painter(this);
  const QRect r = rect();
  painter.fillRect(r, palette().window());
  const QColor line = palette().color(QPalette::Mid);
  painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), line);
  painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), line);
  painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), line);
  painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), line);
  return true;
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
