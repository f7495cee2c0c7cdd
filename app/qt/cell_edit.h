#pragma once

#include <QLineEdit>
#include <QValidator>

namespace zifrel {

// Keeps a cell at kCellMaxChars characters, counted as code points like
// everywhere else in the system (a plain maximum length would count UTF-16
// units). What goes over the limit is taken off the text just inserted, so a
// fifth typed character is refused and a paste keeps its first characters
// that fit.
class CellLengthValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

// A cell of the Schema grid.
class CellEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit CellEdit(QWidget* parent = nullptr);
};

}  // namespace zifrel
