// A parts-list grid's table through the data source "Qelvo": exporting a
// grid of 1,000, 10,000 and 100,000 rows (CREATE TABLE, one INSERT a row, the dBase
// file written as it goes), reading the file back through the host's table
// recordset, and sorting the table by a column through the driver.
//
// Needs the build's ODBC set-up in the environment (scripts/run-benchmarks.sh
// sets ODBCSYSINI and ODBCINI).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "bench/GridOwnerWnd.h"
#include "draft/tables/PartsListCtrl.h"
#include "draft/tables/PartsListOwner.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/WindowApi.h"

namespace {

// A grid of `rows` rows over eight columns: texts, integers and numbers.
struct Fixture {
  explicit Fixture(int rows) {
    std::string pattern = (std::filesystem::temp_directory_path() / "scrivel-bench-XXXXXX").string();
    dir = ::mkdtemp(pattern.data());
    file = (dir + "/table.dbf").c_str();
    owner = std::make_unique<COwnerWnd>();
    owner->Create();
    const char* names[] = {"序号", "代号", "名称", "数量", "材料", "单重", "总重", "备注"};
    const int types[] = {kFieldInteger, kFieldChar, kFieldChar, kFieldInteger,
                         kFieldChar,    kFieldFloat, kFieldFloat, kFieldChar};
    for (int i = 0; i < 8; ++i) owner->structure.Add(CFieldRecord(names[i], types[i], 24, kAlignCentre));
    owner->grid.SetColumns(owner->structure);
    CStringArray texts;
    CStringA row;
    for (int r = 0; r < rows; ++r) {
      row.Format("%d;GB/T %d-2000;螺栓 M%d;%d;Q235;%d.%02d;%d.5;o'k;x", r + 1, 5780 + r % 97, 8 + r % 12,
                 1 + r % 9, r % 50, r % 100, r % 700);
      texts.Add(row);
    }
    owner->grid.FillRows(texts);
  }
  ~Fixture() {
    owner->DestroyWindow();
    std::filesystem::remove_all(dir);
  }
  int Export() { return owner->grid.ExportTable(file, owner->structure, 2, 2, 0, -1, 0); }

  std::string dir;
  CStringA file;
  std::unique_ptr<COwnerWnd> owner;
};

// Message boxes (a failure) end the run with their text.
platform::ScopedMessageBoxHandler g_boxes([](const platform::MessageBoxRequest& r) {
  std::fprintf(stderr, "message: %s\n", CStringA(r.text).GetString());
  std::abort();
  return IDOK;
});

void BM_ExportTable(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    if (f.Export() != 2) state.SkipWithError("export failed");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ReadBackThroughRecordset(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  if (f.Export() != 2) state.SkipWithError("export failed");
  for (auto _ : state) {
    CStringArray rows;
    CFieldArray structure;
    if (!f.owner->grid.ReadDbfTable(f.file, rows, structure) || rows.GetSize() != state.range(0))
      state.SkipWithError("read failed");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SortTable(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  if (f.Export() != 2) state.SkipWithError("export failed");
  for (auto _ : state) {
    if (!f.owner->grid.SortTable(f.file, "单重", 1, f.owner->structure) ||
        f.owner->grid.GetItemCount() != state.range(0))
      state.SkipWithError("sort failed");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_ExportTable)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBackThroughRecordset)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortTable)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
