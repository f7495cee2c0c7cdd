#include "app/window_model.h"

#include "core/utf8.h"

namespace zifrel {

void EditControl::SetText(std::string_view utf8) {
  std::size_t pos = 0;
  for (int count = 0; pos < utf8.size() && count < kCellMaxChars; ++count) NextCodePoint(utf8, pos);
  text.assign(utf8.substr(0, pos));
}

void LinesControl::Clear() {
  lines_.clear();
  ++clearCount_;
}

void LinesControl::AddLine(std::string_view line) { lines_.emplace_back(line); }

}  // namespace zifrel
