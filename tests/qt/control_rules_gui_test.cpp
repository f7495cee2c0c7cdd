// The control rules, Clear, copy and help, worked through the real window.
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "suites.h"
#include "window_driver.h"

namespace zifrel::test {
namespace {

const QString kAllPlus = QStringLiteral("++++++");
// Rows "+ + +" with columns "× × ×" admit no Schema.
const QString kInadmissible = QStringLiteral("+++\u00D7\u00D7\u00D7");
const QStringList kModes = {"Genera", "Risolvi", "Libero"};

// Makes the choices of a row of the rules as a user would: the operators
// while they can be clicked (in Risolvi), then the operator source, then
// the maximum, then the mode. Choosing "Fissate" before 9999 is the only way
// a user reaches r = 1 with x = 1, which 9999 at once turns back.
void Choose(WindowDriver& ui, int m, int x, int r, bool admitted) {
  ui.Choose("Operaz", "Risolvi");
  ui.SetOperators(admitted ? kAllPlus : kInadmissible);
  ui.Choose("Operaz", "Genera");
  ui.Choose("RandOp", r == 1 ? "Fissate" : "A caso");
  ui.Choose("MaxN", x == 1 ? "9999" : "999");
  ui.Choose("Operaz", kModes[m]);
}

}  // namespace

class ControlRulesGuiTest : public QObject {
  Q_OBJECT

 private slots:
  void RulesFollowTheSelections_data() {
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("r");
    QTest::addColumn<bool>("admitted");
    QTest::addColumn<bool>("opsEnabled");
    QTest::addColumn<bool>("selectorsShown");
    QTest::addColumn<bool>("randOpEnabled");
    QTest::addColumn<int>("randOpAfter");
    QTest::addColumn<bool>("warning");  // NoPoss shown and Vai disabled
    //                                      m  x  r  admitted ops    shown  randOp idx warning
    QTest::newRow("Genera, random ops") << 0 << 0 << 0 << true << false << true << true << 0 << false;
    QTest::newRow("Genera, random ops ignore bad buttons")
        << 0 << 0 << 0 << false << false << true << true << 0 << false;
    QTest::newRow("Genera, fixed ops") << 0 << 0 << 1 << true << true << true << true << 1 << false;
    QTest::newRow("Genera, fixed bad ops") << 0 << 0 << 1 << false << true << true << true << 1 << true;
    QTest::newRow("Genera, 9999") << 0 << 1 << 0 << false << false << true << false << 0 << false;
    QTest::newRow("Genera, 9999 forces random ops") << 0 << 1 << 1 << false << false << true << false << 0 << false;
    QTest::newRow("Risolvi") << 1 << 0 << 0 << true << true << false << true << 0 << false;
    QTest::newRow("Risolvi, bad ops") << 1 << 0 << 0 << false << true << false << true << 0 << true;
    QTest::newRow("Risolvi, bad ops, fixed") << 1 << 0 << 1 << false << true << false << true << 1 << true;
    QTest::newRow("Risolvi, 9999") << 1 << 1 << 1 << true << true << false << false << 0 << false;
    QTest::newRow("Risolvi, 9999, bad ops") << 1 << 1 << 0 << false << true << false << false << 0 << true;
    QTest::newRow("Libero, fixed bad ops") << 2 << 0 << 1 << false << true << false << true << 1 << false;
    QTest::newRow("Libero, random ops") << 2 << 0 << 0 << true << false << false << true << 0 << false;
    QTest::newRow("Libero, 9999") << 2 << 1 << 1 << false << false << false << false << 0 << false;
  }

