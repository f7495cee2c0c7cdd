#pragma once

#include <string_view>

// Every fixed phrase of an explanation, in one place. "{}" stands for a piece
// the explanation fills in: a letter, a digit, an equation, a number. A
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
inline constexpr std::string_view kDigitSymbol = "'{}'";  // a letter that is itself a digit

// Conclusions: "quindi C = 7 e D = 1; A non può essere 2 né 4."
inline constexpr std::string_view kSo = "quindi";
inline constexpr std::string_view kIs = "{} = {}";
inline constexpr std::string_view kIsNot = "non può essere";
inline constexpr std::string_view kAreNot = "non possono essere";
inline constexpr std::string_view kClauseEnd = kSemicolon;
inline constexpr std::string_view kSentenceEnd = ".";
inline constexpr std::string_view kThenLeft[] = {"Resta così", "Restano così"};  // letters left one digit
inline constexpr std::string_view kTrialConclusion = "Quindi {} non può essere {}.";
inline constexpr std::string_view kTrialConclusionSoIs = "Quindi {} non può essere {}, cioè {}.";

// The rule of leading digits, said in the first step that needs it.
inline constexpr std::string_view kLeadingDigitsOne = "{} non è 0, perché un numero di più cifre non comincia con 0.";
inline constexpr std::string_view kLeadingDigitsMany =
    "{} non sono 0, perché un numero di più cifre non comincia con 0.";
inline constexpr std::string_view kLeadingZerosNote =
    "In questo Schema un numero di più cifre può anche cominciare con 0.";

// Lengths and ranges.
inline constexpr std::string_view kLengths = "Contando le cifre,";
inline constexpr std::string_view kRanges = "Con le cifre ancora possibili,";
inline constexpr std::string_view kIfWere = "se {} fosse {},";
inline constexpr std::string_view kWouldBeAtLeast = "{} sarebbe almeno {} = {},";
inline constexpr std::string_view kWouldBeAtMost = "{} sarebbe al più {} = {},";
// The last piece is the punctuation that follows: "299," or "299;".
inline constexpr std::string_view kButIsAtMost = "ma {} è al più {}{}";
inline constexpr std::string_view kButIsAtLeast = "ma {} è almeno {}{}";
inline constexpr std::string_view kButWouldBeAtMost = "ma {} sarebbe al più {}{}";
inline constexpr std::string_view kButWouldBeAtLeast = "ma {} sarebbe almeno {}{}";
inline constexpr std::string_view kLikewise = "(e lo stesso con";  // "(e lo stesso con 3 e 4),"

// The last digits.
inline constexpr std::string_view kLastDigits[] = {
    "", "Ultima cifra:", "Ultime due cifre:", "Ultime tre cifre:", "Ultime quattro cifre:"};
inline constexpr std::string_view kMustEndWith = "{} deve finire con {},";

// The identities of 0 and 1.
inline constexpr std::string_view kZerosKnown = "con {},";  // "Identità: con A = 0,"
inline constexpr std::string_view kIdentityHead = "Identità:";
inline constexpr std::string_view kTimesTen = "l'uguaglianza dice {} × {} = {}, e {} non è 0,";
inline constexpr std::string_view kTimesSame = "{} non è 0, e resta sé stesso solo moltiplicato per 1,";
inline constexpr std::string_view kPlusSame = "un numero resta sé stesso solo sommandogli 0,";

// Different letters, different digits.
inline constexpr std::string_view kOnlyPlace =
    "Dieci lettere usano tutte e dieci le cifre, e la cifra {} può andare solo a {},";
inline constexpr std::string_view kGroup = "{} possono essere solo {}: queste cifre sono loro,";
inline constexpr std::string_view kHiddenGroup =
    "Dieci lettere usano tutte e dieci le cifre, e le cifre {} possono andare solo a {},";

// Every way an equation holds.
inline constexpr std::string_view kCombinations = "Provando le cifre ancora possibili di {},";
inline constexpr std::string_view kCombinationsOnly = "l'uguaglianza è verificata solo con";
inline constexpr std::string_view kCombinationsNever = "l'uguaglianza non è mai verificata con le cifre che seguono,";
inline constexpr std::string_view kSettledCheck = "Con queste cifre si avrebbe {},";
inline constexpr std::string_view kPairHead = "{} e {} hanno in comune {}.";
inline constexpr std::string_view kPairFor[] = {"Per", "per"};
inline constexpr std::string_view kPairValues = "{} la {} {} può essere";
inline constexpr std::string_view kPairManyValues = "{} la {} {} può essere {} o altro;";
inline constexpr std::string_view kPairCommon = "per entrambe può essere solo";
inline constexpr std::string_view kPairManyCommon = "per entrambe può essere solo {} o altro,";

// Trials.
inline constexpr std::string_view kTrial = "Prova: se {} fosse {}:";
inline constexpr std::string_view kTrialThen = "Prova: se {} fosse {},";  // then the letters it leaves one digit
inline constexpr std::string_view kTrialLeft[] = {"resterebbe", "resterebbero"};
inline constexpr std::string_view kSubLine = "- ";
inline constexpr std::string_view kWhyEquation = "quindi la {} non sarebbe verificata.";
inline constexpr std::string_view kWhyNoDigit = "per {} non resterebbe nessuna cifra.";
inline constexpr std::string_view kThenNoDigit = "Così per {} non resterebbe nessuna cifra.";
inline constexpr std::string_view kWhyTooFewDigits = "quindi a {} non basterebbero le cifre rimaste.";
inline constexpr std::string_view kWhySharedCell = "quindi la {} e la {} non sarebbero d'accordo su {}.";

// After the steps.
inline constexpr std::string_view kMoreSteps = "Altri {} passi portano alla soluzione.";
inline constexpr std::string_view kOneMoreStep = "Un altro passo porta alla soluzione.";

// A known digit that is not the solution's.
inline constexpr std::string_view kWrongKnownEquation = "Con {} = {} la {} non sarebbe verificata.";
inline constexpr std::string_view kWrongKnown = "Con {} = {} lo Schema non avrebbe soluzione.";
inline constexpr std::string_view kUnknownLetter = "La lettera {} non è nello Schema.";
inline constexpr std::string_view kKnownSolved = "Le cifre note risolvono già lo Schema.";

// A Schema that cannot be explained, after the solver's report on it.
inline constexpr std::string_view kNotUnique = "Si spiega solo uno Schema con una sola soluzione.";

}  // namespace zifrel::phrase
