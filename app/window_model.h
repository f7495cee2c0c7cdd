#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/messages.h"
#include "schema/cell_texts.h"
#include "schema/operators.h"

namespace zifrel {

// The logical properties of the window's controls. All logic reaches the
// window through them; a toolkit binding mirrors them onto real widgets and
// writes the user's edits back. Everything here belongs to the window thread.

struct EditControl {  // a single-line edit of at most kCellMaxChars characters
  // Keeps the first characters that fit, as the widget does with a paste.
  void SetText(std::string_view utf8);
  const std::string& Text() const { return text; }

  std::string text;
  bool enabled = true;
};

struct ButtonControl {
  std::string caption;
  bool enabled = true;
  bool visible = true;
};

struct RadioGroupControl {
  int itemIndex = 0;
  bool enabled = true;
  bool visible = true;
};

struct LabelControl {  // labels and static texts
  std::string caption;
  bool visible = true;
};

// A multi-line text area seen as its list of lines.
class LinesControl {
 public:
  void Clear();
  void AddLine(std::string_view line);
  int Count() const { return static_cast<int>(lines_.size()); }
  const std::string& Line(int i) const { return lines_[i]; }
  const std::vector<std::string>& Lines() const { return lines_; }
  // The user's edits, written back by the binding; no change is recorded.
  void ReplaceFromUser(std::vector<std::string> lines) { lines_ = std::move(lines); }
  // Counts every Clear, so a binding can tell a clear from a longer list.
  std::uint64_t ClearCount() const { return clearCount_; }

  bool visible = true;

 private:
  std::vector<std::string> lines_;
  std::uint64_t clearCount_ = 0;
};

// Initial values as laid out, before the start-up Clear derives the rest.
struct WindowModel {
  std::array<EditControl, kCellCount> Ed;           // Ed1..Ed9: CellEdits, c1..c9
  std::array<ButtonControl, kOperatorCount> Bo = {  // Bo1..Bo6: OpButtons, o1..o6
      ButtonControl{"+"}, ButtonControl{"+"}, ButtonControl{"+"},
      ButtonControl{"+"}, ButtonControl{"+"}, ButtonControl{"+"}};
  RadioGroupControl Operaz;  // 0 Genera, 1 Risolvi, 2 Libero
  RadioGroupControl MaxN;    // 0 "999", 1 "9999"
  RadioGroupControl RandOp;  // 0 "A caso", 1 "Fissate"
  ButtonControl Button1{std::string(msg::kGo)};
  LinesControl TheM;  // the output area
  LinesControl Libe;  // the formula area
  LabelControl Label7{"Soluzioni"};
  LabelControl SolLab{"0"};
  LabelControl Giro{"+"};
  LabelControl NoPoss{std::string(msg::kNoPossibleSolution), false};
  ButtonControl Copia{"copy"};
  ButtonControl Canc{"C"};
  ButtonControl HButt{"?"};

  // The operators the window shows; every reader takes them from here, since
  // a disabled button's caption may lag behind.
  OpCodes CurrentOps{};
};

}  // namespace zifrel
