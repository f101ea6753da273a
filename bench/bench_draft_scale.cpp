// The drafting side at 1,000, 10,000 and 100,000 objects: whatever walks a
// whole drawing, table or file should cost the same per object at every
// size. Each benchmark reports "per_object", the time of one iteration over
// the number of objects it handled.
//
// The drawing: short lines in a square grid, two units apart, in a view
// large enough to show them all (device points are whole pixels).
// - Adding them to the view one by one, taking them out again one by one.
// - Selecting all of them and clearing the selection.
// - The delete and move commands driven through the command stack as a
//   host drives them (a window round everything, then the base and target
//   points of the move), and undoing and redoing the step they recorded.
// - The drawing file written, and the End-key snap (it looks over the whole
//   drawing).
// The tables: a parts-list data file of that many rows written and read (and
// read in the binary generation 98),
// a structure file of that many field lines written and read, and the
// parts-list grid filled with that many rows and read back as row texts, and
// a drawn table of that many rows: built, laid out in one column, written
// as a parts-list file and loaded back into the grid.
// The attributes: the attribute dialog opened on the drawing's attributes
// and closed again, over a template file of that many names, a default
// attribute file of that many entries and a drawing of that many attributes.
// The data source "Qelvo": a dBase table of that many records read into row
// texts and into the grid (through the host's table recordset), appended to
// the grid, read whole and sorted through the driver into the grid, and
// walked in rowsets with every column bound. These need the build's ODBC
// set-up in the environment (scripts/run-benchmarks.sh sets ODBCSYSINI and
// ODBCINI).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/GridOwnerWnd.h"
#include "draft/edit/DeleteCmd.h"
#include "draft/edit/MoveCopyCmd.h"
#include "draft/framework/CmdStack.h"
#include "draft/host/AttributeItems.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingFile.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TableCell.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TableRow.h"
#include "draft/host/UndoRecord.h"
#include "draft/tables/BillFontDef.h"
#include "draft/tables/DynamicBulkSet.h"
#include "draft/tables/PartsListCtrl.h"
#include "draft/tables/PartsListOwner.h"
#include "draft/regions/AttribInfoDlg.h"
#include "draft/tables/RowText.h"
#include "draft/tables/SqlText.h"
#include "draft/tables/TableFiles.h"
#include "platform/core/MessageBox.h"
#include "platform/odbc/Database.h"
#include "platform/odbc/DbaseFile.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/WindowApi.h"

namespace {

constexpr double kSpacing = 2.0;

// Message boxes (a failure) end the run with their text.
platform::ScopedMessageBoxHandler g_boxes([](const platform::MessageBoxRequest& r) {
  std::fprintf(stderr, "message: %s\n", CStringA(r.text).GetString());
  std::abort();
  return IDOK;
});

// A result that is not what the benchmark expects ends the run: the
// figures would mean nothing.
void Fail(const char* what) {
  std::fprintf(stderr, "failed: %s\n", what);
  std::abort();
}

void PerObject(benchmark::State& state, int64_t objects) {
  state.counters["per_object"] =
      benchmark::Counter(static_cast<double>(objects), benchmark::Counter::kIsIterationInvariantRate |
                                                           benchmark::Counter::kInvert);
}

// A scratch folder removed with the object.
struct ScratchFolder {
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "scrivel-bench-XXXXXX").string();
    path = ::mkdtemp(pattern.data());
  }
  ~ScratchFolder() { std::filesystem::remove_all(path); }
  std::string path;
};

// ---- The drawing.

