#pragma once

#include <span>
#include <string>
#include <vector>

namespace zifrel::parole {

// Which words of a list look like verb forms rather than the nouns and
// adjectives puzzles are made of: the word is a stem plus an ending of the
// tables, and the same stem plus the ending of an infinitive is in the list
// itself ("salta" and "cantavamo" beside "saltare" and "cantare"), or it is
// an infinitive with a pronoun ("cantarla"). Lists without such verbs mark
// nothing. Italian lists give no frequencies, so this is how the commoner
// words come first.
std::vector<bool> LooksLikeVerbForms(std::span<const std::string> words);

}  // namespace zifrel::parole
