#pragma once

#include <charconv>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace zifrel::cli {

using Args = std::span<const std::string_view>;

// An option a command takes: "--name" alone, or "--name VALUE", which may
// also be written "--name=VALUE".
struct OptionSpec {
  std::string_view name;  // with its dashes
  bool takesValue;
};

// A command's arguments taken apart.
struct ParsedArgs {
  bool help = false;
  std::vector<std::pair<std::string_view, std::string_view>> options;  // in order given
  std::vector<std::string_view> positional;

  bool Has(std::string_view name) const;
  // The value given last.
  std::optional<std::string_view> Value(std::string_view name) const;
};

// Takes `args` apart by `specs`. "-h" or "--help" asks for help and must
// come alone; "--" ends the options, so that what follows may begin with a
// dash; a lone "-" is an argument. On a usage error, the reason.
std::variant<ParsedArgs, std::string> ParseArgs(Args args, std::span<const OptionSpec> specs);

// A whole decimal integer, or nothing.
template <class Int>
std::optional<Int> ParseInteger(std::string_view text) {
  Int value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// A whole decimal number of `option` from 1 up, or the reason it is not one.
// A number too large for it, also one written as 1e20, is told as such,
// with the largest the option takes.
template <class Int>
std::variant<Int, std::string> ParsePositive(std::string_view option, std::string_view text) {
  const char* const end = text.data() + text.size();
  Int value{};
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error == std::errc() && stop == end && value >= 1) return value;
  double magnitude = 0;
  const auto [floatStop, floatError] = std::from_chars(text.data(), end, magnitude);
  const bool tooLarge =
      !text.empty() && text[0] >= '0' && text[0] <= '9' && floatStop == end &&
      (floatError == std::errc::result_out_of_range ||
       (floatError == std::errc() && magnitude > static_cast<double>(std::numeric_limits<Int>::max())));
  if (!tooLarge) return std::string(option) + " vuole un intero da 1 in su";
  return std::string(option) + " vuole un intero da 1 a " + std::to_string(std::numeric_limits<Int>::max()) + ": " +
         std::string(text) + " e' troppo grande";
}

}  // namespace zifrel::cli