// A view with its command stack; the settings are kept in memory.
struct Drawing {
  explicit Drawing(int count) : previous(SetSettingsBacking(std::make_unique<CMemorySettings>())) {
    side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const int pixels = static_cast<int>(side * kSpacing) + 40;
    view.SetClientSize(pixels, pixels);
    view.SetPan(-20, -20);  // drawing (0, 0) at device (20, pixels - 20)
    view.SetSnapModes(0);
    for (int i = 0; i < count; ++i) lines.push_back(NewLine(i));
  }
  ~Drawing() {
    stack.DeleteAll();
    SetSettingsBacking(std::move(previous));
  }
  CEntity* NewLine(int i) const {
    const double x = (i % side) * kSpacing, y = (i / side) * kSpacing;
    return ConstructLineEntity(0, nullptr, x, y, x + 1, y);
  }
  void AddAll() {
    for (CEntity* e : lines) view.AddEntityToView(e);
  }
  CPoint At(double x, double y) { return view.DrawingToClient(x, y); }
  void Click(double x, double y) { stack.OnLButton(0, At(x, y), &view); }
  // A window round the whole drawing, first corner lower left: it takes
  // what lies wholly inside.
  void WindowRoundEverything() {
    Click(-5, -5);
    Click(side * kSpacing + 5, side * kSpacing + 5);
  }
  int InDrawing() { return view.GetEntityList()->GetCount() + view.GetSelectionCount(); }

  std::unique_ptr<CSettingsBacking> previous;
  int side = 1;
  CDraftView view;
  CCmdStack stack;
  std::vector<CEntity*> lines;
};

void BM_AddEntities(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto d = std::make_unique<Drawing>(n);
    state.ResumeTiming();
    d->AddAll();
    state.PauseTiming();
    if (d->InDrawing() != n) Fail("not all added");
    d.reset();
    state.ResumeTiming();
  }
  PerObject(state, n);
}

void BM_RemoveEntities(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto d = std::make_unique<Drawing>(n);
    d->AddAll();
    state.ResumeTiming();
    for (CEntity* e : d->lines) d->view.RemoveEntity(e);  // handed back: no record names them
    state.PauseTiming();
    if (d->InDrawing() != 0) Fail("not all removed");
    for (CEntity* e : d->lines) delete e;
    d.reset();
    state.ResumeTiming();
  }
  PerObject(state, n);
}

void BM_SelectAllAndClear(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Drawing d(n);
  d.AddAll();
  CEntityList all;
  for (CEntity* e : d.lines) all.AddTail(e);
  for (auto _ : state) {
    d.view.SelectEntities(all, 0);
    if (d.view.GetSelectionCount() != n) Fail("not all selected");
    d.view.ClearSelection(nullptr);
    d.view.ClearDrawLog();
  }
  PerObject(state, n);
}

void BM_PickWindow(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Drawing d(n);
  d.AddAll();
  const double far = d.side * kSpacing + 5;
  for (auto _ : state) {
    CEntityList picked;
    d.view.PickEntitiesInWindow(-5, -5, far, far, picked, 1, 0, 0, 0, 0x402000, 4);
    if (picked.GetCount() != n) Fail("not all picked");
  }
  PerObject(state, n);
}

// The delete command over a window round everything, then undo and redo.
enum class Phase { kCommand, kUndo, kRedo };

void DeleteWindow(benchmark::State& state, Phase phase) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto d = std::make_unique<Drawing>(n);
    d->AddAll();
    if (phase == Phase::kCommand) state.ResumeTiming();
    d->stack.Push(&d->view, new CDeleteCmd(61));
    d->WindowRoundEverything();
    if (phase == Phase::kCommand) state.PauseTiming();
    if (d->InDrawing() != 0 || d->view.GetUndoCount() != 1) Fail("not all deleted");
    if (phase == Phase::kUndo) state.ResumeTiming();
    d->view.Undo();
    if (phase == Phase::kUndo) state.PauseTiming();
    if (d->InDrawing() != n) Fail("not all back");
    if (phase == Phase::kRedo) state.ResumeTiming();
    d->view.Redo();
    if (phase == Phase::kRedo) state.PauseTiming();
    if (d->InDrawing() != 0) Fail("not all deleted again");
    d.reset();
    state.ResumeTiming();
  }
  PerObject(state, n);
}
void BM_DeleteWindowCommand(benchmark::State& state) { DeleteWindow(state, Phase::kCommand); }
void BM_DeleteWindowUndo(benchmark::State& state) { DeleteWindow(state, Phase::kUndo); }
void BM_DeleteWindowRedo(benchmark::State& state) { DeleteWindow(state, Phase::kRedo); }

