#include <array>
#include <string_view>

#include "app/workbench.h"
#include "schema/schema_lines.h"

namespace zifrel {
namespace {

// The help text, line by line. Lines 6, 22 and 28 end in a blank on purpose.
// After the first text, in its manner, the commands that came later and the
// keys that reach them.
constexpr std::array<std::string_view, 64> kHelpLines = {
    "",
    "Zifrel 2: schemi e crittogrammi",
    "-------------------------",
    "1) GENERA: premi VAI per",
    "generare uno schema a caso.",
    "Se il massimo e' 999, e' ",
    "possibilire scegliere le",
    "operazioni cliccandoci su; se il massimo e' 9999 le",
    "operazioni sono sempre a",
    "caso.",
    "2) RISOLVI: premi VAI per",
    "risolvere uno schema, dopo",
    "aver scelto le operazioni",
    "cliccandoci su e inserito",
    "i codici nei 9 campi. Non",
    "e' obbligatorio usare le",
    "lettere AB...IJ per le cifre: ogni set di max 10",
    "simboli va bene.",
    "Si puo' interrompere la ri-",
    "cerca con il tasto Stop. Il",
    "tasto C cancella i campi.",
    "Il tasto `copy' copia nella ",
    "clipboard=appunti i campi e",
    "le operazioni. In questo campo si possono fare Taglia, Copia e Incolla con",
    "le consuete combinazioni di",
    "tasti.",
    "3) LIBERO: premi VAI per",
    "risolvere un problema generico composto da 1 o ",
    "piu' relazioni, per esempio:",
    "gatto+gatto=cane+cane+cane",
    "Per saperne di piu' leggi",
    "il file README.md che",
    "accompagna Zifrel 2.",
    "-------------------------",
    "4) MENU: il tasto destro",
    "del mouse (o il tasto Menu,",
    "o Shift+F10) sul campo dei",
    "risultati apre il menu con:",
    "Spiega (Ctrl+Shift+S): la",
    "soluzione passo per passo;",
    "Suggerimento (Ctrl+Shift+H):",
    "il primo passo;",
    "Livello (Ctrl+Shift+L): la",
    "difficolta' dello schema;",
    "Stampa (Ctrl+P): stampa lo",
    "schema con la soluzione, o",
    "lo salva in un file PDF.",
    "Gioca (Ctrl+Shift+G): apre",
    "lo schema in una finestra",
    "per risolverlo a mano, con",
    "controllo e suggerimenti.",
    "In LIBERO, sul campo delle",
    "relazioni: Spiega",
    "(Ctrl+Shift+S) spiega la",
    "relazione tra parole;",
    "Genera relazione",
    "(Ctrl+Shift+R) ne scrive",
    "una nuova; Ctrl+Z riporta",
    "quelle di prima.",
    "5) TASTIERA: Tab raggiunge",
    "anche le operazioni; Spazio",
    "le cambia, oppure si scrive",
    "+ - * x / : per sceglierle.",
    "-------------------------",
};

}  // namespace

std::string Workbench::CopyText() const {
  CellStrings cells;
  for (int k = 0; k < kCellCount; ++k) cells[k] = model_.Ed[k].Text();
  std::string text;
  for (const std::string& line : SchemaLines(cells, model_.CurrentOps, "")) text.append(line).append("\n");
  return text;
}

void Workbench::CopiaClick() {
  if (clipboard_) clipboard_(CopyText());
}

void Workbench::HButtClick() {
  model_.TheM.Clear();
  for (std::string_view line : kHelpLines) model_.TheM.AddLine(line);
}

}  // namespace zifrel
