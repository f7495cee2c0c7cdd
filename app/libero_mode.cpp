#include "app/genera.h"

namespace zifrel {

// Mode Libero: not built yet.
void Genera::RunLibero() {}

}  // namespace zifrel
