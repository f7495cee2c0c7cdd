// The window as it is laid out and as it takes the user's input.
#include <QAction>
#include <QClipboard>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "app/qt/lines_area.h"
#include "suites.h"
#include "window_driver.h"

namespace zifrel::test {
namespace {

// Design pixels (120 dpi) on this screen.
int Px(const QWidget& window, int designPixels) {
  return static_cast<int>(std::lround(designPixels * window.screen()->logicalDotsPerInch() / 120.0));
}

// Whether each side of the control, as drawn, has a visible line within its
// two outermost rows or columns of device pixels.
bool FrameIsWhole(QWidget* control) {
  const QImage image = control->grab().toImage();
  const int lighter = qGray(control->palette().color(QPalette::Window).rgb()) - 24;
  const int w = image.width(), h = image.height();
  const auto line = [&](int x, int y, int dx, int dy, int length) {
    int dark = 0;
    for (int i = 0; i < length; ++i) dark += qGray(image.pixel(x + i * dx, y + i * dy)) < lighter;
    return dark >= length * 9 / 10;
  };
  return (line(0, 0, 1, 0, w) || line(0, 1, 1, 0, w)) && (line(0, h - 1, 1, 0, w) || line(0, h - 2, 1, 0, w)) &&
         (line(0, 0, 0, 1, h) || line(1, 0, 0, 1, h)) && (line(w - 1, 0, 0, 1, h) || line(w - 2, 0, 0, 1, h));
}

// The rows of device pixels free of ink above and below a text, found as
// the rows where the control drawn with the text differs from it drawn
// empty.
std::pair<int, int> RoomAboveAndBelow(const QImage& empty, const QImage& written) {
  int first = -1, last = -1;
  for (int y = 0; y < written.height(); ++y) {
    for (int x = 0; x < written.width(); ++x) {
      if (written.pixel(x, y) == empty.pixel(x, y)) continue;
      if (first < 0) first = y;
      last = y;
      break;
    }
  }
  return {first, written.height() - 1 - last};
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:

  void StateAtFirstShow() {
    WindowDriver ui;
    QCOMPARE(ui.Window().windowTitle(), QStringLiteral("Zifrel 2"));
    QVERIFY(!ui.Window().windowIcon().pixmap(16).isNull());
    QVERIFY(ui.Item("Operaz", "Genera")->isChecked());
    QVERIFY(ui.Item("MaxN", "999")->isChecked());
    QVERIFY(ui.Item("RandOp", "A caso")->isChecked());
    for (const char* shown : {"Operaz", "MaxN", "RandOp", "Copia", "Canc", "HButt"}) {
      QVERIFY2(ui.Control(shown)->isVisible() && ui.Control(shown)->isEnabled(), shown);
    }
    for (int k = 1; k <= 9; ++k) QVERIFY(ui.Cell(k)->text().isEmpty() && ui.Cell(k)->isEnabled());
    for (int i = 1; i <= 6; ++i) {
      QCOMPARE(ui.OpButton(i)->text(), QStringLiteral("+"));
      QVERIFY(!ui.OpButton(i)->isEnabled());
    }
    QCOMPARE(ui.Button("Button1")->text(), QStringLiteral("Vai"));
    QVERIFY(ui.Button("Button1")->isEnabled());
    for (const char* hidden : {"NoPoss", "Libe", "Label7", "SolLab"})
      QVERIFY2(!ui.Control(hidden)->isVisible(), hidden);
    QVERIFY(ui.Lines("Libe").isEmpty() && ui.Lines("TheM").isEmpty());
    // The spinner shows its "+" until the first tick of the timer hides it.
    QCOMPARE(ui.Label("Giro")->text(), QStringLiteral("+"));
    QVERIFY(ui.Label("Giro")->isVisible());
    QTRY_VERIFY(!ui.Label("Giro")->isVisible());
  }

  // Every place is the laid-out one at this screen's resolution: the test
  // runs once at the usual 96 dpi and once at a high resolution.
  void PlacesAndFontsScaleWithTheScreen_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QRect>("place");  // design pixels
    QTest::addColumn<int>("fontHeight");
    QTest::newRow("first cell") << QByteArray("Ed1") << QRect(133, 10, 63, 25) << 20;
    QTest::newRow("column operator") << QByteArray("Bo6") << QRect(388, 51, 30, 28) << 23;
    QTest::newRow("operator source") << QByteArray("RandOp") << QRect(0, 194, 124, 73) << 17;
    QTest::newRow("Vai") << QByteArray("Button1") << QRect(133, 235, 83, 32) << 20;
    QTest::newRow("output area") << QByteArray("TheM") << QRect(429, 10, 324, 257) << 17;
    QTest::newRow("formula area") << QByteArray("Libe") << QRect(133, 10, 287, 216) << 17;
    QTest::newRow("count") << QByteArray("SolLab") << QRect(15, 153, 94, 23) << 17;
  }

