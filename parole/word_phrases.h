#pragma once

#include <string_view>

// Every fixed phrase of a word relation's explanation, in one place. "{}"
// stands for a piece the explanation fills in: a letter, a digit, a part of
// the relation, a number. A piece is never broken across lines.
namespace zifrel::parole::phrase {

// Lists and conclusions: "quindi C = 7 e D = 1; A non può essere 2 né 4."
inline constexpr std::string_view kListComma = ", ";
inline constexpr std::string_view kAnd = "e";
inline constexpr std::string_view kAndBeforeE = "ed";
inline constexpr std::string_view kNor = "né";
inline constexpr std::string_view kSo = "quindi";
inline constexpr std::string_view kIs = "{} = {}";
inline constexpr std::string_view kIsNot = "non può essere";
inline constexpr std::string_view kAreNot = "non possono essere";
inline constexpr std::string_view kClauseEnd = ";";
inline constexpr std::string_view kSentenceEnd = ".";

// The techniques.
inline constexpr std::string_view kLeadingLetters =
    "Prime lettere: una parola di due o più lettere non comincia con 0,";
inline constexpr std::string_view kDifferent = "Lettere diverse hanno cifre diverse, e {} = {},";
inline constexpr std::string_view kOnlyLetter =
    "Dieci lettere usano tutte e dieci le cifre, e la cifra {} può andare solo alla lettera {},";
inline constexpr std::string_view kUnits = "Colonna delle unità: {} deve finire come {},";
// The last columns, by how many (2 to 12, the longest word).
inline constexpr std::string_view kColumns[] = {"",
                                                "",
                                                "Ultime due cifre, con il riporto delle unità:",
                                                "Ultime tre cifre, con i riporti:",
                                                "Ultime quattro cifre, con i riporti:",
                                                "Ultime cinque cifre, con i riporti:",
                                                "Ultime sei cifre, con i riporti:",
                                                "Ultime sette cifre, con i riporti:",
                                                "Ultime otto cifre, con i riporti:",
                                                "Ultime nove cifre, con i riporti:",
                                                "Ultime dieci cifre, con i riporti:",
                                                "Ultime undici cifre, con i riporti:",
                                                "Ultime dodici cifre, con i riporti:"};
inline constexpr std::string_view kMustEndAs = "{} deve finire come {},";
inline constexpr std::string_view kLengths =
    "Dal numero delle cifre di ogni parola, {} sta tra {} e {} e {} tra {} e {},";
inline constexpr std::string_view kRanges = "Con le cifre ancora possibili, {} sta tra {} e {} e {} tra {} e {},";
inline constexpr std::string_view kOneWay = "Provando le cifre ancora possibili, la relazione torna in un solo modo,";
inline constexpr std::string_view kSomeWays = "Provando le cifre ancora possibili, la relazione torna in {} modi,";
inline constexpr std::string_view kTrial = "Prova: se {} fosse {}:";
inline constexpr std::string_view kTrialNoDigit = "Allora per {} non resterebbe nessuna cifra.";
inline constexpr std::string_view kTrialSumFails = "Allora la relazione non tornerebbe.";
inline constexpr std::string_view kTrialConclusion = "Quindi {} non può essere {}.";
inline constexpr std::string_view kTrialStepLead = "- ";

// After the steps.

// What is not explained, after Libero's report on it where there is one.
inline constexpr std::string_view kOneRelation = "Si spiega una relazione alla volta.";
inline constexpr std::string_view kNotWordSum =
    "Si spiega solo una somma o una differenza di parole di al più 12 lettere, come gatto+gatto=cane+cane+cane.";
inline constexpr std::string_view kNotUnique = "Si spiega solo una relazione con una sola soluzione.";

}  // namespace zifrel::parole::phrase
