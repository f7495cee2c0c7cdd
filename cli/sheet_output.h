#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "cli/command.h"
#include "generate/generator.h"

namespace zifrel::cli {

// genera --pdf FILE: the Schemas as a printable sheet, under a title line
// that names the seed. `level` is the level every Schema has, or 0 to grade
// each here. The PDF is drawn by zifrel-sheet, which lies beside zifrel-cli:
// linking Qt here would slow the start of every command. zifrel-cli writes
// it into `file` ("-": standard output) as a SheetTarget does. Returns the
// exit status.
int WriteSheet(std::span<const GeneratedSchema> schemas, int level, std::int32_t seed, const std::string& file, Io& io);

}  // namespace zifrel::cli
