// Drawing printed sheets: 100 generated Schemas with their levels and keys
// as a PDF, the work zifrel-sheet does after its start-up.
// Run: build/release/bench/zifrel_sheet_bench
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "deduce/explain.h"
#include "generate/generator.h"
#include "sheet/sheet_drawing.h"
#include "sheet/sheet_pdf.h"

namespace zifrel {
namespace {

SheetDocument GeneratedSheet(int count) {
  GeneratorState generator;
  StartRandomSource(generator, 3);
  SchemaGenerator schemas(generator);
  StopFlag stop;
  SheetDocument document{SeedNote(3), {}};
  for (int i = 0; i < count; ++i) {
    const GeneratedSchema schema = *schemas.GenerateSchema(999, std::nullopt, stop);
    CellTexts cells;
    for (int k = 0; k < kCellCount; ++k) cells.Set(k, schema.cells[k]);
    document.schemas.push_back({schema.cells, schema.ops, schema.grid, Grade(cells, schema.ops, stop).level});
  }
  return document;
}

void BM_SheetPdf(benchmark::State& state) {
  const SheetDocument document = GeneratedSheet(static_cast<int>(state.range(0)));
  std::size_t bytes = 0;
  for (auto _ : state) bytes = SheetPdf(document).size();
  state.counters["pages"] = SheetPageCount(document);
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SheetPdf)->Arg(6)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zifrel

// Qt's fonts need an application, on the platform zifrel-sheet uses.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
