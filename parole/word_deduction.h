#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/stop_flag.h"
#include "parole/word_sum.h"

namespace zifrel::parole {

// The digits each letter may still have, a bit per digit, by the letter's
// index in WordSum::letters.
using LetterDigits = std::array<std::uint16_t, WordSum::kMaxLetters>;

// The ways a solver narrows the digits of a sum of words, easiest first.
enum class WordTechnique : std::uint8_t {
  kLeadingLetters,  // a word does not start with 0
  kDifferent,       // a letter's digit is no other letter's
  kOnlyLetter,      // ten letters take all ten digits: a digit only one can have
  kUnits,           // the units column must add up
  kColumnsFew,      // the last columns must add up, carries included: two letters open
  kLengths,         // the number of digits of each word bounds its value
  kColumns,         // the same with three letters open
  kRanges,          // the digits still possible bound the values
  kColumnsMany,     // the same with four letters open
  kEveryWay,        // every way the whole relation holds, tried, four letters open
  kTrial,           // a digit assumed, a contradiction reached
  kNestedTrial,     // a trial that needs trials of its own
  kExhaustive,      // the last resort: every digit still possible, tried
};

// 1 "facile" .. 5 "diabolico": a relation's level is that of the hardest
// step on the easiest path.
int LevelOf(WordTechnique technique);

struct WordStep {
  WordTechnique technique;
  LetterDigits before{};
  LetterDigits after{};
  int columns = 0;  // kUnits, kColumns...: how many columns from the units
  int letter = -1;  // kDifferent: the letter whose digit is known; kTrial: the letter tried
  int digit = -1;   // kOnlyLetter: the digit; kTrial: the digit tried
  // kLengths, kRanges: the values each side can have.
  std::int64_t leftLow = 0, leftHigh = 0, rightLow = 0, rightHigh = 0;
  int ways = 0;                 // kEveryWay, kExhaustive: the ways the relation holds
  std::vector<WordStep> inner;  // a trial's steps, up to its contradiction
  bool sumFails = false;        // a trial ended with every letter known and the relation false
};

struct WordDeduction {
  bool finished = false;  // false when stopped
  std::vector<WordStep> steps;
  int level = 0;
  LetterDigits digits{};  // one digit a letter when finished
};

// Solves a sum of words with exactly one solution the way a person works it:
// each step the easiest that narrows a digit. Polls `stop`.
WordDeduction DeduceWordSum(const WordSum& sum, StopFlag& stop);

}  // namespace zifrel::parole
