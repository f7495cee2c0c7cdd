#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/line_sink.h"

namespace zifrel {

// Fills "{}" in a pattern with the pieces, in order.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> pieces);

// Text made of words, written as lines of at most `width` characters. The
// pieces filled into a pattern stay whole, so an equation or a number is
// never broken across lines.
class Paragraph {
 public:
  void Add(std::string_view pattern, std::initializer_list<std::string_view> pieces = {});

  // "A, B e C" followed by `end`: each item a piece, `conjunction` between
  // the last two (a comma when empty).
  void AddList(const std::vector<std::string>& items, std::string_view conjunction, std::string_view end);

  // The first line opens with `lead`; the others are indented as far. A
  // width of 0 writes the whole paragraph as one line, for a reader that
  // wraps it to its own width: the blanks inside a piece are then no-break
  // spaces, so that its wrapping too leaves the piece whole.
  void Write(LineSink& out, std::string_view lead, std::size_t width) const;

 private:
  std::vector<std::string> words_;
};

}  // namespace zifrel
