#include "schema/op_combo_table.h"

#include <array>
#include <cstdint>

namespace zifrel {
namespace {

// One 64-bit mask per row combination o1 o2 o3 (in code order); bit i is the
// verdict for the column operators with 16*o4 + 4*o5 + o6 = i.
constexpr std::array<std::uint64_t, 64> kAdmittedColumns = {
    0x00AA04AAAA00AA01u,  // × × ×
    0x40CE00CECCCEEEECu,  // × × +
    0x44CC0000CCCCEAEAu,  // × × ÷
    0x44CC0044C8CCEEE6u,  // × × -
    0x40AA00AAAA10AA00u,  // × + ×
    0x04CE40CECCCCEECEu,  // × + +
    0x44440000CCCCAEAEu,  // × + ÷
    0x444400448CCCEE6Eu,  // × + -
    0x44FB0004FE110100u,  // × ÷ ×
    0x44400000EEFFECFFu,  // × ÷ +
    0x44440000EECCEAEAu,  // × ÷ ÷
    0x44440000EEFBE6FFu,  // × ÷ -
    0x44FB0000FE110000u,  // × - ×
    0x44040044CCFFCEFFu,  // × - +
    0x44440000CCCCAEAEu,  // × - ÷
    0x44440000CC8C6EFFu,  // × - -
    0x3B33B3BB3B103B00u,  // + × ×
    0x0002088A08002A02u,  // + × +
    0xCCCCCC00CCC8E6EEu,  // + × ÷
    0xCCCCCC44C4C4EEEEu,  // + × -
    0x33333BBB3B013B10u,  // + + ×
    0x8002008A08202A00u,  // + + +
    0x44444400CC8C6EEEu,  // + + ÷
    0x444444444C4CEEEEu,  // + + -
    0xFFBBFFB310110000u,  // + ÷ ×
    0x4403444F0C111F11u,  // + ÷ +
    0x44440000EACCFFE6u,  // + ÷ ÷
    0x44440000E6F7FFFFu,  // + ÷ -
    0xFF33FF3B01111100u,  // + - ×
    0x4483444F2C111F11u,  // + - +
    0x444400008CCCFF6Eu,  // + - ÷
    0x444400004C4CFFFFu,  // + - -
    0x3333BABA33110000u,  // ÷ × ×
    0x3233BBB933330033u,  // ÷ × +
    0x2288AA84228821AAu,  // ÷ × ÷
    0x3333BBB332330033u,  // ÷ × -
    0x3333ABAB11110000u,  // ÷ + ×
    0x2333BB9B11110011u,  // ÷ + +
    0x2288AA80228820AAu,  // ÷ + ÷
    0x3333BB7F01330033u,  // ÷ + -
    0x33BBBABA11110000u,  // ÷ ÷ ×
    0x33BAB9FF11110000u,  // ÷ ÷ +
    0x33CC040033CC0001u,  // ÷ ÷ ÷
    0x33FFB3FF111E0000u,  // ÷ ÷ -
    0x3333ABAB11110000u,  // ÷ - ×
    0x33239BFF11110000u,  // ÷ - +
    0x33CC800033CC0020u,  // ÷ - ÷
    0x33FF7BFF110D0000u,  // ÷ - -
    0x3332B9BB33111100u,  // - × ×
    0x3131BBBB33331133u,  // - × +
    0xCCC8CC00CCCCECEEu,  // - × ÷
    0x0304CF44010C113Fu,  // - × -
    0x33239BBB11111100u,  // - + ×
    0x1313BBBB11111111u,  // - + +
    0xCC04CC00CCCCDFEEu,  // - + ÷
    0x0384CF44210C113Fu,  // - + -
    0xFEBBFFB911110000u,  // - ÷ ×
    0xFDB9FFFF11110000u,  // - ÷ +
    0x4B440000FFCCFFECu,  // - ÷ ÷
    0x07440000110D0000u,  // - ÷ -
    0x2333FF9B11110000u,  // - - ×
    0x1313FFFF11110000u,  // - - +
    0x07440000FFCCFFDEu,  // - - ÷
    0x83440000112C0000u,  // - - -
};

constexpr std::array<std::uint8_t, 4096> BuildTable() {
  std::array<std::uint8_t, 4096> table{};
  for (int code = 0; code < 4096; ++code) table[code] = (kAdmittedColumns[code / 64] >> (code % 64)) & 1;
  return table;
}

// Built by the compiler, so nothing is computed when the program runs.
constexpr std::array<std::uint8_t, 4096> kOpComboTable = BuildTable();

}  // namespace

bool IsAdmittedCode(int code) { return code >= 0 && code < 4096 && kOpComboTable[code] != 0; }

bool IsAdmitted(const OpCodes& ops) { return IsAdmittedCode(OpComboCode(ops)); }

}  // namespace zifrel
