#include <atomic>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>

#include "cli/command.h"
#include "libero/libero_job.h"
#include "libero/relation_generator.h"

namespace zifrel::cli {
namespace {

// "N" or "MIN-MAX", within the lengths a word of the list may have.
bool ParseLengths(std::string_view text, libero::GeneratorOptions& options) {
  const std::size_t dash = text.find('-');
  const std::optional<int> low = ParseInteger<int>(text.substr(0, dash));
  const std::optional<int> high = dash == std::string_view::npos ? low : ParseInteger<int>(text.substr(dash + 1));
  if (!low || !high || *low < 3 || *high > libero::kMaxWordLength || *low > *high) return false;
  options.minLength = *low;
  options.maxLength = *high;
  return true;
}

int Parole(Args args, Io& io) {
  libero::GeneratorOptions options;
  std::int32_t seed = 0;
  long count = 1;
  bool solution = false;
  std::string file(libero::kItalianWordList);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    std::optional<std::string_view> value;
    if (arg == "--help") {
      io.out << kParole.usage << '\n' << kParole.help;
      return kExitSearched;
    } else if (arg == "--solution") {
      solution = true;
    } else if (OptionValue(args, i, "--seed", value)) {
      const std::optional<std::int32_t> n = value ? ParseInteger<std::int32_t>(*value) : std::nullopt;
      if (!n) return UsageError(io, kParole, "--seed vuole un intero tra -2147483648 e 2147483647");
      seed = *n;
    } else if (OptionValue(args, i, "--count", value)) {
      const std::optional<long> n = value ? ParseInteger<long>(*value) : std::nullopt;
      if (!n || *n < 1) return UsageError(io, kParole, "--count vuole un intero da 1 in su");
      count = *n;
    } else if (OptionValue(args, i, "--forma", value)) {
      const std::optional<libero::RelationShape> shape = value ? libero::ParseShape(*value) : std::nullopt;
      if (!shape) return UsageError(io, kParole, "--forma vuole una relazione tra lettere come a+a=b+b+b");
      options.shapes.push_back(*shape);
    } else if (OptionValue(args, i, "--lettere", value)) {
      const std::optional<int> n = value ? ParseInteger<int>(*value) : std::nullopt;
      if (!n || *n < 1 || *n > 10) return UsageError(io, kParole, "--lettere vuole un numero da 1 a 10");
      options.letters = *n;
    } else if (OptionValue(args, i, "--lunghezza", value)) {
      if (!value || !ParseLengths(*value, options)) {
        return UsageError(io, kParole, "--lunghezza vuole N o MIN-MAX, da 3 a 12");
      }
    } else if (OptionValue(args, i, "--parole", value)) {
      if (!value) return UsageError(io, kParole, "--parole vuole un file");
      file = *value;
    } else if (arg.starts_with("-")) {
      return UsageError(io, kParole, "opzione sconosciuta " + std::string(arg));
    } else {
      return UsageError(io, kParole, "argomento inatteso " + std::string(arg));
    }
  }

  std::ifstream in(file, std::ios::binary);
  const libero::WordList list = in ? libero::WordList::Read(in) : libero::WordList();
  if (!in.eof()) {  // not opened, or a read failed (a directory, say)
    io.err << "zifrel-cli: non riesco a leggere " << file << '\n';
    return kExitUsage;
  }
  libero::RelationGenerator generator(list, options, seed);
  if (generator.HasNoWords()) {
    io.err << "zifrel-cli: nessuna parola adatta in " << file << '\n';
    return kExitRefused;
  }

  StreamSink out(io.out);
  for (long k = 0; k < count; ++k) {
    const libero::GeneratedRelation relation = generator.Next(io.stop);
    if (relation.end == libero::GenerationEnd::kStopped) return kExitInterrupted;  // what was printed stays
    if (relation.end == libero::GenerationEnd::kGaveUp) {
      io.err << "zifrel-cli: nessuna nuova relazione con una sola soluzione\n";
      return kExitRefused;
    }
    out.AppendLine(relation.text);
    if (solution) {
      const std::string lines[] = {relation.text};
      std::atomic<std::int32_t> solutions{0};
      libero::FreeRelations job;
      job.SolveFreeRelations(
          lines, [](std::span<const std::string>) {}, out, io.stop, solutions);
      if (io.stop.IsSet()) return kExitInterrupted;
    }
    io.out.flush();
  }
  return kExitSearched;
}

}  // namespace

const Command kParole = {
    "parole",
    "zifrel-cli parole [--seed N] [--count K] [--forma F] [--lettere N] [--lunghezza MIN-MAX] [--parole FILE] "
    "[--solution]",
    "      Genera relazioni tra parole italiane con una sola soluzione, una\n"
    "      per riga, da risolvere con libero: ogni lettera e' una cifra diversa.\n"
    "      --forma F: la forma, una lettera per parola, come a+b=c, a+b+c=d,\n"
    "      a+a=b+b+b o a-b=c (ripetibile; senza, varia a caso). --lettere N:\n"
    "      esattamente N lettere diverse. --lunghezza MIN-MAX: parole da MIN a\n"
    "      MAX lettere (3-7 predefinito). --parole FILE: un'altra lista, una\n"
    "      parola per riga, UTF-8 (predefinita /usr/share/dict/italian).\n"
    "      --seed N: lo stesso seme da' le stesse relazioni (0: dall'orologio).\n"
    "      --solution: dopo ogni relazione, cio' che libero ne scrive.\n",
    Parole,
};

}  // namespace zifrel::cli