// The move command: a window round everything (with nothing left to pick
// the command goes on at once), the base point and the target; then undo
// and redo.
void MoveWindow(benchmark::State& state, Phase phase) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto d = std::make_unique<Drawing>(n);
    d->AddAll();
    if (phase == Phase::kCommand) state.ResumeTiming();
    d->stack.Push(&d->view, new CMoveCopyCmd(32, 1, 0, 5, 6, 0));
    d->WindowRoundEverything();  // nothing is left to pick: the base point is asked at once
    d->Click(0, 0);
    d->Click(0, 1);
    if (phase == Phase::kCommand) state.PauseTiming();
    if (d->InDrawing() != n) Fail("the drawing changed its size");
    if (d->view.GetUndoCount() != 1) Fail("no move recorded");
    if (static_cast<int>(d->view.GetLastUndoRecord()->GetNewEntities().size()) != n) Fail("not all moved");
    if (phase == Phase::kUndo) state.ResumeTiming();
    d->view.Undo();
    if (phase == Phase::kUndo) state.PauseTiming();
    if (phase == Phase::kRedo) state.ResumeTiming();
    d->view.Redo();
    if (phase == Phase::kRedo) state.PauseTiming();
    if (d->InDrawing() != n) Fail("the drawing changed its size");
    d.reset();
    state.ResumeTiming();
  }
  PerObject(state, n);
}
void BM_MoveWindowCommand(benchmark::State& state) { MoveWindow(state, Phase::kCommand); }
void BM_MoveWindowUndo(benchmark::State& state) { MoveWindow(state, Phase::kUndo); }
void BM_MoveWindowRedo(benchmark::State& state) { MoveWindow(state, Phase::kRedo); }

void BM_WriteDrawingFile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Drawing d(n);
  d.AddAll();
  ScratchFolder folder;
  const std::filesystem::path file = std::filesystem::path(folder.path) / "scale.drawing";
  for (auto _ : state) {
    if (!WriteDrawingFile(d.view, file)) Fail("not written");
  }
  PerObject(state, n);
}

void BM_SnapOnEndKey(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Drawing d(n);
  d.AddAll();
  const std::vector<PointRec> points;
  for (auto _ : state) {
    PointRec cursor;
    cursor.x = d.side;
    cursor.y = d.side;
    DWORD outX = 0, outY = 0, snapState = 0;
    if (!d.view.SnapOnEndKey(SnapOptions{}, 0, points, cursor, 0, outX, outY, 0, &snapState))
      Fail("no end point");
  }
  PerObject(state, n);
}

// ---- The tables.

const char* const kNames[] = {"序号", "代号", "名称", "数量", "材料", "单重", "总重", "备注"};
const int kTypes[] = {kFieldInteger, kFieldChar, kFieldChar, kFieldInteger,
                      kFieldChar,    kFieldFloat, kFieldFloat, kFieldChar};

void PartsListStructure(CFieldArray& fields) {
  for (int i = 0; i < 8; ++i) fields.Add(CFieldRecord(kNames[i], kTypes[i], 24, kAlignCentre));
}

void PartsListRows(int count, CStringArray& rows) {
  CStringA row;
  for (int r = 0; r < count; ++r) {
    row.Format("%d;GB/T %d-2000;螺栓 M%d;%d;Q235;%d.%02d;%d.5;o;;k", r + 1, 5780 + r % 97, 8 + r % 12, 1 + r % 9,
               r % 50, r % 100, r % 700);
    rows.Add(row);
  }
}

// A parts list of `count` rows and the file it goes to in a scratch folder.
struct PartsListScene {
  PartsListScene(int count, const char* name) : file(folder.path + "/" + name) {
    PartsListStructure(fields);
    PartsListRows(count, rows);
  }
  ScratchFolder folder;
  std::string file;
  CFieldArray fields;
  CStringArray rows;
};

