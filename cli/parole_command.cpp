#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <optional>
#include <string>

#include "cli/command.h"
#include "cli/error_reasons.h"
#include "cli/relation_input.h"
#include "cli/signals.h"
#include "libero/libero_job.h"
#include "parole/graded_relations.h"
#include "parole/plain_lexicon.h"
#include "parole/relation_generator.h"
#include "parole/word_explanation.h"
#include "parole/word_sum.h"

namespace zifrel::cli {
namespace {

constexpr OptionSpec kOptions[] = {{"--seed", true},      {"--count", true},        {"--forma", true},
                                   {"--lettere", true},   {"--lunghezza", true},    {"--parole", true},
                                   {"--solution", false}, {"--mostra-seme", false}, {"--livello", true}};

// "N" or "MIN-MAX", within the lengths a word of the list may have.
bool ParseLengths(std::string_view text, parole::GeneratorOptions& options) {
  const std::size_t dash = text.find('-');
  const std::optional<int> low = ParseInteger<int>(text.substr(0, dash));
  const std::optional<int> high = dash == std::string_view::npos ? low : ParseInteger<int>(text.substr(dash + 1));
  if (!low || !high || *low < 3 || *high > parole::kMaxWordLength || *low > *high) return false;
  options.minLength = *low;
  options.maxLength = *high;
  return true;
}

std::string ListName(std::string_view file) { return file == "-" ? "lo standard input" : std::string(file); }

// The word list of --parole, "-" for standard input, read with a bound on
// memory; or the status of the error, already reported.
std::optional<parole::WordList> ReadWordList(const std::string& file, Io& io, int& status) {
  const bool fromStdin = file == "-";
  const int fd = fromStdin ? io.in : ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    io.err << "zifrel-cli: non riesco a leggere " << file << ": " << ReadErrorReason(errno) << '\n';
    status = kExitIo;
    return std::nullopt;
  }
  parole::WordListReader reader;
  const int error = ReadInPieces(fd, [&](std::string_view piece) { return reader.Feed(piece); });
  if (!fromStdin) ::close(fd);
  if (error != 0) {
    io.err << "zifrel-cli: non riesco a leggere " << ListName(file) << ": " << ReadErrorReason(error) << '\n';
    status = kExitIo;
    return std::nullopt;
  }
  switch (reader.Fault()) {
    case parole::ListFault::kNone:
      return reader.Finish();
    case parole::ListFault::kNotText:
      io.err << "zifrel-cli: " << ListName(file) << " non e' un elenco di parole: contiene byte nulli\n";
      break;
    case parole::ListFault::kLineTooLong:
      io.err << "zifrel-cli: " << ListName(file) << " non e' un elenco di parole: la riga " << reader.LineNumber()
             << " supera " << parole::kMaxListLineBytes << " byte\n";
      break;
    case parole::ListFault::kTooManyLines:
      io.err << "zifrel-cli: " << ListName(file) << " ha piu' di " << parole::kMaxListLines
             << " righe, troppe per un elenco di parole\n";
      break;
  }
  status = kExitRefused;
  return std::nullopt;
}

std::optional<parole::GeneratorOptions> Options(const ParsedArgs& args, Io& io, int& status) {
  parole::GeneratorOptions options;
  const auto refuse = [&](std::string_view reason) {
    status = UsageError(io, kParole, reason);
    return std::nullopt;
  };
  if (!args.positional.empty()) return refuse("argomento inatteso " + std::string(args.positional[0]));
  for (const auto& [name, value] : args.options) {
    if (name != "--forma") continue;  // a shape may be given more than once
    const std::optional<parole::RelationShape> shape = parole::ParseShape(value);
    if (!shape) return refuse("--forma vuole una relazione tra lettere come a+a=b+b+b");
    options.shapes.push_back(*shape);
  }
  if (const auto letters = args.Value("--lettere")) {
    const std::optional<int> n = ParseInteger<int>(*letters);
    if (!n || *n < 1 || *n > 10) return refuse("--lettere vuole un numero da 1 a 10");
    options.letters = *n;
  }
  if (const auto lengths = args.Value("--lunghezza"); lengths && !ParseLengths(*lengths, options)) {
    return refuse("--lunghezza vuole N o MIN-MAX, da 3 a 12");
  }
  if (const auto level = args.Value("--livello")) {
    const std::optional<int> n = ParseInteger<int>(*level);
    if (!n || *n < 1 || *n > 5) return refuse("--livello vuole 1, 2, 3, 4 o 5");
  }
  return options;
}

int Parole(const ParsedArgs& args, Io& io) {
  int status = kExitUsage;
  const std::optional<parole::GeneratorOptions> options = Options(args, io, status);
  if (!options) return status;
  const std::optional<long> count = CountFrom(args, io, kParole, status);
  if (!count) return status;
  const std::optional<std::int32_t> seed = SeedFrom(args, io, kParole, status);
  if (!seed) return status;

  const std::string file(args.Value("--parole").value_or(parole::kItalianWordList));
  std::optional<parole::WordList> list = ReadWordList(file, io, status);
  if (!list) return status;
  // A list of one's own is taken as it is: its words were chosen.
  if (!args.Value("--parole")) list = parole::WithInstalledLexicon(std::move(*list));
  parole::RelationGenerator generator(*list, *options, *seed);
  if (generator.HasNoWords()) {
    io.err << "zifrel-cli: nessuna parola adatta in " << ListName(file) << '\n';
    return kExitRefused;
  }

  const int level = args.Value("--livello") ? *ParseInteger<int>(*args.Value("--livello")) : 0;
  OutputSink out(io.out);
  for (long k = 0; k < *count; ++k) {
    const SearchRunning searching;
    // Graded only when the level is asked for or shown.
    parole::GradedRelation relation;
    if (level > 0 || args.Has("--solution")) {
      relation = parole::NextGraded(generator, level, io.stop);
    } else {
      parole::GeneratedRelation drawn = generator.Next(io.stop);
      relation = {drawn.end, std::move(drawn.text)};
    }
    if (relation.end == SearchEnd::kStopped) return kExitInterrupted;  // what was written stays
    if (relation.levelMissing) {
      io.err << "zifrel-cli: nessuna relazione di livello " << level << " tra " << parole::kLevelRelations
             << " generate\n";
      return kExitRefused;
    }
    if (relation.end == SearchEnd::kNone) {
      io.err << "zifrel-cli: nessuna nuova relazione con una sola soluzione\n";
      return kExitRefused;
    }
    out.AppendLine(relation.text);
    if (args.Has("--solution")) {
      const std::string lines[] = {relation.text};
      std::atomic<std::int32_t> solutions{0};
      libero::FreeRelations job;
      const libero::JobEnd end = job.SolveFreeRelations(
          lines, [](std::span<const std::string>) {}, out, io.stop, solutions);
      if (end == libero::JobEnd::kStopped) return kExitInterrupted;
      // The key as a puzzle page prints it: the letters in alphabetical order.
      const std::optional<parole::WordSum> sum = parole::ParseWordSum(relation.text);
      parole::Digits digits{};
      if (sum && parole::CountSolutions(*sum, 1, &digits) == 1) out.AppendLine(parole::SolutionKey(*sum, digits));
      out.AppendLine(LevelLine(relation.level));
    }
    if (io.out.Failed()) return kExitIo;
  }
  return kExitSearched;
}

}  // namespace

