#pragma once

#include <string_view>

// Every fixed phrase of an explanation, in one place. "{}" stands for a piece
// the explanation fills in: a symbol, a digit, an equation, a number. A
// piece is never broken across lines.
namespace zifrel::phrase {

// The equations and how they are named.
inline constexpr std::string_view kRow = "Riga {}";
inline constexpr std::string_view kColumn = "Colonna {}";
inline constexpr std::string_view kEquationHead = "{}: {}.";
inline constexpr std::string_view kEquationHeadReadAs = "{}: {}, cioè {}.";  // a ÷ or a - read as × or +
inline constexpr std::string_view kEquationNamed = "{} ({})";

// Lists: "A, B e C", "B ed E", "0, 1 né 5", "3 o 7".
inline constexpr std::string_view kListComma = ", ";
inline constexpr std::string_view kComma = ",";
inline constexpr std::string_view kSemicolon = ";";
inline constexpr std::string_view kAnd = "e";
inline constexpr std::string_view kAndBeforeE = "ed";
inline constexpr std::string_view kNor = "né";
inline constexpr std::string_view kOr = "o";
inline constexpr std::string_view kDigitSymbol = "'{}'";  // a symbol that is itself a digit

// Conclusions: "quindi C = 7 e D = 1; A non può essere 2 né 4."
inline constexpr std::string_view kSo = "quindi";
inline constexpr std::string_view kIs = "{} = {}";
inline constexpr std::string_view kIsNot = "non può essere";
inline constexpr std::string_view kAreNot = "non possono essere";
inline constexpr std::string_view kClauseEnd = kSemicolon;
inline constexpr std::string_view kSentenceEnd = ".";
inline constexpr std::string_view kTrialConclusion = "Quindi {} non può essere {}.";
inline constexpr std::string_view kTrialConclusionSoIs = "Quindi {} non può essere {}, cioè {}.";

// The techniques.
inline constexpr std::string_view kLeadingDigits = "Prime cifre: un numero di due o più cifre non comincia con 0,";
inline constexpr std::string_view kLeadingZerosNote =
    "In questo Schema un numero di più cifre può anche cominciare con 0.";
inline constexpr std::string_view kLengths = "Dalle lunghezze,";
inline constexpr std::string_view kRanges = "Con le cifre ancora possibili,";
inline constexpr std::string_view kAtMost = "{} = {} è al più {},";
inline constexpr std::string_view kAtLeast = "{} = {} è almeno {},";
inline constexpr std::string_view kBetween = "{} = {} sta tra {} e {},";
inline constexpr std::string_view kBound = "{} = {}";                         // 999 + 99 = 1098
inline constexpr std::string_view kBoundRoundedDown = "{} (cioè al più {})";  // 999 ÷ 12 (cioè al più 83)
inline constexpr std::string_view kBoundRoundedUp = "{} (cioè almeno {})";
inline constexpr std::string_view kOnlyDigit = "Per {} resta una sola cifra,";
inline constexpr std::string_view kOnlyPlace =
    "Dieci simboli usano tutte e dieci le cifre, e la cifra {} può andare solo al simbolo {},";
inline constexpr std::string_view kLastDigits[] = {
    "", "Ultima cifra:", "Ultime due cifre:", "Ultime tre cifre:", "Ultime quattro cifre:"};
inline constexpr std::string_view kMustEndWith = "{} deve finire con {},";
inline constexpr std::string_view kGroup = "{} possono essere solo {}: queste cifre sono loro, e";
inline constexpr std::string_view kHiddenGroup =
    "Dieci simboli usano tutte e dieci le cifre, e le cifre {} possono andare solo ai simboli {},";
inline constexpr std::string_view kCombinationsOnly = "Provando le cifre ancora possibili, l'equazione torna solo con";
inline constexpr std::string_view kCombinationsCount =
    "Provando le cifre ancora possibili, l'equazione torna solo in {} modi,";
inline constexpr std::string_view kPairHead = "{} e {} hanno in comune {}.";
inline constexpr std::string_view kPairFor[] = {"Per", "per"};
inline constexpr std::string_view kPairValues = "{} la {} {} può essere";
inline constexpr std::string_view kPairManyValues = "{} la {} {} ha {} valori possibili ({}...);";
inline constexpr std::string_view kPairCommon = "per entrambe può essere solo";
inline constexpr std::string_view kPairManyCommon = "per entrambe ha {} valori possibili,";
inline constexpr std::string_view kTrial = "Prova: se {} fosse {},";
inline constexpr std::string_view kNestedTrial =
    "Prova su {} livelli: se {} fosse {}, con altre {} prove al suo interno si vedrebbe che";
inline constexpr std::string_view kNestedTrialOne =
    "Prova su {} livelli: se {} fosse {}, con un'altra prova al suo interno si vedrebbe che";
inline constexpr std::string_view kChainOne = "ne seguirebbe";
inline constexpr std::string_view kChainMany = "ne seguirebbero";
inline constexpr std::string_view kChainMore = "(e altre {} cifre),";
inline constexpr std::string_view kChainEnd = "e";
inline constexpr std::string_view kWhyEquation = "la {} non potrebbe tornare.";
inline constexpr std::string_view kWhyNoDigit = "per {} non resterebbe nessuna cifra.";
inline constexpr std::string_view kWhyTooFewDigits = "a {} non basterebbero le cifre rimaste.";
inline constexpr std::string_view kWhySharedCell = "la {} e la {} non sarebbero d'accordo su {}.";

// After the steps.
inline constexpr std::string_view kMoreSteps = "Altri {} passi portano alla soluzione.";
inline constexpr std::string_view kOneMoreStep = "Un altro passo porta alla soluzione.";
inline constexpr std::string_view kLevelLine = "Livello: {} ({})";
inline constexpr std::string_view kLevelNames[] = {"facile", "medio", "difficile", "molto difficile", "diabolico"};

// A Schema that cannot be explained, after the solver's report on it.
inline constexpr std::string_view kNotUnique = "Si spiega solo uno Schema con una sola soluzione.";

}  // namespace zifrel::phrase
