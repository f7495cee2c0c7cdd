#pragma once

#include <QIcon>

namespace zifrel {

// The program's icon for the window and the task bar, drawn from the same
// SVG file that is installed for the desktop entry.
QIcon ProgramIcon();

}  // namespace zifrel
