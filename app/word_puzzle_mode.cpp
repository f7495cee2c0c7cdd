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
  switch (relation.end) {
    case libero::GenerationEnd::kStopped:
      AppendLine(msg::kSearchStopped);
      return;
    case libero::GenerationEnd::kGaveUp:
      AppendLine(msg::kNoNewRelation);
      return;
    case libero::GenerationEnd::kFound:
      break;
  }
  // Clear and line in one hand-over: the window shows the new relation as
  // one edit, which Ctrl+Z takes back.
  OnWindow([&relation](WindowModel& w) {
    w.Libe.Clear();
    w.Libe.AddLine(relation.text);
  });
}

}  // namespace zifrel
