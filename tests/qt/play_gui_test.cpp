// Gioca from the real window: a Schema generated, then solved in its play
// window with the keyboard alone.
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>

#include "app/qt/play_window.h"
#include "suites.h"
#include "window_driver.h"

namespace zifrel::test {
namespace {

bool Idle(WindowDriver& ui) { return ui.Button("Button1")->text() == QLatin1String("Vai"); }

// The main window's shortcut, pressed there: a message box or a play window
// may have taken the focus.
void Gioca(WindowDriver& ui) {
  ui.Window().activateWindow();
  if (!QTest::qWaitFor([&] { return QApplication::activeWindow() == &ui.Window(); })) {
    qFatal("the main window never became active");
  }
  QTest::keyClick(ui.Area("TheM"), Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
}

QList<PlayWindow*> PlayWindows(WindowDriver& ui) { return ui.Window().findChildren<PlayWindow*>(); }

QString Messages(PlayWindow* play) {
  return play->findChild<QPlainTextEdit*>(QStringLiteral("Messaggi"))->toPlainText();
}

}  // namespace

class PlayGuiTest : public QObject {
  Q_OBJECT

 private slots:
  void GeneraThenGiocaSolvedWithTheKeyboard() {
    WindowDriver ui;
    // Empty cells: refused with the words of Spiega, and no window opens.
    Gioca(ui);
    QTRY_VERIFY(ui.Window().findChild<QMessageBox*>() != nullptr);
    QMessageBox* refusal = ui.Window().findChild<QMessageBox*>();
    QCOMPARE(refusal->text(), QStringLiteral("Problema incompleto!"));
    refusal->accept();
    QVERIFY(PlayWindows(ui).isEmpty());

    ui.Click(ui.Button("Button1"));
    QTRY_VERIFY_WITH_TIMEOUT(Idle(ui) && !ui.Cell(1)->text().isEmpty(), 60000);
    const QString firstCell = ui.Cell(1)->text();
    Gioca(ui);
    QCOMPARE(PlayWindows(ui).size(), 1);
    PlayWindow* play = PlayWindows(ui).front();
    QVERIFY(QTest::qWaitForWindowExposed(play));
    QVERIFY2(play->windowTitle().startsWith(QStringLiteral("Gioca \u2014 Livello: ")), qPrintable(play->windowTitle()));
    QWidget* board = play->findChild<QWidget*>(QStringLiteral("Tavola"));
    QVERIFY(board->hasFocus());

    const std::vector<std::pair<std::string, int>> key = LetterKey(play->Model().Schema());
    QVERIFY(key.size() >= 2);
    const auto letter = [&](std::size_t i) { return key[i].first.front(); };
    const auto digit = [&](int d) { return static_cast<char>('0' + d); };

    // A wrong digit in the second box: Controlla counts without naming it,
    // and Suggerimento names it before anything else.
    QTest::keyClick(board, letter(1));
    QTest::keyClick(board, digit((key[1].second + 1) % 10));
    QTest::keyClick(board, Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(Messages(play), QStringLiteral("Nessuna lettera su %1 è giusta.").arg(key.size()));
    QTest::keyClick(board, Qt::Key_H, Qt::ControlModifier);
    QTRY_VERIFY_WITH_TIMEOUT(
        play->findChild<QAction*>(QStringLiteral("Suggerimento"))->text() == QStringLiteral("Suggerimento"), 30000);
    const QString wrong = QString::fromStdString(key[1].first);
    QVERIFY2(Messages(play).startsWith("Con " + wrong + " = "), qPrintable(Messages(play)));
    QTest::keyClick(board, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(play->Model().Digit(1), PlayModel::kNoDigit);

    // The whole key: the first box reached with Home, the arrows and Tab;
    // a digit moves on to the next box, a letter key jumps to its box.
    QTest::keyClick(board, Qt::Key_Right);
    QTest::keyClick(board, Qt::Key_Tab);
    QTest::keyClick(board, Qt::Key_Home);
    QTest::keyClick(board, digit(key[0].second));
    for (std::size_t i = 1; i < key.size(); ++i) {
      if (i % 2 == 0) QTest::keyClick(board, letter(i));
      QTest::keyClick(board, digit(key[i].second));
    }
    QVERIFY2(Messages(play).startsWith(QStringLiteral("Risolto! Tutte le lettere sono giuste, in ")),
             qPrintable(Messages(play)));

    // A second window at once; closing both leaves the main window as it was.
    Gioca(ui);
    QCOMPARE(PlayWindows(ui).size(), 2);
    PlayWindow* second = PlayWindows(ui).back();
    QTest::keyClick(second->findChild<QWidget*>(QStringLiteral("Tavola")), Qt::Key_H, Qt::ControlModifier);
    second->close();  // while its hint may be running
    play->close();
    QTRY_VERIFY(PlayWindows(ui).isEmpty());
    QCOMPARE(ui.Cell(1)->text(), firstCell);
    QVERIFY(Idle(ui) && ui.Button("Button1")->isEnabled());
  }
};

std::unique_ptr<QObject> MakePlayGuiTest() { return std::make_unique<PlayGuiTest>(); }

}  // namespace zifrel::test

#include "play_gui_test.moc"