  void RulesFollowTheSelections() {
    QFETCH(int, m);
    QFETCH(int, x);
    QFETCH(int, r);
    QFETCH(bool, admitted);
    QFETCH(bool, opsEnabled);
    QFETCH(bool, selectorsShown);
    QFETCH(bool, randOpEnabled);
    QFETCH(int, randOpAfter);
    QFETCH(bool, warning);
    WindowDriver ui;
    Choose(ui, m, x, r, admitted);

    const QString shown = admitted ? kAllPlus : kInadmissible;
    for (int i = 1; i <= 6; ++i) {
      QCOMPARE(ui.OpButton(i)->isEnabled(), opsEnabled);
      QCOMPARE(ui.OpButton(i)->text(), QString(shown[i - 1]));
    }
    QCOMPARE(ui.Control("MaxN")->isVisible(), selectorsShown);
    QCOMPARE(ui.Control("RandOp")->isVisible(), selectorsShown);
    QCOMPARE(ui.Control("RandOp")->isEnabled(), randOpEnabled);
    QVERIFY(ui.Item("RandOp", randOpAfter == 0 ? "A caso" : "Fissate")->isChecked());
    QCOMPARE(ui.Label("NoPoss")->isVisible(), warning);
    QCOMPARE(ui.Button("Button1")->isEnabled(), !warning);
    const bool libero = m == 2;
    for (const char* name : {"Libe", "Label7", "SolLab"}) QCOMPARE(ui.Control(name)->isVisible(), libero);
    QCOMPARE(ui.Button("Copia")->isVisible(), !libero);
  }

  void FourClicksBringAnOperatorBack() {
    WindowDriver ui;
    ui.Choose("Operaz", "Risolvi");
    QString seen;
    for (int n = 0; n < 4; ++n) {
      ui.Click(ui.OpButton(5));
      seen += ui.OpButton(5)->text();
    }
    QCOMPARE(seen, QStringLiteral("\u00F7-\u00D7+"));
  }

  void NoPossibleSolutionComesAndGoes_data() {
    QTest::addColumn<QString>("mode");
    QTest::newRow("Risolvi") << "Risolvi";
    QTest::newRow("Genera with fixed operators") << "Genera";
  }

  void NoPossibleSolutionComesAndGoes() {
    QFETCH(QString, mode);
    WindowDriver ui;
    ui.Choose("RandOp", "Fissate");
    ui.Choose("Operaz", mode);
    ui.SetOperators(kInadmissible);
    QVERIFY(ui.Label("NoPoss")->isVisible());
    QVERIFY(!ui.Button("Button1")->isEnabled());
    ui.Click(ui.OpButton(1));  // "+" to "÷": admitted again
    QVERIFY(!ui.Label("NoPoss")->isVisible());
    QVERIFY(ui.Button("Button1")->isEnabled());
  }

  void ClearEmptiesTheWindowInEveryMode_data() {
    QTest::addColumn<QString>("mode");
    for (const QString& mode : kModes) QTest::newRow(qPrintable(mode)) << mode;
  }

  void ClearEmptiesTheWindowInEveryMode() {
    QFETCH(QString, mode);
    WindowDriver ui;
    ui.Choose("Operaz", "Risolvi");
    ui.SetOperators(QStringLiteral("\u00D7\u00F7-\u00D7+\u00F7"));
    for (int k = 1; k <= 9; ++k) ui.Type(k, QString::number(k));
    ui.Choose("Operaz", "Libero");
    ui.Click(ui.Area("Libe"));
    QTest::keyClicks(ui.Area("Libe"), "A+B=C");
    ui.Click(ui.Button("HButt"));
    ui.Choose("Operaz", mode);

    ui.Click(ui.Button("Canc"));
    for (int k = 1; k <= 9; ++k) QCOMPARE(ui.Cell(k)->text(), QString());
    QVERIFY(ui.Lines("TheM").isEmpty());
    QVERIFY(ui.Lines("Libe").isEmpty());
    QVERIFY(ui.Window().Bench().Model().CurrentOps == zifrel::kAllPlus);
    // The captions catch up as soon as the buttons can be clicked.
    ui.Choose("Operaz", "Risolvi");
    for (int i = 1; i <= 6; ++i) QCOMPARE(ui.OpButton(i)->text(), QStringLiteral("+"));
  }