  void PlacesAndFontsScaleWithTheScreen() {
    if (qEnvironmentVariableIsSet("ZIFREL_TEST_DPI")) {  // the screen is the one the run asked for
      QCOMPARE(QGuiApplication::primaryScreen()->logicalDotsPerInch(),
               qEnvironmentVariable("ZIFREL_TEST_DPI").toDouble());
    }
    QFETCH(QByteArray, name);
    QFETCH(QRect, place);
    QFETCH(int, fontHeight);
    WindowDriver ui;
    const QWidget& w = ui.Window();
    QWidget* control = ui.Control(name.constData());
    const QRect expected(QPoint(Px(w, place.left()), Px(w, place.top())),
                         QPoint(Px(w, place.right() + 1) - 1, Px(w, place.bottom() + 1) - 1));
    QCOMPARE(control->geometry(), expected);
    const QFontInfo font(control->font());
    QVERIFY2(font.family() == "Courier New" || font.family() == "Liberation Mono", qPrintable(font.family()));
    QVERIFY(font.bold());
    QCOMPARE(font.pixelSize(), Px(w, fontHeight));
  }

  // The text areas keep their frames whole and the cells show their text in
  // the middle, at 96 dpi, at a high resolution and at the fractional scale
  // factors, where one logical pixel is not a whole number of device pixels.
  void FramesAndCellTextAtThisScale() {
    WindowDriver ui;
    QLineEdit* cell = ui.Cell(9);  // a cell without the focus shows no cursor
    const QImage empty = cell->grab().toImage();
    cell->setText(QStringLiteral("W8H0"));
    const auto [above, below] = RoomAboveAndBelow(empty, cell->grab().toImage());
    QVERIFY2(above > 0 && std::abs(above - below) <= 1,
             qPrintable(QStringLiteral("%1 above, %2 below").arg(above).arg(below)));
    ui.Choose("Operaz", "Libero");
    for (const char* area : {"TheM", "Libe"}) QVERIFY2(FrameIsWhole(ui.Control(area)), area);
  }

  // A window manager that rounds the size to its resize step may make the
  // window a pixel or two smaller than its minimum: every control still lies
  // whole inside it, in both layouts.
  void AWindowTwoPixelsSmallerCutsNothing() {
    WindowDriver ui;
    TForma& w = ui.Window();
    const QSize smaller = w.minimumSize() - QSize(2, 2);
    w.setMinimumSize(smaller);  // as the window manager overrides it
    w.resize(smaller);
    for (const char* mode : {"Risolvi", "Libero"}) {
      ui.Choose("Operaz", mode);
      for (const QWidget* control : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isVisible()) QVERIFY2(w.rect().contains(control->geometry()), qPrintable(control->objectName()));
      }
    }
  }

