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

// A cell of the Schema grid. Its text is centred on the cell's middle by the
// height of a capital letter, as the cells hold capitals and digits: the
// line edit would centre the font's whole line height, which puts the
// capitals high in a cell as low as ours.
class CellEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit CellEdit(QWidget* parent = nullptr);

 protected:
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CentreText();
};

}  // namespace zifrel
