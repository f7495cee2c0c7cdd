#include <memory>
#include <string>
#include <vector>

#include "app/genera.h"
#include "core/messages.h"
#include "parole/plain_lexicon.h"
#include "parole/word_explanation.h"

namespace zifrel {

// "Genera relazione": a new relation between Italian words with exactly one
// solution, written into the formula area in place of what it held, ready
// for Vai. The word list is read by the first such job and kept.
void Genera::RunWordPuzzle() {
  Session& s = session();
  if (!s.wordPuzzles) {
    s.words = std::make_unique<parole::WordList>(parole::ReadPlainItalianWords());
    s.wordPuzzles = std::make_unique<parole::RelationGenerator>(*s.words, parole::GeneratorOptions{}, 0);
  }
  if (s.wordPuzzles->HasNoWords()) {
    AppendLine(std::string(msg::kNoWordList) + std::string(parole::kItalianWordList));
    return;
  }
  const parole::GeneratedRelation relation = s.wordPuzzles->Next(s.StopRequested);
  switch (relation.end) {
    case SearchEnd::kStopped:
      AppendLine(msg::kSearchStopped);
      return;
    case SearchEnd::kNone:
      AppendLine(msg::kNoNewRelation);
      return;
    case SearchEnd::kFound:
      break;
  }
  // Clear and line in one hand-over: the window shows the new relation as
  // one edit, which Ctrl+Z takes back.
  OnWindow([&relation](WindowModel& w) {
    w.Libe.Clear();
    w.Libe.AddLine(relation.text);
  });
}

// "Spiega" on the formula area: its relation explained column by column, as
// `zifrel-cli spiega --libero` explains it. The formula area is read once,
// on the window thread, and left as it is.
void Genera::RunRelationExplanation() {
  std::vector<std::string> lines;
  OnWindow([&lines](WindowModel& w) { lines = w.Libe.Lines(); });
  parole::ExplainWordRelation(lines, session().StopRequested, *this, 0);  // the area wraps it
}

}  // namespace zifrel
