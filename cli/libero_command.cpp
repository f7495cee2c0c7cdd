#include <atomic>
#include <csignal>
#include <fstream>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "libero/libero_job.h"

namespace zifrel::cli {
namespace {

// The formula lines: split at line feeds only, a carriage return ending a
// line dropped (a file written on Windows), every other character kept.
std::vector<std::string> ReadLines(std::istream& in) {
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

int Libero(Args args, Io& io) {
  std::string_view file;
  bool optionsEnded = false;
  bool haveFile = false;
  for (const std::string_view arg : args) {
    if (!optionsEnded && arg == "--help") {
      io.out << kLibero.usage << '\n' << kLibero.help;
      return kExitSearched;
    }
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg.starts_with("--")) {
      return UsageError(io, kLibero, "opzione sconosciuta " + std::string(arg));
    } else if (haveFile) {
      return UsageError(io, kLibero, "un solo file");
    } else {
      file = arg;
      haveFile = true;
    }
  }

  std::vector<std::string> lines;
  if (!haveFile || file == "-") {
    // Ctrl-C while the relations are still being typed ends the program at
    // once, as at any prompt (a stream read would wait for the end of the
    // input); once the job runs, it stops the search as Stop does.
    const auto previous = std::signal(SIGINT, SIG_DFL);
    lines = ReadLines(io.in);
    std::signal(SIGINT, previous);
  } else {
    std::ifstream in{std::string(file), std::ios::binary};
    if (in) lines = ReadLines(in);
    if (!in.eof()) {  // not opened, or a read failed (a directory, say)
      io.err << "zifrel-cli: non riesco a leggere " << file << '\n';
      return kExitUsage;
    }
  }
  if (io.stop.IsSet()) return kExitInterrupted;  // Ctrl-C before the job began

  StreamSink out(io.out);
  std::atomic<std::int32_t> count{0};
  libero::FreeRelations job;
  const libero::JobEnd end = job.SolveFreeRelations(
      lines, [](std::span<const std::string>) {}, out, io.stop, count);
  if (end == libero::JobEnd::Refused) return kExitRefused;
  return end == libero::JobEnd::Stopped ? kExitInterrupted : kExitSearched;
}

}  // namespace

const Command kLibero = {
    "libero",
    "zifrel-cli libero [FILE]",
    "      Risolve relazioni libere, una per riga, lette da FILE o, senza FILE\n"
    "      o con -, dallo standard input: ogni lettera e' una cifra diversa.\n"
    "      Al piu' 20 relazioni di al piu' 200 caratteri; elenca 20 soluzioni\n"
    "      e le conta tutte.\n",
    Libero,
};

}  // namespace zifrel::cli
