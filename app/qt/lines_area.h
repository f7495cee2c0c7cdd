#pragma once

#include <QTextBlockFormat>
#include <QTextEdit>
#include <cstdint>
#include <string>
#include <vector>

#include "app/window_model.h"

namespace zifrel {

// A multi-line text area bound to the lines of a LinesControl. The model is
// the truth: Show brings the widget up to date with it, appending what was
// added since the last time rather than rebuilding, so a long report grows
// without flicker and the user's scroll position stays. The user's own edits
// go straight back into the model. A text edit rather than a plain one,
// whose layout ignores the margins a hanging indent is made of.
class LinesArea : public QTextEdit {
  Q_OBJECT

 public:
  explicit LinesArea(QWidget* parent = nullptr);

  void Bind(LinesControl* lines);
  void Show();

  // The widget's text as the model counts lines: none when it is empty.
  std::vector<std::string> Lines() const;

  // Commands of the window's own, after the usual ones of the context menu.
  void SetMenuCommands(QList<QAction*> commands) { commands_ = std::move(commands); }
  // That menu, for the caller to show and delete.
  QMenu* ContextMenu();
  // When the model's lines are replaced, the area takes the new text as one
  // edit that Ctrl+Z undoes, instead of starting a new history.
  void SetUndoableReplace(bool undoable) { undoableReplace_ = undoable; }
  // A line too long for the area wraps under its own text: past its leading
  // blanks and a "12. " or "- " that opens it. For an area whose
  // replacements are not undoable.
  void SetHangingIndent(bool hanging) { hanging_ = hanging; }

 protected:
  bool event(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void WriteBack();
  QTextBlockFormat Format(const QString& line) const;

  LinesControl* lines_ = nullptr;
  QList<QAction*> commands_;
  std::uint64_t shownClears_ = 0;
  int shownCount_ = 0;
  bool showing_ = false;
  bool undoableReplace_ = false;
  bool hanging_ = false;
};

}  // namespace zifrel