  // The extra room of a larger window goes to the output area, and in mode
  // Libero to the formula area as well, which takes all the extra height
  // with the command row under it; nothing else moves, and the designed size
  // brings the designed layout back.
  void EnlargingGivesRoomToTheTextAreas() {
    WindowDriver ui;
    TForma& w = ui.Window();
    const QSize designed = w.size();
    const QRect theM = ui.Control("TheM")->geometry(), libe = ui.Control("Libe")->geometry();
    QList<QRect> others;
    const char* const fixed[] = {"Ed9", "Bo6", "Operaz", "RandOp", "NoPoss"};
    for (const char* name : fixed) others << ui.Control(name)->geometry();
    const char* const row[] = {"Button1", "Giro", "Copia", "Canc", "HButt"};
    QList<QRect> rowPlaces;
    for (const char* name : row) rowPlaces << ui.Control(name)->geometry();
    w.resize(designed + QSize(200, 100));
    QTRY_COMPARE(ui.Control("TheM")->geometry(), theM.adjusted(0, 0, 200, 100));
    for (int i = 0; i < rowPlaces.size(); ++i) QCOMPARE(ui.Control(row[i])->geometry(), rowPlaces[i]);
    ui.Choose("Operaz", "Libero");
    const QRect wideLibe = ui.Control("Libe")->geometry();
    QVERIFY(wideLibe.width() > libe.width() + 50);
    QCOMPARE(wideLibe, QRect(libe.topLeft(), QSize(wideLibe.width(), libe.height() + 100)));
    QCOMPARE(ui.Control("TheM")->geometry(), QRect(QPoint(wideLibe.right() + theM.left() - libe.right(), theM.top()),
                                                   theM.bottomRight() + QPoint(200, 100)));
    for (int i = 0; i < rowPlaces.size(); ++i) {
      QCOMPARE(ui.Control(row[i])->geometry(), rowPlaces[i].translated(0, 100));
    }
    QCOMPARE(ui.Control("Button1")->y() - wideLibe.bottom(), rowPlaces[0].y() - libe.bottom());
    for (int i = 0; i < others.size(); ++i) QCOMPARE(ui.Control(fixed[i])->geometry(), others[i]);
    ui.Choose("Operaz", "Risolvi");  // the command row goes back under the grid
    for (int i = 0; i < rowPlaces.size(); ++i) QCOMPARE(ui.Control(row[i])->geometry(), rowPlaces[i]);
    ui.Choose("Operaz", "Libero");
    w.resize(designed);
    QTRY_COMPARE(ui.Control("Libe")->geometry(), libe);
    QCOMPARE(ui.Control("TheM")->geometry(), theM);
    QCOMPARE(ui.Control("HButt")->geometry(), rowPlaces.last());
  }