// Reads the scene's file back whole on each iteration.
void ReadPartsListBack(benchmark::State& state, const PartsListScene& scene, int n) {
  for (auto _ : state) {
    CStringArray read;
    CFieldArray readFields;
    if (ReadPartsListFile(scene.file.c_str(), read, readFields) != TableFileRead::kRead || read.GetSize() != n)
      Fail("not read");
  }
  PerObject(state, n);
}

void BM_WritePartsListFile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const PartsListScene scene(n, "scale.lst");
  const std::string& file = scene.file;
  const CFieldArray& fields = scene.fields;
  const CStringArray& rows = scene.rows;
  for (auto _ : state) {
    if (!WritePartsListFile(file.c_str(), kPartsListMagic99, fields, rows)) Fail("not written");
  }
  PerObject(state, n);
}

void BM_ReadPartsListFile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const PartsListScene scene(n, "scale.lst");
  WritePartsListFile(scene.file.c_str(), kPartsListMagic99, scene.fields, scene.rows);
  ReadPartsListBack(state, scene, n);
}

// The same rows in a generation-98 (binary) file: each an int32 length and
// its bytes.
void BM_ReadPartsListFile98(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const PartsListScene scene(n, "scale98.lst");
  const CFieldArray& fields = scene.fields;
  const CStringArray& rows = scene.rows;
  auto int32 = [](int32_t v) {
    std::string b(4, '\0');
    for (int i = 0; i < 4; ++i) b[static_cast<size_t>(i)] = static_cast<char>(static_cast<uint32_t>(v) >> (8 * i));
    return b;
  };
  std::string bytes = std::string(kPartsListMagic98) + int32(static_cast<int32_t>(fields.GetSize()));
  for (INT_PTR i = 0; i < fields.GetSize(); ++i) {
    unsigned char record[CFieldRecord::kRecordBytes];
    fields[i].ToBytes(record);
    bytes.append(reinterpret_cast<const char*>(record), sizeof record);
  }
  for (INT_PTR i = 0; i < rows.GetSize(); ++i) bytes += int32(rows[i].GetLength()) + rows[i].str();
  if (FILE* f = std::fopen(scene.file.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  ReadPartsListBack(state, scene, n);
}

// A structure of `count` field lines (a table as wide as the other tables
// are long).
void WideStructure(int count, CFieldArray& fields) {
  CStringA name;
  for (int i = 0; i < count; ++i) {
    name.Format("字段%d", i);
    fields.Add(CFieldRecord(name.GetString(), kTypes[i % 8], 8 + i % 16, kAlignCentre));
  }
}

void BM_WriteStructureFile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  auto previous = SetSettingsBacking(std::make_unique<CMemorySettings>());
  ScratchFolder folder;
  const std::string file = folder.path + "/scale.def";
  CFieldArray fields;
  WideStructure(n, fields);
  for (auto _ : state) {
    if (!WriteStructureFileFields(file.c_str(), fields)) Fail("not written");
  }
  SetSettingsBacking(std::move(previous));
  PerObject(state, n);
}

void BM_ReadStructureFile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  auto previous = SetSettingsBacking(std::make_unique<CMemorySettings>());
  ScratchFolder folder;
  const std::string file = folder.path + "/scale.def";
  CFieldArray fields;
  WideStructure(n, fields);
  WriteStructureFileFields(file.c_str(), fields);
  for (auto _ : state) {
    CFieldArray read;
    if (ReadStructureFileFields(read, file.c_str(), 1) != 1 || read.GetSize() != n) Fail("not read");
  }
  SetSettingsBacking(std::move(previous));
  PerObject(state, n);
}

// A grid owner window for one benchmark, destroyed with it; its grid has
// the parts-list columns when `withColumns`.
struct GridScene {
  explicit GridScene(bool withColumns) {
    owner.Create();
    if (!withColumns) return;
    PartsListStructure(owner.structure);
    owner.grid.SetColumns(owner.structure);
  }
  ~GridScene() { owner.DestroyWindow(); }
  GridScene(const GridScene&) = delete;
  GridScene& operator=(const GridScene&) = delete;
  COwnerWnd owner;
};

