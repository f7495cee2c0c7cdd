#pragma once

namespace zifrel {

// Qt's own texts (the text areas' context menus, the print dialog, the
// names of keys in shortcuts) in Italian, as the rest of the program is,
// whatever the system's language. Qt's translations come with Debian's
// qt6-translations-l10n; without them Qt's texts stay in English. Call once
// the application object exists; false when no translation was found.
bool InstallQtItalian();

}  // namespace zifrel
