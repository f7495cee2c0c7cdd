// zifrel-sheet: draws the Schemas that zifrel-cli genera --pdf hands it on
// standard input as a printable PDF, on standard output. A program of its
// own, so that zifrel-cli starts without loading Qt; zifrel-cli writes the
// file.
#include <unistd.h>

#include <QGuiApplication>
#include <QHashFunctions>
#include <QLoggingCategory>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "cli/error_reasons.h"
#include "core/version.h"
#include "sheet/sheet_document.h"
#include "sheet/sheet_pdf.h"

namespace {

constexpr int kWritten = 0;
constexpr int kNotWritten = 1;
constexpr int kUsage = 2;

constexpr const char* kUsageText =
    "Uso: zifrel-sheet < SCHEMI > FILE.pdf\n"
    "Scrive sullo standard output un PDF A4 con gli schemi letti dallo\n"
    "standard input: la nota del titolo sulla prima riga, poi uno schema per\n"
    "riga (le nove caselle, i sei operatori, i nove numeri della soluzione o\n"
    "\"-\", il livello o 0). Lo usa zifrel-cli genera --pdf FILE.\n";

// Every byte, or false with errno set.
bool WriteAll(int fd, const QByteArray& bytes) {
  for (qsizetype done = 0; done < bytes.size();) {
    const ssize_t written = ::write(fd, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done));
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    done += written;
  }
  return true;
}

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
  if (argc != 1) {
    std::fputs(kUsageText, stderr);
    return kUsage;
  }
  if (::isatty(STDOUT_FILENO) == 1) {
    std::fputs(
        "zifrel-sheet: lo standard output e' un terminale; scrivi il PDF in un file: zifrel-sheet > foglio.pdf\n",
        stderr);
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
  if (pdf.isEmpty()) {
    std::cerr << "zifrel-sheet: Qt non ha disegnato il foglio\n";
    return kNotWritten;
  }
  // The caller decides where the bytes end up; a failed write is a failure,
  // and a half-written sheet is its to throw away.
  if (!WriteAll(STDOUT_FILENO, pdf)) {
    std::cerr << "zifrel-sheet: non riesco a scrivere il PDF: " << zifrel::cli::WriteErrorReason(errno) << '\n';
    return kNotWritten;
  }
  return kWritten;
}