void BM_FillPartsListGrid(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  GridScene scene(true);
  COwnerWnd& owner = scene.owner;
  CStringArray rows;
  PartsListRows(n, rows);
  for (auto _ : state) {
    owner.grid.FillRows(rows);
    if (owner.grid.GetItemCount() != n) Fail("not filled");
  }
  PerObject(state, n);
}

void BM_PartsListGridRowTexts(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  GridScene scene(true);
  COwnerWnd& owner = scene.owner;
  CStringArray rows;
  PartsListRows(n, rows);
  owner.grid.FillRows(rows);
  for (auto _ : state) {
    CStringArray texts;
    owner.grid.GetRowTexts(n, texts);
    if (texts.GetSize() != n) Fail("not read");
  }
  PerObject(state, n);
}

// A drawn parts list: a header row and `rows` rows of eight cells.
std::unique_ptr<CTableEntity> PartsListTable(int rows) {
  std::unique_ptr<CTableEntity> t(ConstructTableEntity(1, nullptr));
  CTableRow* header = ConstructTableRow(0);
  for (const char* name : kNames) AddRowCell(header, ConstructTableCell(name, 20, 10, 2));
  t->AddRow(header);
  CStringA text;
  for (int r = 0; r < rows; ++r) {
    CTableRow* row = ConstructTableRow(1);
    for (int c = 0; c < 8; ++c) {
      text.Format("%d-%d", r + 1, c);
      AddRowCell(row, ConstructTableCell(text, 20, 5, 2));
    }
    t->AddRow(row);
  }
  return t;
}

void BM_BuildTableEntity(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    auto t = PartsListTable(n);
    if (t->GetRowCount() != n + 1) Fail("rows missing");
    state.PauseTiming();
    t.reset();
    state.ResumeTiming();
  }
  PerObject(state, n);
}

void BM_PlaceTableEntity(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  auto t = PartsListTable(n);
  for (auto _ : state) {
    int remaining = t->GetCountedRowCount();
    if (!t->Place(0, 0, &remaining, 1e300)) Fail("not placed whole");
  }
  PerObject(state, n);
}

void BM_SaveTableEntityToFile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  auto t = PartsListTable(n);
  ScratchFolder folder;
  const std::string file = folder.path + "/table.lst";
  GridScene scene(false);
  for (auto _ : state) {
    if (!scene.owner.grid.SaveTableEntityToFile(t.get(), file.c_str())) Fail("not saved");
  }
  PerObject(state, n);
}

void BM_LoadGridFromTableEntity(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  auto previous = SetSettingsBacking(std::make_unique<CMemorySettings>());
  auto t = PartsListTable(n);
  {
    GridScene scene(false);
    for (auto _ : state) {
      CBillFontDef def;
      CFieldArray structure;
      scene.owner.grid.LoadFromTableEntity(def, t.get(), structure);
      if (scene.owner.grid.GetItemCount() != n) Fail("not loaded");
    }
  }
  SetSettingsBacking(std::move(previous));
  PerObject(state, n);
}

// ---- The attributes.