  // The window is its layout's size and no smaller, at every scale: at its
  // minimum every control lies whole inside it.
  void WindowFitsItsControlsAndKeepsItsMinimumSize() {
    WindowDriver ui;
    TForma& w = ui.Window();
    // To the output area's far corner, and two pixels of room beyond.
    QCOMPARE(w.size(), QSize(Px(w, 753) + 2, Px(w, 267) + 2));
    QCOMPARE(w.minimumSize(), w.size());
    w.resize(100, 100);
    QCOMPARE(w.size(), w.minimumSize());
    for (const char* mode : {"Genera", "Libero"}) {
      ui.Choose("Operaz", mode);
      for (const QWidget* control : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isVisible()) QVERIFY2(w.rect().contains(control->geometry()), qPrintable(control->objectName()));
      }
    }
  }

  // No caption is cut off, whatever font stands in for Courier New.
  void TextsFitTheirControls() {
    WindowDriver ui;
    for (const char* name : {"Label1", "Label3", "Label7", "SolLab", "NoPoss", "Giro"}) {
      QLabel* label = ui.Label(name);
      QVERIFY2(label->sizeHint().width() <= label->width(), name);
    }
    // A cell shows four of the widest characters whole.
    QLineEdit* cell = ui.Cell(3);
    const int room = cell->width() - 2 * cell->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, cell);
    QVERIFY(cell->fontMetrics().horizontalAdvance(QStringLiteral("WWWW")) < room);
  }

  void TabVisitsTheControlsInOrder() {
    WindowDriver ui;
    ui.Click(ui.Cell(1));
    QStringList visited;
    for (int n = 0; n < 16; ++n) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* focus = QApplication::focusWidget();
      const QString name = focus->objectName().isEmpty() ? focus->parentWidget()->objectName() : focus->objectName();
      if (visited.isEmpty() || visited.last() != name) visited << name;
    }
    const QStringList expected = {"Ed2",    "Ed3",  "Ed4",    "Ed5",     "Ed6",  "Ed7",   "Ed8",  "Ed9",
                                  "Operaz", "MaxN", "RandOp", "Button1", "TheM", "HButt", "Canc", "Copia"};
    QCOMPARE(visited.mid(0, expected.size()), expected);
  }

  // The operators, where they can be set, are in the Tab chain in reading
  // order with the cells; Space and Enter cycle them as a click does, and an
  // operator's character sets it at once.
  void OperatorsAreSetFromTheKeyboard() {
    WindowDriver ui;
    ui.Choose("Operaz", "Risolvi");
    ui.Click(ui.Cell(1));
    QStringList visited;
    for (int n = 0; n < 14; ++n) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
    }
    const QStringList expected = {"Bo1", "Ed2", "Ed3", "Bo4", "Bo5", "Bo6", "Ed4",
                                  "Bo2", "Ed5", "Ed6", "Ed7", "Bo3", "Ed8", "Ed9"};
    QCOMPARE(visited, expected);

    QPushButton* bo5 = ui.OpButton(5);
    bo5->setFocus();
    QTest::keyClick(bo5, Qt::Key_Space);
    QCOMPARE(bo5->text(), QStringLiteral("\u00F7"));
    QTest::keyClick(bo5, Qt::Key_Return);
    QCOMPARE(bo5->text(), QStringLiteral("-"));
    QTest::keyClick(bo5, Qt::Key_Enter);
    QCOMPARE(bo5->text(), QStringLiteral("\u00D7"));
    const struct {
      char key;
      const char* shown;
    } typed[] = {{'+', "+"}, {'x', "\u00D7"}, {'/', "\u00F7"}, {'-', "-"}, {'*', "\u00D7"}, {':', "\u00F7"}};
    for (const auto& [key, shown] : typed) {
      QTest::keyClick(bo5, key);
      QCOMPARE(bo5->text(), QString::fromUtf8(shown));
    }
    QCOMPARE(ui.Window().Bench().Model().CurrentOps[4], kDivide);
    QTest::keyClick(bo5, 'q');  // no operator: nothing changes
    QCOMPARE(bo5->text(), QStringLiteral("\u00F7"));
    QCOMPARE(QApplication::focusWidget(), bo5);
  }

  // Enter works the commands as Space does.
  void EnterWorksTheCommands() {
    WindowDriver ui;
    ui.Type(1, QStringLiteral("AB"));
    QPushButton* help = ui.Button("HButt");
    help->setFocus();
    QTest::keyClick(help, Qt::Key_Return);
    QCOMPARE(ui.Lines("TheM").value(3), QStringLiteral("1) GENERA: premi VAI per"));
    QPushButton* copy = ui.Button("Copia");
    copy->setFocus();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(copy, Qt::Key_Enter);
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("  AB +")));
    QPushButton* clear = ui.Button("Canc");
    clear->setFocus();
    QTest::keyClick(clear, Qt::Key_Return);
    QVERIFY(ui.Cell(1)->text().isEmpty() && ui.Lines("TheM").isEmpty());
  }

  // Qt's own texts are Italian: the text areas' context menus and the print
  // dialog.
  void QtTextsAreItalian() {
    WindowDriver ui;
    const auto shown = [](const QList<QAbstractButton*>& buttons, const QList<QAction*>& actions) {
      QStringList texts;
      for (const QAbstractButton* button : buttons) texts << button->text();
      for (const QAction* action : actions) texts << action->text();
      for (QString& text : texts) text = text.remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
      texts.removeAll(QString());
      return texts;
    };
    const std::unique_ptr<QMenu> menu(static_cast<LinesArea*>(ui.Area("TheM"))->ContextMenu());
    const QStringList menuTexts = shown({}, menu->actions());
    for (const char* english : {"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"}) {
      QVERIFY2(!menuTexts.contains(QLatin1String(english)), qPrintable(menuTexts.join(", ")));
    }
    QVERIFY2(menuTexts.contains(QStringLiteral("Incolla")), qPrintable(menuTexts.join(", ")));
    QPrinter printer;
    QPrintDialog dialog(&printer, &ui.Window());
    const QStringList dialogTexts = shown(dialog.findChildren<QAbstractButton*>(), {});
    for (const char* english : {"Print", "Cancel", "Options >>", "Options"}) {
      QVERIFY2(!dialogTexts.contains(QLatin1String(english)), qPrintable(dialogTexts.join(", ")));
    }
    QVERIFY2(dialogTexts.contains(QStringLiteral("Stampa")), qPrintable(dialogTexts.join(", ")));
  }

  // Shift+F10 opens a text area's context menu, as the Menu key does.
  void ShiftF10OpensTheContextMenu() {
    WindowDriver ui;
    QTextEdit* output = ui.Area("TheM");
    ui.Click(output);
    QStringList opened;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (const QAction* action : menu->actions()) opened << action->objectName();
        menu->close();
      }
    });
    closer.start(10);
    QTest::keyClick(output, Qt::Key_F10, Qt::ShiftModifier);
    QVERIFY2(opened.contains(QStringLiteral("Spiega")), qPrintable(opened.join(' ')));
  }

  // Under the formula area the cells and operators are out of the Tab chain,
  // also where the operators are enabled, and they come back into it with
  // the grid.
  void TabSkipsTheCoveredCells() {
    WindowDriver ui;
    ui.Choose("RandOp", "Fissate");
    ui.Choose("Operaz", "Libero");
    QVERIFY(ui.OpButton(1)->isEnabled());
    ui.Click(ui.Area("Libe"));
    QStringList visited;
    for (int n = 0; n < 12; ++n) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
    }
    QVERIFY2(visited.filter(QRegularExpression("^(Ed|Bo)")).isEmpty(), qPrintable(visited.join(' ')));
    QVERIFY(visited.contains("Libe"));
    ui.Choose("Operaz", "Risolvi");
    ui.Click(ui.Cell(1));
    QTest::keyClick(ui.Cell(1), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ui.OpButton(1));
  }

  // A cell keeps at most four characters, counted as characters, not as
  // UTF-16 units; what does not fit is what was just typed or pasted.
  void CellsHoldFourCharacters_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("after");
    QTest::newRow("a fifth typed character is refused") << QString() << 0 << "ABCDE" << QString() << "ABCD";
    QTest::newRow("typing into the middle of a full cell") << "ABCD" << 2 << "X" << QString() << "ABCD";
    QTest::newRow("a long paste keeps what fits") << QString() << 0 << QString() << "WXYZ12"
                                                  << "WXYZ";
    QTest::newRow("a paste into the middle") << "AD" << 1 << QString() << "BCQ"
                                             << "ABCD";
    QTest::newRow("characters beyond 16 bits count once")
        << "" << 0 << QString::fromUtf8("\U0001D538\U0001D539\u2102\U0001D53B\U0001D53C") << ""
        << QString::fromUtf8("\U0001D538\U0001D539\u2102\U0001D53B");
    QTest::newRow("a paste of them") << "A" << 1 << "" << QString::fromUtf8("\U0001D538\U0001D539\U0001D53B\U0001D53C")
                                     << QString::fromUtf8("A\U0001D538\U0001D539\U0001D53B");
  }

  void CellsHoldFourCharacters() {
    QFETCH(QString, before);
    QFETCH(int, cursor);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, after);
    WindowDriver ui;
    QLineEdit* cell = ui.Cell(4);
    ui.Type(4, before);
    cell->setCursorPosition(cursor);
    TypeText(cell, typed);
    if (!pasted.isEmpty()) {
      QGuiApplication::clipboard()->setText(pasted);
      QTest::keyClick(cell, Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(cell->text(), after);
    // The logic sees what the cell shows.
    QCOMPARE(QString::fromStdString(ui.Window().Bench().Model().Ed[3].Text()), after);
  }

  // The rules themselves are tested on the model; here, that the widgets
  // follow it: an operator click, the warning, and copy.
  void TheWidgetsFollowTheModel() {
    WindowDriver ui;
    ui.Choose("Operaz", "Risolvi");
    ui.SetOperators(QStringLiteral("+++\u00D7\u00D7\u00D7"));
    QVERIFY(ui.Label("NoPoss")->isVisible());
    QVERIFY(!ui.Button("Button1")->isEnabled());
    ui.Click(ui.OpButton(1));
    QCOMPARE(ui.OpButton(1)->text(), QStringLiteral("\u00F7"));
    QVERIFY(!ui.Label("NoPoss")->isVisible());
    QVERIFY(ui.Button("Button1")->isEnabled());
    ui.Click(ui.Button("Copia"));
    QCOMPARE(QGuiApplication::clipboard()->text().section(QLatin1Char('\n'), 1, 1),
             QStringLiteral("   \u00D7      \u00D7      \u00D7"));
  }

  // An explanation step is one line of the output area, wrapped there to
  // the area's width under its own text: every visual line of a step starts
  // where the text after its number (or its dash) starts, at the default
  // size and again, in fewer lines, in a wider window.
  void ExplanationsWrapToTheOutputArea() {
    WindowDriver ui;
    ui.Choose("Operaz", "Risolvi");
    const QStringList cells = {"AHJ", "C", "AHD", "AB", "AC", "ADJ", "AIC", "CB", "J"};
    for (int k = 1; k <= 9; ++k) ui.Type(k, cells[k - 1]);
    ui.SetOperators(QStringLiteral("-\u00D7\u00F7+\u00D7-"));
    ui.Window().findChild<QAction*>(QStringLiteral("Spiega"))->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(ui.Button("Button1")->text() == QLatin1String("Vai"), 30000);
    QTextEdit* output = ui.Area("TheM");
    const QRegularExpression opening(QStringLiteral("^ *(\\d+\\. |- )?"));
    // The visual lines of each step's block; where they fail to line up.
    const auto wrapped = [&](int& steps, int& lines) {
      steps = lines = 0;
      for (QTextBlock block = output->document()->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const int indent = static_cast<int>(opening.match(text).capturedLength());
        if (!text.contains(QRegularExpression(QStringLiteral("^ *(\\d+\\.|-) ")))) continue;
        ++steps;
        const QTextLayout* layout = block.layout();
        lines += layout->lineCount();
        const qreal under = layout->lineAt(0).cursorToX(indent);
        for (int i = 1; i < layout->lineCount(); ++i) {
          const QTextLine line = layout->lineAt(i);
          if (std::abs(line.cursorToX(line.textStart()) - under) > 0.5) return text;
        }
      }
      return QString();
    };
    // The blanks that keep an equation whole copy as plain blanks.
    output->selectAll();
    output->copy();
    QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("AB \u00D7 AC = ADJ")));
    int steps = 0, narrow = 0, wide = 0;
    QCOMPARE(wrapped(steps, narrow), QString());
    QVERIFY(steps > 3);
    QVERIFY2(narrow > steps, "some step wraps at the default size");
    ui.Window().resize(ui.Window().width() * 2, ui.Window().height());
    QTRY_VERIFY(output->width() > ui.Window().width() / 2);
    QCOMPARE(wrapped(steps, wide), QString());
    QVERIFY(wide < narrow);
  }

  // Both text areas take the usual editing keys, and what the user writes
  // there is what the logic reads.
  void TextAreasAreEditedWithTheUsualKeys() {
    WindowDriver ui;
    ui.Choose("Operaz", "Libero");
    QTextEdit* libe = ui.Area("Libe");
    ui.Click(libe);
    QTest::keyClicks(libe, "gatto+gatto=cane+cane+cane");
    QTest::keyClick(libe, Qt::Key_Return);
    QTest::keyClicks(libe, "A+B=C");
    QCOMPARE(ui.Window().Bench().Model().Libe.Lines(),
             (std::vector<std::string>{"gatto+gatto=cane+cane+cane", "A+B=C"}));

    QTest::keyClick(libe, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(libe, Qt::Key_X, Qt::ControlModifier);
    QVERIFY(ui.Window().Bench().Model().Libe.Lines().empty());
    QTextEdit* output = ui.Area("TheM");
    ui.Click(output);
    QTest::keyClick(output, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(output, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(ui.Window().Bench().Model().TheM.Count(), 3);  // the second paste joins the first's last line
    QCOMPARE(ui.Lines("TheM").first(), QStringLiteral("gatto+gatto=cane+cane+cane"));
  }
};

std::unique_ptr<QObject> MakeWindowTest() { return std::make_unique<WindowTest>(); }

}  // namespace zifrel::test

#include "window_test.moc"
