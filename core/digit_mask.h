#pragma once

namespace zifrel {

// A set of decimal digits, a bit each: bit d stands for the digit d.
inline constexpr unsigned kAllDigits = 0x3FF;
inline constexpr unsigned kNonZeroDigits = kAllDigits & ~1u;  // a leading digit never is 0

}  // namespace zifrel
