#include <fstream>
#include <memory>
#include <string>

#include "app/genera.h"
#include "core/messages.h"

namespace zifrel {

// "Genera relazione": a new relation between Italian words with exactly one
// solution, written into the formula area in place of what it held, ready
// for Vai. The word list is read by the first such job and kept.
void Genera::RunWordPuzzle() {
  Session& s = session();
  if (!s.wordPuzzles) {
    std::ifstream in{std::string(libero::kItalianWordList), std::ios::binary};
    s.words = std::make_unique<libero::WordList>(in ? libero::WordList::Read(in) : libero::WordList());
    s.wordPuzzles = std::make_unique<libero::RelationGenerator>(*s.words, libero::GeneratorOptions{}, 0);
  }
  if (s.wordPuzzles->HasNoWords()) {
    AppendLine(std::string(msg::kNoWordList) + std::string(libero::kItalianWordList));
    return;
  }
  const libero::GeneratedRelation relation = s.wordPuzzles->Next(s.StopRequested);
  if (relation.end == libero::GenerationEnd::kGaveUp) AppendLine(msg::kNoNewRelation);
  if (relation.end != libero::GenerationEnd::kFound) return;
  OnWindow([&relation](WindowModel& w) {
    w.Libe.Clear();
    w.Libe.AddLine(relation.text);
  });
}

}  // namespace zifrel
