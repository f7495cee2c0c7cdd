#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "cli/command.h"
#include "schema/generator.h"

namespace zifrel::cli {

// genera --pdf FILE: the Schemas as a printable sheet. `levels` holds each
// Schema's level, 0 where it was not graded; those are graded here. The
// title line names the seed, or the date when the seed came from the clock.
// The PDF is drawn by zifrel-sheet, which lies beside zifrel-cli: linking Qt
// here would slow the start of every command. Returns the exit status.
int WriteSheet(std::span<const GeneratedSchema> schemas, std::span<const int> levels, std::int32_t seed,
               const std::string& file, Io& io);

}  // namespace zifrel::cli