  void CopyPutsTheSchemaOnTheClipboard_data() {
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("ops");
    QTest::addColumn<QString>("text");
    QTest::newRow("the example") << QStringList{"AB", "C", "DE", "F", "GH", "IJ", "A", "BC", "DEF"}
                                 << QStringLiteral("+\u00D7+\u00D7+-")
                                 << QStringLiteral(
                                        "  AB +    C =   DE\n"
                                        "   \u00D7      +      -\n"
                                        "   F \u00D7   GH =   IJ\n"
                                        "   =      =      =\n"
                                        "   A +   BC =  DEF\n");
    QTest::newRow("an empty schema") << QStringList(9, QString()) << kAllPlus
                                     << QStringLiteral(
                                            "     +      =     \n"
                                            "   +      +      +\n"
                                            "     +      =     \n"
                                            "   =      =      =\n"
                                            "     +      =     \n");
    QTest::newRow("four characters and both glyphs")
        << QStringList{"ABCD", "E", "FGHI", "J", "K", "L", "M", "N", "OPQR"} << QStringLiteral("\u00F7-\u00D7+\u00F7-")
        << QStringLiteral(
               "ABCD \u00F7    E = FGHI\n"
               "   +      \u00F7      -\n"
               "   J -    K =    L\n"
               "   =      =      =\n"
               "   M \u00D7    N = OPQR\n");
  }

  void CopyPutsTheSchemaOnTheClipboard() {
    QFETCH(QStringList, cells);
    QFETCH(QString, ops);
    QFETCH(QString, text);
    WindowDriver ui;
    ui.Choose("Operaz", "Risolvi");
    for (int k = 1; k <= 9; ++k) ui.Type(k, cells[k - 1]);
    ui.SetOperators(ops);
    QGuiApplication::clipboard()->setText(QStringLiteral("something else"));
    ui.Click(ui.Button("Copia"));
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
  }

  // While the buttons cannot be clicked their captions may lag behind the
  // operators; the copy follows the operators.
  void CopyFollowsTheOperatorsNotTheCaptions() {
    WindowDriver ui;
    ui.Choose("Operaz", "Risolvi");
    ui.SetOperators(QStringLiteral("\u00D7\u00D7\u00D7\u00D7\u00D7\u00D7"));
    ui.Choose("Operaz", "Genera");
    ui.Click(ui.Button("Canc"));
    QCOMPARE(ui.OpButton(1)->text(), QStringLiteral("\u00D7"));
    ui.Click(ui.Button("Copia"));
    QCOMPARE(QGuiApplication::clipboard()->text().section(QLatin1Char('\n'), 1, 1),
             QStringLiteral("   +      +      +"));
  }

  void HelpTwiceGivesOneHelpText() {
    WindowDriver ui;
    ui.Click(ui.Button("HButt"));
    ui.Click(ui.Button("HButt"));
    const QStringList lines = ui.Lines("TheM");
    QCOMPARE(lines.size(), 34);
    QCOMPARE(lines[0], QString());
    QVERIFY(lines[1].contains(QStringLiteral("Zifrel 2")));
    QCOMPARE(lines[2], QString(25, QLatin1Char('-')));
    QCOMPARE(lines[3], QStringLiteral("1) GENERA: premi VAI per"));
    QCOMPARE(lines[21], QStringLiteral("Il tasto `copy' copia nella "));
    QVERIFY(lines[30].contains(QStringLiteral("README")) || lines[31].contains(QStringLiteral("README")) ||
            lines[32].contains(QStringLiteral("README")));
    QCOMPARE(lines[33], QString(25, QLatin1Char('-')));
  }
};

std::unique_ptr<QObject> MakeControlRulesGuiTest() { return std::make_unique<ControlRulesGuiTest>(); }

}  // namespace zifrel::test

#include "control_rules_gui_test.moc"
