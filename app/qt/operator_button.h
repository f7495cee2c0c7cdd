#pragma once

#include <QPushButton>

#include "schema/operators.h"

namespace zifrel {

// An operator button of the Schema grid. A click, Space or Enter moves it to
// its next operator; with the focus on it, an operator's own character (as
// zifrel-cli's --ops reads it: + - * x / :) names the operator directly, so
// a keyboard alone can set every operator.
class OperatorButton : public QPushButton {
  Q_OBJECT

 public:
  explicit OperatorButton(QWidget* parent = nullptr);

 signals:
  void operatorTyped(zifrel::OpCode op);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace zifrel