// The attribute dialog on the drawing's attributes: a template of `count`
// names, a default file of `count` entries ("名称N:值N") and a drawing of
// `count` attributes, half of them named as defaults.
void BM_OpenAttribDialog(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  auto previous = SetSettingsBacking(std::make_unique<CMemorySettings>());
  CSystemDataScratch scratch;
  {
    std::ofstream names(scratch.GetFolder() + "/Def/Attribute.Tab", std::ios::binary);
    std::ofstream defaults(scratch.GetFolder() + "/Table/Default_Attrib.Tab", std::ios::binary);
    for (int i = 0; i < n; ++i) {
      names << "name" << i << "\r\n";
      defaults << "default" << i << ":value" << i << "\r\n";
    }
  }
  CDraftView view;
  for (int i = 0; i < n; ++i) {
    const std::string name = (i % 2 ? "item" : "default") + std::to_string(i);
    AddAttributeItem(view.GetDrawingAttributeList(), name.c_str(), "字符串", "v", 1, 1);
  }
  int rows = 0, shownNames = 0;
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
    auto* dlg = m.As<CAttribInfoDlg>();
    rows = dynamic_cast<CListCtrl*>(dlg->GetDlgItem(CAttribInfoDlg::kAttribList))->GetItemCount();
    shownNames = dynamic_cast<CListBox*>(dlg->GetDlgItem(CAttribInfoDlg::kNameList))->GetCount();
    m.Click(CAttribInfoDlg::kExit);
  });
  for (auto _ : state) {
    CAttribInfoDlg dlg(nullptr, &view, nullptr);
    dlg.DoModal();
    if (rows != n + n / 2 || shownNames != n) Fail("not all shown");
  }
  SetSettingsBacking(std::move(previous));
  PerObject(state, n);
}

// ---- Tables of the data source.

// The parts list as the dBase table that exporting the grid makes of it
// (the same fields, types and values), written straight to its file so that
// setting up a hundred thousand records does not take one INSERT each.
struct DbfScene {
  explicit DbfScene(int count) : file((folder.path + "/scale.dbf").c_str()) {
    std::vector<platform::odbc::DbaseField> fields;
    for (int i = 0; i < 8; ++i) {
      platform::odbc::DbaseField f;
      f.name = kNames[i];
      f.type = kTypes[i] == kFieldChar ? 'C' : 'N';
      f.width = kTypes[i] == kFieldInteger ? 11 : kTypes[i] == kFieldFloat ? 15 : 24;
      f.decimals = kTypes[i] == kFieldFloat ? 2 : 0;
      fields.push_back(f);
    }
    std::string error, state;
    auto dbf = platform::odbc::DbaseFile::Create(file.GetString(), fields, error);
    if (!dbf) Fail(error.c_str());
    CStringArray rows, cells;
    PartsListRows(count, rows);
    std::vector<platform::odbc::DbaseValue> values(8);
    for (INT_PTR r = 0; r < rows.GetSize(); ++r) {
      SplitRowText(rows[r], cells);
      for (int c = 0; c < 8; ++c) values[static_cast<size_t>(c)] = {false, cells[c].str()};
      if (!dbf->AppendRecord(values, state, error)) Fail(error.c_str());
    }
  }
  ScratchFolder folder;
  CStringA file;
};

// That table with a grid owner window.
struct DbfGridScene : DbfScene, GridScene {
  DbfGridScene(int count, bool withColumns) : DbfScene(count), GridScene(withColumns) {}
};

void BM_ReadDbfTable(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  DbfGridScene scene(n, false);
  COwnerWnd& owner = scene.owner;
  for (auto _ : state) {
    CStringArray rows;
    CFieldArray structure;
    if (!owner.grid.ReadDbfTable(scene.file, rows, structure) || rows.GetSize() != n) Fail("not read");
  }
  PerObject(state, n);
}

void BM_LoadDbfIntoGrid(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  DbfGridScene scene(n, false);
  COwnerWnd& owner = scene.owner;
  for (auto _ : state) {
    CFieldArray structure;
    int rowCount = 0;
    if (!owner.grid.LoadDbfIntoList(scene.file, structure, rowCount, 1) || rowCount != n) Fail("not loaded");
  }
  PerObject(state, n);
}

void BM_AppendDbfRows(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  DbfGridScene scene(n, true);
  COwnerWnd& owner = scene.owner;
  for (auto _ : state) {
    state.PauseTiming();
    owner.grid.DeleteAllItems();
    state.ResumeTiming();
    if (!owner.grid.AppendDbfRows(scene.file) || owner.grid.GetItemCount() != n) Fail("not appended");
  }
  PerObject(state, n);
}

