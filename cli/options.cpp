#include "cli/options.h"

#include <algorithm>

namespace zifrel::cli {

bool ParsedArgs::Has(std::string_view name) const {
  return std::ranges::any_of(options, [&](const auto& option) { return option.first == name; });
}

std::optional<std::string_view> ParsedArgs::Value(std::string_view name) const {
  std::optional<std::string_view> value;
  for (const auto& [given, text] : options) {
    if (given == name) value = text;
  }
  return value;
}

std::variant<ParsedArgs, std::string> ParseArgs(Args args, std::span<const OptionSpec> specs) {
  ParsedArgs parsed;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (optionsEnded || arg == "-" || !arg.starts_with("-")) {
      parsed.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "-h" || arg == "--help") {
      if (args.size() != 1) return std::string(arg) + " va dato da solo";
      parsed.help = true;
      continue;
    }
    const std::string_view name = arg.substr(0, arg.find('='));
    const auto spec = std::ranges::find(specs, name, &OptionSpec::name);
    if (spec == specs.end()) return "opzione sconosciuta " + std::string(name);
    const bool valueInline = name.size() < arg.size();
    if (!spec->takesValue) {
      if (valueInline) return std::string(name) + " non vuole un valore";
      parsed.options.emplace_back(name, std::string_view());
    } else if (valueInline) {
      parsed.options.emplace_back(name, arg.substr(name.size() + 1));
    } else if (i + 1 < args.size()) {
      parsed.options.emplace_back(name, args[++i]);
    } else {
      return std::string(name) + " vuole un valore";
    }
  }
  return parsed;
}

}  // namespace zifrel::cli
