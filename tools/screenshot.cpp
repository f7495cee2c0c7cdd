// Takes a picture of the workbench after a job, as a user would see it: it
// starts the real window, makes the choices and types the input with mouse
// clicks and key presses, presses Vai, waits for the result and grabs the
// window from the screen.
//
//   zifrel-screenshot genera|risolvi|libero|spiega|gioca OUTPUT.png
//
// spiega explains the Risolvi Schema with the output area's context menu
// (its shortcut, Ctrl+Shift+S), then shows that menu open over the
// explanation. gioca opens the Risolvi Schema's play window (Ctrl+Shift+G),
// fills in part of the key with one wrong digit and a few pencil marks,
// asks for a hint and takes the play window.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/qt/Primo.h"
#include "app/qt/lines_area.h"
#include "app/qt/play_window.h"
#include "app/qt/qt_italian.h"

namespace {

constexpr int kPatienceMs = 60000;

template <class Widget>
Widget* Find(QWidget& window, const char* name) {
  auto* widget = window.findChild<Widget*>(QLatin1String(name));
  if (!widget) {
    std::fprintf(stderr, "zifrel-screenshot: the window has no %s\n", name);
    std::exit(1);
  }
  return widget;
}

void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

void ChooseItem(QWidget& window, const char* group, const char* item) {
  for (auto* button : Find<QWidget>(window, group)->findChildren<QRadioButton*>()) {
    if (button->text() == QLatin1String(item)) Click(button);
  }
}

bool WaitFor(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > kPatienceMs) return false;
    QTest::qWait(20);
  }
  return true;
}

// Types a cell and sets its operators by clicking their buttons.
void SetUpRisolvi(QWidget& window) {
  ChooseItem(window, "Operaz", "Risolvi");
  const char* const cells[] = {"AHJ", "C", "AHD", "AB", "AC", "ADJ", "AIC", "CB", "J"};
  for (int k = 0; k < 9; ++k) {
    QTest::keyClicks(Find<QLineEdit>(window, QByteArray("Ed").append(char('1' + k)).constData()), cells[k]);
  }
  // From "+", clicks go to ÷, -, ×: rows - × ÷, columns + × -.
  const int clicks[] = {2, 3, 1, 0, 3, 2};
  for (int i = 0; i < 6; ++i) {
    auto* button = Find<QPushButton>(window, QByteArray("Bo").append(char('1' + i)).constData());
    for (int n = 0; n < clicks[i]; ++n) Click(button);
  }
}

void SetUpLibero(QWidget& window) {
  ChooseItem(window, "Operaz", "Libero");
  auto* formulas = Find<QPlainTextEdit>(window, "Libe");
  formulas->setFocus();
  QTest::keyClicks(formulas, "SEND+MORE=MONEY");
}

// The play window over the Risolvi Schema (A B C D H I J = 1 4 2 6 7 9 8):
// row 1 and column 3 complete and right, B wrong, so row 2 and column 2
// show their crosses; I pencilled; then the hint, which names B.
zifrel::PlayWindow* Play(QWidget& window) {
  window.activateWindow();  // a shortcut reaches only the active window
  if (!QTest::qWaitForWindowActive(&window)) return nullptr;
  QTest::keyClick(&window, Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
  auto* play = window.findChild<zifrel::PlayWindow*>();
  if (!play || !QTest::qWaitForWindowExposed(play)) return nullptr;
  play->resize(play->width() * 5 / 4, play->height());
  // Its own shortcuts reach it once it is the active window itself, not
  // only as a window of the main one.
  play->activateWindow();
  if (!WaitFor([&] { return QApplication::activeWindow() == play; })) return nullptr;
  QWidget* board = Find<QWidget>(*play, "Tavola");
  for (const char* keys : {"A1", "H7", "J8", "C2", "D6", "B5"}) QTest::keyClicks(board, keys);
  QTest::keyClick(board, Qt::Key_M, Qt::ControlModifier);
  QTest::keyClicks(board, "I359");
  QTest::keyClick(board, Qt::Key_M, Qt::ControlModifier);
  QTest::keyClick(board, Qt::Key_H, Qt::ControlModifier);
  auto* hint = play->findChild<QAction*>(QLatin1String("Suggerimento"));
  if (!WaitFor([&] { return hint->text() == QLatin1String("Suggerimento"); })) return nullptr;
  return play;
}

}  // namespace

// The window with the output area's context menu open, from the screen.
QPixmap GrabWithMenu(QWidget& window) {
  auto* output = Find<zifrel::LinesArea>(window, "TheM");
  const QPoint at(output->width() * 3 / 4, output->height() / 3);
  const std::unique_ptr<QMenu> menu(output->ContextMenu());
  menu->popup(output->mapToGlobal(at));
  QTest::qWait(300);
  // The two on the window's own grey, where the menu reaches past it.
  const QRect frame = window.geometry();
  const QRect area = frame | menu->geometry();
  const qreal scale = window.devicePixelRatioF();
  QPixmap picture(area.size() * scale);
  picture.setDevicePixelRatio(scale);
  picture.fill(window.palette().color(QPalette::Window));
  QPainter painter(&picture);
  painter.drawPixmap(frame.topLeft() - area.topLeft(), window.screen()->grabWindow(window.winId()));
  painter.drawPixmap(menu->geometry().topLeft() - area.topLeft(), menu->grab());
  return picture;
}

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  zifrel::InstallQtItalian();  // the menu in the picture as the program shows it
  if (argc != 3) {
    std::fprintf(stderr, "usage: zifrel-screenshot genera|risolvi|libero|spiega|gioca OUTPUT.png\n");
    return 2;
  }
  const QByteArray mode = argv[1];
  zifrel::TForma window;
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;

  if (mode == "risolvi" || mode == "spiega" || mode == "gioca") {
    SetUpRisolvi(window);
  } else if (mode == "libero") {
    SetUpLibero(window);
  } else if (mode != "genera") {
    std::fprintf(stderr, "zifrel-screenshot: no mode %s\n", argv[1]);
    return 2;
  }
  if (mode == "gioca") {
    zifrel::PlayWindow* play = Play(window);
    if (!play) {
      std::fprintf(stderr, "zifrel-screenshot: no play window\n");
      return 1;
    }
    play->repaint();
    QTest::qWait(100);
    const QPixmap picture = play->screen()->grabWindow(play->winId());
    if (!picture.save(QString::fromLocal8Bit(argv[2]))) return 1;
    std::printf("%s: %dx%d pixels\n", argv[2], picture.width(), picture.height());
    return 0;
  }
  auto* go = Find<QPushButton>(window, "Button1");
  if (mode == "spiega") {
    // Wide enough for the explanation's lines: the extra room goes to the
    // output area.
    window.resize(window.width() * 2, window.height() * 3 / 2);
    window.activateWindow();  // a shortcut reaches only the active window
    if (!QTest::qWaitForWindowActive(&window)) return 1;
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  } else {
    Click(go);
  }
  // The job has ended when Vai is back and the next tick has hidden the
  // spinner.
  if (!WaitFor([&] { return go->text() == QLatin1String("Vai") && Find<QLabel>(window, "Giro")->isHidden(); })) {
    std::fprintf(stderr, "zifrel-screenshot: the job did not end\n");
    return 1;
  }
  window.repaint();
  QTest::qWait(100);  // lets the X server take the last paint
  const QPixmap picture = mode == "spiega" ? GrabWithMenu(window) : window.screen()->grabWindow(window.winId());
  if (!picture.save(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "zifrel-screenshot: cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: %dx%d pixels\n", argv[2], picture.width(), picture.height());
  return 0;
}
