#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <string>
#include <thread>

#include "cli/command.h"
#include "cli/error_reasons.h"
#include "cli/relation_input.h"
#include "cli/signals.h"
#include "libero/libero_job.h"

namespace zifrel::cli {
namespace {

constexpr OptionSpec kOptions[] = {{"--jobs", true}};
constexpr int kMaxJobs = 256;

// The cores this process may run on.
int CoresAvailable() {
  cpu_set_t cores;
  if (::sched_getaffinity(0, sizeof cores, &cores) == 0) return std::max(CPU_COUNT(&cores), 1);
  return std::max(static_cast<int>(std::thread::hardware_concurrency()), 1);
}

int Libero(const ParsedArgs& args, Io& io) {
  if (args.positional.size() > 1) return UsageError(io, kLibero, "un solo file");
  int threads = CoresAvailable();
  if (const std::optional<std::string_view> jobs = args.Value("--jobs")) {
    const std::optional<int> n = ParseInteger<int>(*jobs);
    if (!n || *n < 1 || *n > kMaxJobs) return UsageError(io, kLibero, "--jobs vuole un numero da 1 a 256");
    threads = *n;
  }
  const std::string_view file = args.positional.empty() ? "-" : args.positional[0];
  const std::optional<std::vector<std::string>> lines = ReadRelationFile(file, io);
  if (!lines) return kExitIo;

  OutputSink out(io.out);
  std::atomic<std::int32_t> count{0};
  libero::FreeRelations job;
  job.UseThreads(threads);
  const SearchRunning searching;
  switch (job.SolveFreeRelations(
      *lines, [](std::span<const std::string>) {}, out, io.stop, count)) {
    case libero::JobEnd::kSearched:
      return kExitSearched;
    case libero::JobEnd::kStopped:
      return kExitInterrupted;
    case libero::JobEnd::kRefused:
      break;
  }
  return kExitRefused;
}

}  // namespace

const Command kLibero = {
    "libero",
    "zifrel-cli libero [--jobs N] [FILE]",
    "      Risolve relazioni libere, una per riga, lette da FILE o, senza FILE\n"
    "      o con -, dallo standard input: ogni lettera e' una cifra diversa.\n"
    "      Al piu' 20 relazioni di al piu' 200 caratteri; elenca 20 soluzioni\n"
    "      e le conta tutte, man mano che le trova.\n"
    "      --jobs N: cerca su N core (senza: tutti quelli disponibili); il\n"
    "      risultato e' lo stesso con qualunque N.\n",
    kOptions,
    Libero,
};

}  // namespace zifrel::cli
