#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace zifrel::layout {

// Every place, size and font height of the window is in pixels at 120 pixels
// per inch, the resolution the window was laid out for; ScreenScale turns
// them into the screen's pixels.
inline constexpr double kDesignDpi = 120.0;

struct Place {
  int left, top, width, height;
  int fontHeight;  // character height of the control's font
};

// The Schema grid: the cells c1..c9 in row order, the row operators o1..o3,
// the column operators o4..o6 and the six "=" labels.
inline constexpr Place kCells[9] = {
    {133, 10, 63, 25, 20},  {245, 10, 63, 25, 20},  {358, 10, 62, 25, 20},
    {133, 92, 63, 25, 20},  {245, 92, 63, 25, 20},  {358, 92, 62, 25, 20},
    {133, 164, 63, 25, 20}, {245, 164, 63, 25, 20}, {358, 164, 62, 25, 20},
};
inline constexpr Place kOperators[6] = {
    {204, 10, 30, 28, 23}, {204, 92, 30, 28, 23}, {204, 164, 30, 28, 23},
    {164, 51, 29, 28, 23}, {276, 51, 29, 28, 23}, {388, 51, 30, 28, 23},
};
// Label1..Label6: Label1, Label2 and Label6 close the rows; Label3, Label5
// and Label4 stand under the columns c4, c5 and c6.
inline constexpr Place kEquals[6] = {
    {327, 10, 14, 27, 23},  {327, 92, 14, 27, 23},  {174, 133, 14, 27, 23},
    {399, 133, 14, 27, 23}, {286, 133, 14, 27, 23}, {327, 164, 14, 27, 23},
};

inline constexpr Place kOperaz = {0, 0, 124, 104, 17};
inline constexpr Place kMaxN = {0, 112, 124, 73, 17};
inline constexpr Place kRandOp = {0, 194, 124, 73, 17};
// Label7 and SolLab lie within MaxN's area: they show only in mode Libero,
// where MaxN is hidden.
inline constexpr Place kLabel7 = {15, 123, 90, 20, 17};
inline constexpr Place kSolLab = {15, 153, 94, 23, 17};
inline constexpr Place kNoPoss = {133, 204, 274, 24, 17};
inline constexpr Place kButton1 = {133, 235, 83, 32, 20};
inline constexpr Place kGiro = {235, 235, 32, 32, 23};
inline constexpr Place kCopia = {276, 235, 63, 32, 17};
inline constexpr Place kCanc = {348, 235, 32, 32, 20};
inline constexpr Place kHButt = {388, 235, 32, 32, 20};
inline constexpr Place kTheM = {429, 10, 324, 257, 17};
// Libe covers the whole grid and all of NoPoss but its lowest two rows of
// pixels.
inline constexpr Place kLibe = {133, 10, 287, 216, 17};

inline constexpr int kWindowFontHeight = 20;
// Room left right of and below the last controls, in the screen's logical
// pixels: a window manager may round the window's size down by as much.
inline constexpr int kEdgeRoom = 2;

// The places of the output and formula areas in a window enlarged by `extra`
// beyond its designed size. The output area takes the extra room; in mode
// Libero the formula area takes a share of the extra width, in proportion to
// the two areas' widths, and the output area moves over by as much; it
// takes all the extra height too, and the command row (Vai, the spinner,
// copy, C and ?) goes down by as much to stay under it.
struct TextAreas {
  QRect theM, libe;
  int commandRowDown = 0;
};
TextAreas GrowTextAreas(const TextAreas& designed, QSize extra, bool libero);

// Scales design pixels to the screen by its logical resolution, so the window
// looks the same on a 96-dpi and on a high-dpi screen.
class ScreenScale {
 public:
  explicit ScreenScale(double logicalDpi) : factor_(logicalDpi / kDesignDpi) {}

  int operator()(int designPixels) const;
  QRect Rect(const Place& place) const;
  // The window's font: bold and monospaced, of the given character height.
  QFont Font(int designHeight) const;

 private:
  double factor_;
};

// Courier New where the system has it; elsewhere Liberation Mono, drawn to
// the same metrics, and failing that whatever monospaced font there is.
QString MonospaceFamily();

}  // namespace zifrel::layout
