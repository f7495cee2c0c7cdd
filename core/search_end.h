#pragma once

namespace zifrel {

// How a search for one thing ended: it found it, it looked everywhere it
// may (or as long as it may) without finding it, or a stop came first. A
// stopped search has found nothing, whatever it had seen.
enum class SearchEnd { kFound, kNone, kStopped };

}  // namespace zifrel
