#include "app/qt/operator_button.h"

#include <QKeyEvent>

namespace zifrel {

OperatorButton::OperatorButton(QWidget* parent) : QPushButton(parent) {
  setFocusPolicy(Qt::StrongFocus);
  // Enter works as Space does.
  setAutoDefault(true);
}

void OperatorButton::keyPressEvent(QKeyEvent* event) {
  const QList<uint> typed = event->text().toUcs4();
  if (typed.size() == 1) {
    if (const std::optional<OpCode> op = ParseOperator(static_cast<char32_t>(typed.front()))) {
      emit operatorTyped(*op);
      return;
    }
  }
  QPushButton::keyPressEvent(event);
}

}  // namespace zifrel
