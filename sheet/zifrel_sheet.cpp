// zifrel-sheet: draws the Schemas that zifrel-cli genera --pdf hands it on
// standard input as a printable PDF. A program of its own, so that zifrel-cli
// starts without loading Qt.
#include <QGuiApplication>
#include <QHashFunctions>
#include <QLoggingCategory>
#include <QSaveFile>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "core/version.h"
#include "sheet/sheet_document.h"
#include "sheet/sheet_pdf.h"

namespace {

constexpr int kWritten = 0;
constexpr int kNotWritten = 1;
constexpr int kUsage = 2;

constexpr const char* kUsageText =
    "Uso: zifrel-sheet FILE\n"
    "Scrive in FILE, un PDF A4, gli schemi letti dallo standard input:\n"
    "la nota del titolo sulla prima riga, poi uno schema per riga (le nove\n"
    "caselle, i sei operatori, i nove numeri della soluzione o \"-\", il\n"
    "livello o 0). Lo usa zifrel-cli genera --pdf FILE.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kUsageText, stdout);
    return kWritten;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::puts("zifrel-sheet " ZIFREL_VERSION);
    return kWritten;
  }
  if (argc != 2 || argv[1][0] == '\0' || argv[1][0] == '-') {
    std::fputs(kUsageText, stderr);
    return kUsage;
  }
  // Qt keeps the PDF's fonts in a hash and writes them in its order: with
  // the hash seed fixed, the same Schemas give the same bytes in every run.
  QHashSeed::setDeterministicGlobalSeed();
  // It draws on no screen: Qt's offscreen platform serves on any machine,
  // with a display or without.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's own warnings (a missing runtime folder, for one) say nothing about
  // the sheet; this program reports what went wrong with it itself.
  QLoggingCategory::setFilterRules(QStringLiteral("*.warning=false"));
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);

  std::string error;
  const std::optional<zifrel::SheetDocument> document = zifrel::ReadSheetText(std::cin, error);
  if (!document) {
    std::cerr << "zifrel-sheet: " << error << '\n';
    return kUsage;
  }
  const QByteArray pdf = zifrel::SheetPdf(*document);
  // Written whole or not at all: a file that was there stays as it was.
  QSaveFile file(QString::fromLocal8Bit(argv[1]));
  if (pdf.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.commit()) {
    std::cerr << "zifrel-sheet: impossibile scrivere " << argv[1] << ": " << file.errorString().toStdString() << '\n';
    return kNotWritten;
  }
  return kWritten;
}
