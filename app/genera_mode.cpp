#include <array>
#include <optional>
#include <string>

#include "app/genera.h"
#include "generate/generator.h"
#include "schema/schema_lines.h"

namespace zifrel {

// Mode Genera: generate a Schema with exactly one solution and publish it in
// the cells, the operator buttons, CurrentOps and the output area. A stopped
// job publishes nothing, so the window keeps what it held.
void Genera::RunGenera() {
  Session& s = session();
  SchemaGenerator generator(s.generator);
  const std::optional<OpCodes> fixedOps =
      request_.source == OperatorSource::kFixed ? std::optional<OpCodes>(request_.ops) : std::nullopt;
  const std::optional<GeneratedSchema> schema = generator.GenerateSchema(request_.max, fixedOps, s.StopRequested);
  if (!schema) return;

  // Written and read back in one hand-over, so the lines show exactly what
  // the cells hold, whatever the user types while the job finishes.
  std::array<std::string, kCellCount> shown;
  OpCodes shownOps{};
  const bool published = OnWindow([&](WindowModel& w) {
    for (int k = 0; k < kCellCount; ++k) w.Ed[k].SetText(schema->cells[k]);
    for (int i = 0; i < kOperatorCount; ++i) {
      w.CurrentOps[i] = schema->ops[i];
      w.Bo[i].caption = OperatorGlyph(schema->ops[i]);
    }
    for (int k = 0; k < kCellCount; ++k) shown[k] = w.Ed[k].Text();
    shownOps = w.CurrentOps;
  });
  if (!published) return;  // the window is gone

  CellStrings cells;
  for (int k = 0; k < kCellCount; ++k) cells[k] = shown[k];
  for (const std::string& line : SchemaLines(cells, shownOps, " ")) AppendLine(line);
}

}  // namespace zifrel
