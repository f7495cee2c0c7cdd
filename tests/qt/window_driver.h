#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTest>
#include <QTextEdit>
#include <memory>

#include "app/qt/Primo.h"

namespace zifrel::test {

// Drives the real window as a user would: it finds the controls by their
// names and works them with mouse clicks and key presses.
class WindowDriver {
 public:
  WindowDriver();
  ~WindowDriver();

  TForma& Window() { return *window_; }
  // Takes the window down, as closing it does.
  void Close();

  QLineEdit* Cell(int k) const;        // c1..c9 = Ed1..Ed9, k from 1
  QPushButton* OpButton(int i) const;  // o1..o6 = Bo1..Bo6, i from 1
  QPushButton* Button(const char* name) const;
  QLabel* Label(const char* name) const;
  QTextEdit* Area(const char* name) const;  // TheM or Libe
  QWidget* Control(const char* name) const;
  QRadioButton* Item(const char* group, const QString& item) const;

  void Choose(const char* group, const QString& item);  // clicks a radio item
  void Click(QWidget* widget);
  void Type(int cell, const QString& text);  // into an empty cell
  // Clicks the operator buttons until they show `glyphs`, o1..o6.
  void SetOperators(const QString& glyphs);
  QStringList Lines(const char* area) const;

 private:
  std::unique_ptr<TForma> window_;
};

// Types `text` into the widget with focus, key by key.
void TypeText(QWidget* widget, const QString& text);

}  // namespace zifrel::test