// Through the driver: the table loaded into the data source's database and
// its rows fetched value by value into the grid.
void BM_QueryAllDbf(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  DbfGridScene scene(n, true);
  COwnerWnd& owner = scene.owner;
  for (auto _ : state) {
    if (!owner.grid.QueryAll(scene.file, "*", owner.structure) || owner.grid.GetItemCount() != n)
      Fail("not queried");
  }
  PerObject(state, n);
}

void BM_SortDbfTable(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  DbfGridScene scene(n, true);
  COwnerWnd& owner = scene.owner;
  for (auto _ : state) {
    if (!owner.grid.SortTable(scene.file, "单重", 1, owner.structure) || owner.grid.GetItemCount() != n)
      Fail("not sorted");
  }
  PerObject(state, n);
}

// The bulk recordset over the whole table, 100 rows a rowset, every value
// looked at; a connection of its own each time, as the grid's queries
// have, so the table is loaded into the data source's database each time.
void BM_BulkSetWalk(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const DbfScene scene(n);
  const CStringA sql = "SELECT * FROM " + SqlTableName(scene.file);
  for (auto _ : state) {
    CDatabase db;
    if (!db.OpenEx("DSN=Qelvo")) Fail("no data source");
    CDynamicBulkSet rs(&db);
    rs.SetRowsetSize(100);
    if (!rs.Open(CRecordset::snapshot, sql, CRecordset::readOnly | CRecordset::useMultiRowFetch))
      Fail("not opened");
    int rows = 0;
    size_t bytes = 0;
    for (; !rs.IsEOF(); rs.MoveNext()) {
      for (DWORD r = 0; r < rs.GetRowsFetched(); ++r, ++rows)
        for (int c = 0; c < rs.GetColumnCount(); ++c) bytes += std::strlen(rs.GetValue(c, r));
    }
    benchmark::DoNotOptimize(bytes);
    if (rows != n) Fail("not walked");
  }
  PerObject(state, n);
}

#define SCALE_BENCHMARK(fn) \
  BENCHMARK(fn)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(0.1)

SCALE_BENCHMARK(BM_AddEntities);
SCALE_BENCHMARK(BM_RemoveEntities);
SCALE_BENCHMARK(BM_SelectAllAndClear);
SCALE_BENCHMARK(BM_PickWindow);
SCALE_BENCHMARK(BM_DeleteWindowCommand);
SCALE_BENCHMARK(BM_DeleteWindowUndo);
SCALE_BENCHMARK(BM_DeleteWindowRedo);
SCALE_BENCHMARK(BM_MoveWindowCommand);
SCALE_BENCHMARK(BM_MoveWindowUndo);
SCALE_BENCHMARK(BM_MoveWindowRedo);
SCALE_BENCHMARK(BM_WriteDrawingFile);
SCALE_BENCHMARK(BM_SnapOnEndKey);
SCALE_BENCHMARK(BM_WritePartsListFile);
SCALE_BENCHMARK(BM_ReadPartsListFile);
SCALE_BENCHMARK(BM_ReadPartsListFile98);
SCALE_BENCHMARK(BM_WriteStructureFile);
SCALE_BENCHMARK(BM_ReadStructureFile);
SCALE_BENCHMARK(BM_FillPartsListGrid);
SCALE_BENCHMARK(BM_PartsListGridRowTexts);
SCALE_BENCHMARK(BM_BuildTableEntity);
SCALE_BENCHMARK(BM_PlaceTableEntity);
SCALE_BENCHMARK(BM_SaveTableEntityToFile);
SCALE_BENCHMARK(BM_LoadGridFromTableEntity);
SCALE_BENCHMARK(BM_OpenAttribDialog);
SCALE_BENCHMARK(BM_ReadDbfTable);
SCALE_BENCHMARK(BM_LoadDbfIntoGrid);
SCALE_BENCHMARK(BM_AppendDbfRows);
SCALE_BENCHMARK(BM_QueryAllDbf);
SCALE_BENCHMARK(BM_SortDbfTable);
SCALE_BENCHMARK(BM_BulkSetWalk);

}  // namespace
