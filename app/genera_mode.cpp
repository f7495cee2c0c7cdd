#include "app/genera.h"

namespace zifrel {

// Mode Genera: not built yet.
void Genera::RunGenera() {}

}  // namespace zifrel
