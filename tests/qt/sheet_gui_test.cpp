// Printed sheets: genera --pdf through zifrel-sheet, and the window's Stampa.
// The PDFs are read back with poppler's pdfinfo and pdftotext.
#include <QAction>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <map>

#include "suites.h"
#include "window_driver.h"

namespace zifrel::test {
namespace {

QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    qWarning() << program << arguments << "failed:" << process.readAllStandardError();
    return {};
  }
  return QString::fromUtf8(process.readAllStandardOutput());
}

int PageCount(const QString& pdf) {
  const QRegularExpressionMatch pages =
      QRegularExpression(QStringLiteral("Pages: +(\\d+)")).match(Run(QStringLiteral("pdfinfo"), {pdf}));
  return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}

QStringList Words(const QString& pdf) {
  return Run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).split(QRegularExpression("\\s+"));
}

// What a sheet must show of one Schema: its cells, its solution's numbers and
// each letter's digit as "A=7". Read from genera --solution's text, which
// lines up each cell with its number.
QStringList ExpectedWords(const QStringList& letterLines, const QStringList& numberLines) {
  QStringList words;
  std::map<QChar, QChar> digits;
  for (int row : {0, 2, 4}) {
    const QStringList cells = letterLines[row].split(' ', Qt::SkipEmptyParts);
    const QStringList numbers = numberLines[row].split(' ', Qt::SkipEmptyParts);
    for (int i : {0, 2, 4}) {
      words << cells[i] << numbers[i];
      for (int c = 0; c < cells[i].size(); ++c) digits[cells[i][c]] = numbers[i][c];
    }
  }
  for (const auto& [letter, digit] : digits) words << QString(letter) + '=' + digit;
  return words;
}

}  // namespace

class SheetGuiTest : public QObject {
  Q_OBJECT

 private slots:
  void GeneraPdfShowsEverySchemaAndKeyTheSameEveryRun() {
    QTemporaryDir dir;
    const QString first = dir.filePath("primo.pdf");
    const QString second = dir.filePath("secondo.pdf");
    const QStringList genera = {"genera", "--seed", "3", "--count", "12", "--solution", "--pdf"};
    const QString text = Run(ZIFREL_CLI, genera + QStringList{first});
    Run(ZIFREL_CLI, genera + QStringList{second});

    QCOMPARE(PageCount(first), 3);  // two pages of six, one of keys
    // Two runs in one second would agree on a time stamp: look for none.
    QVERIFY(!Run(QStringLiteral("pdfinfo"), {first}).contains("CreationDate"));
    const QStringList words = Words(first);
    const QStringList blocks = text.split("\n\n");
    QCOMPARE(blocks.size(), 12);
    QCOMPARE(words.count("Schema"), 24);  // each Schema and each key named
    for (int n = 0; n < blocks.size(); ++n) {
      const QStringList lines = blocks[n].split('\n');
      for (const QString& word : ExpectedWords(lines.mid(0, 5), lines.mid(6, 5))) {
        QVERIFY2(words.contains(word), qPrintable(QString("Schema %1: %2").arg(n + 1).arg(word)));
      }
    }
    QFile a(first), b(second);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QVERIFY(a.readAll() == b.readAll());
  }

  void StampaPrintsTheSchemaInTheCellsWithItsKey() {
    WindowDriver ui;
    ui.Choose("Operaz", "Risolvi");
    const QStringList cells = {"AHJ", "C", "AHD", "AB", "AC", "ADJ", "AIC", "CB", "J"};
    for (int k = 1; k <= 9; ++k) ui.Type(k, cells[k - 1]);
    ui.SetOperators(QStringLiteral("-\u00D7\u00F7+\u00D7-"));
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFileName(dir.filePath("stampa.pdf"));
    QVERIFY(ui.Window().Print(printer));

    QCOMPARE(PageCount(printer.outputFileName()), 2);  // the Schema, its key
    const QStringList words = Words(printer.outputFileName());
    const QStringList numberLines = {"178 - 2 = 176", "", "14 x 12 = 168", "", "192 : 24 = 8"};
    for (const QString& word : ExpectedWords({"AHJ - C = AHD", "", "AB x AC = ADJ", "", "AIC : CB = J"}, numberLines))
      QVERIFY2(words.contains(word), qPrintable(word));
    QVERIFY(words.contains("Livello:"));

    // A typed Schema may start a number with 0: AEG is 046, and A is 0.
    const QStringList zeroFirst = {"HJ", "FB", "BDA", "JA", "AEG", "BDG", "BGJ", "JH", "CGG"};
    for (int k = 1; k <= 9; ++k) {
      ui.Cell(k)->clear();
      ui.Type(k, zeroFirst[k - 1]);
    }
    ui.SetOperators(QStringLiteral("++++++"));
    printer.setOutputFileName(dir.filePath("zero.pdf"));
    QVERIFY(ui.Window().Print(printer));
    const QStringList key = Words(printer.outputFileName());
    for (const char* digit : {"A=0", "E=4", "G=6", "J=9"}) QVERIFY2(key.contains(digit), digit);
  }
};

std::unique_ptr<QObject> MakeSheetGuiTest() { return std::make_unique<SheetGuiTest>(); }

}  // namespace zifrel::test

#include "sheet_gui_test.moc"
