#include "window_driver.h"

namespace zifrel::test {

WindowDriver::WindowDriver() : window_(std::make_unique<TForma>()) {
  window_->show();
  if (!QTest::qWaitForWindowExposed(window_.get())) qFatal("the window was never shown");
}

WindowDriver::~WindowDriver() = default;

void WindowDriver::Close() {
  window_->close();
  window_.reset();
}

QWidget* WindowDriver::Control(const char* name) const {
  QWidget* widget = window_->findChild<QWidget*>(QLatin1String(name));
  if (!widget) qFatal("the window has no control %s", name);
  return widget;
}

QLineEdit* WindowDriver::Cell(int k) const {
  return qobject_cast<QLineEdit*>(Control(QByteArray("Ed").append(char('0' + k)).constData()));
}

QPushButton* WindowDriver::OpButton(int i) const {
  return qobject_cast<QPushButton*>(Control(QByteArray("Bo").append(char('0' + i)).constData()));
}

QPushButton* WindowDriver::Button(const char* name) const { return qobject_cast<QPushButton*>(Control(name)); }
QLabel* WindowDriver::Label(const char* name) const { return qobject_cast<QLabel*>(Control(name)); }
QTextEdit* WindowDriver::Area(const char* name) const { return qobject_cast<QTextEdit*>(Control(name)); }

QRadioButton* WindowDriver::Item(const char* group, const QString& item) const {
  for (QRadioButton* button : Control(group)->findChildren<QRadioButton*>()) {
    if (button->text() == item) return button;
  }
  qFatal("%s has no item %s", group, qPrintable(item));
}

void WindowDriver::Choose(const char* group, const QString& item) { Click(Item(group, item)); }

void WindowDriver::Click(QWidget* widget) {
  // A radio button reacts to a click on its indicator or its text, both at
  // the left; the middle of a wide item may be empty space.
  const QPoint where = qobject_cast<QRadioButton*>(widget) ? QPoint(widget->height() / 2, widget->height() / 2)
                                                           : widget->rect().center();
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, where);
}

void WindowDriver::Type(int cell, const QString& text) {
  QLineEdit* edit = Cell(cell);
  Click(edit);
  TypeText(edit, text);
}

void TypeText(QWidget* widget, const QString& text) {
  // One key press per character, a pair of UTF-16 units included: Qt Test's
  // own keyClicks knows only Latin-1.
  for (int i = 0; i < text.size(); ++i) {
    const int length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QString character = text.mid(i, length);
    if (length == 1 && character[0].unicode() < 0x80) {
      QTest::keyClick(widget, character[0].toLatin1());
    } else {
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, character, Qt::NoModifier);
    }
    i += length - 1;
  }
}

void WindowDriver::SetOperators(const QString& glyphs) {
  for (int i = 1; i <= 6; ++i) {
    QPushButton* button = OpButton(i);
    for (int n = 0; n < 4 && button->text() != glyphs[i - 1]; ++n) Click(button);
  }
}

QStringList WindowDriver::Lines(const char* area) const {
  const QString text = Area(area)->toPlainText();
  return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

}  // namespace zifrel::test
