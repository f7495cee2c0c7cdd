#pragma once

#include <string>
#include <string_view>

namespace zifrel::libero {

// The equality whose last digits a search may read as a necessary condition
// of a normalised relation, or "" when there is none. An equality without
// ":" and "%" is its own. One whose sides are chains of factors joined by
// "*" and ":" (with no ":" or "%" inside a factor) has its divisors moved
// across as factors: an exact division a:b = c holds only where a = b·c, and
// a chain's value times the product of its divisors is the product of its
// other factors.
std::u32string ReadableEquality(std::u32string_view relation);

}  // namespace zifrel::libero