const Command kParole = {
    "parole",
    "zifrel-cli parole [--seed N] [--count K] [--forma F] [--lettere N] [--lunghezza MIN-MAX] [--parole FILE] "
    "[--livello N] [--solution] [--mostra-seme]",
    "      Genera relazioni tra parole italiane con una sola soluzione, una\n"
    "      per riga, da risolvere con libero: ogni lettera e' una cifra diversa.\n"
    "      --forma F: la forma, una lettera per parola, come a+b=c, a+b+c=d,\n"
    "      a+a=b+b+b o a-b=c (ripetibile; senza, varia a caso). --lettere N:\n"
    "      esattamente N lettere diverse. --lunghezza MIN-MAX: parole da MIN a\n"
    "      MAX lettere (3-7 predefinito). --parole FILE: un'altra lista, una\n"
    "      parola per riga, UTF-8 (predefinita /usr/share/dict/italian;\n"
    "      - e' lo standard input), al piu' 1000000 righe di 256 byte.\n"
    "      --seed N: lo stesso seme e la stessa lista danno le stesse relazioni;\n"
    "      senza (o con 0) ogni esecuzione ne prende uno nuovo.\n"
    "      --solution: dopo ogni relazione, cio' che libero ne scrive, poi\n"
    "      la chiave in ordine alfabetico (a=1 c=3 e=5 ...) e il livello.\n"
    "      --livello N: solo relazioni del livello N, da 1 (facile) a 5\n"
    "      (diabolico); se nessuna di 2000 lo e', rinuncia (stato 1).\n",
    kOptions,
    Parole,
};

}  // namespace zifrel::cli
