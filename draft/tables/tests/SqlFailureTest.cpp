// The grid's data-source work with each ODBC call failing in turn (through
// the platform's failure point, platform/odbc/CallFailure.h): an export
// keeps the old table byte for byte and reports; a read reports and leaves
// the grid as it was. A call that fails while the data source is reached
// turns ODBC off for the process, so every failing run is a child process
// of its own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "draft/host/DrawingSettings.h"
#include "draft/host/Settings.h"
#include "draft/tables/tests/GridTestSupport.h"
#include "platform/core/Charset.h"
#include "platform/core/tests/ScratchFolder.h"
#include "platform/core/tests/WriteFailureSweep.h"
#include "platform/odbc/CallFailure.h"

using platform::odbc::ScopedSqlFailure;

namespace {

class SqlFailureTest : public gridtest::GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>());
    settings_.SetSystemReal(kSystemDecimals, 2);
    owner.grid.SetDrawingSettings(&settings_);
  }
  void TearDown() override {
    SetSettingsBacking(std::move(previous_));
    GridTest::TearDown();
  }
  CStringA Path(const char* name) const { return CStringA(platform::Utf8ToGbk(folder_ / name).c_str()); }
  void Typed(const std::vector<const char*>& rows) {
    Load(owner, {"名称", "件数", "重量"}, rows);
    owner.structure[1].type = kFieldInteger;
    owner.structure[2].type = kFieldFloat;
  }
  // Runs `work` once counting its calls, then once with each call failing
  // in a child process, where `check` (given the work's result and the
  // name of the call that failed) says what is wrong, or nothing. Prints a
  // line per call: its number, its function and how the work ended.
  void SweepCalls(const char* name, const std::function<void()>& reset, const std::function<bool()>& work,
                  const std::function<std::string(bool ok)>& check) {
    int calls = 0;
    {
      reset();
      boxes.clear();
      auto count = ScopedSqlFailure::None();
      ASSERT_TRUE(work()) << name << ": the work fails with nothing failing";
      ASSERT_TRUE(boxes.empty()) << name << ": " << boxes[0].GetString();
      calls = count.Calls();
    }
    ASSERT_GT(calls, 0) << name;
    const std::string log = logs_ / "calls.log";
    // The failing run, in the child: exits 0 when the check holds.
    auto child = [&](int k) {
      reset();
      boxes.clear();
      std::string failed;
      bool ok = false;
      {
        auto failure = ScopedSqlFailure::AtCall(k);
        ok = work();
        failed = failure.FailedCall();
      }
      const std::string why = failed.empty() ? "no call failed" : check(ok);
      std::ofstream(log, std::ios::app) << k << " " << failed << " " << (ok ? "done" : "refused") << " "
                                        << (boxes.empty() ? "" : platform::GbkToUtf8(boxes[0].GetString())) << "\n";
      if (!why.empty()) std::fprintf(stderr, "%s, call %d (%s): %s\n", name, k, failed.c_str(), why.c_str());
      std::fflush(nullptr);
      ::_exit(why.empty() ? 0 : 1);
    };
    for (int k = 0; k < calls; ++k) EXPECT_EXIT(child(k), ::testing::ExitedWithCode(0), "") << name << ", call " << k;
    std::printf("%s: %d calls\n%s", name, calls, testsupport::FileBytes(log).c_str());
    std::remove(log.c_str());
    reset();
  }

  CDrawingSettings settings_;
  testsupport::ScratchFolder folder_{"scrivel-sqlfail"};
  testsupport::ScratchFolder logs_{"scrivel-sqlfail-log"};  // the children's lines, kept apart from the tables
  std::unique_ptr<CSettingsBacking> previous_;
};

TEST_F(SqlFailureTest, AnExportKeepsTheOldTableAndReports) {
  GTEST_FLAG_SET(death_test_style, "fast");
  const CStringA file = Path("parts.dbf");
  Typed({"螺栓;4;1.25", "垫圈;8;0.5"});
  ASSERT_EQ(owner.grid.ExportTable(file, owner.structure, 2, 2, 0, -1, 0), 2);
  const std::string old = testsupport::FileBytes(folder_ / "parts.dbf");
  Typed({"螺母;6;0.75", "开口销;2;0.1", "键;1;2"});
  auto reset = [&] { testsupport::PutFileBytes(folder_ / "parts.dbf", old); };
  reset();
  const auto before = testsupport::FolderFiles(folder_.path());
  std::map<std::string, std::string> written;
  {
    ASSERT_EQ(owner.grid.ExportTable(file, owner.structure, 2, 2, 0, -1, 0), 2);
    written = testsupport::FolderFiles(folder_.path());
  }
  SweepCalls(
      "export", reset, [&] { return owner.grid.ExportTable(file, owner.structure, 2, 2, 0, -1, 0) == 2; },
      [&](bool ok) -> std::string {
        const auto after = testsupport::FolderFiles(folder_.path());
        if (ok) return after == written ? "" : "success reported over a table not written whole";
        std::string why;
        if (boxes.empty()) why += "not reported; ";
        if (after != before) why += "the folder changed; ";
        return why;
      });
}

// Each read is run on a grid of other rows; a failure must leave them.
TEST_F(SqlFailureTest, AReadReportsAndFillsNothing) {
  GTEST_FLAG_SET(death_test_style, "fast");
  const CStringA file = Path("parts.dbf");
  Typed({"螺栓;4;1.25", "垫圈;8;0.5", "螺母;6;0.75"});
  ASSERT_EQ(owner.grid.ExportTable(file, owner.structure, 2, 2, 0, -1, 0), 2);
  const std::vector<const char*> shown = {"甲;1;1", "乙;2;2"};
  CArray<int, int> totalColumns;
  totalColumns.Add(1);
  totalColumns.Add(2);
  const struct {
    const char* name;
    std::function<BOOL()> read;
  } reads[] = {
      {"query all", [&] { return owner.grid.QueryAll(file, "*", owner.structure); }},
      {"sort", [&] { return owner.grid.SortTable(file, "件数", 1, owner.structure); }},
      {"query column", [&] { return owner.grid.QueryColumn(file, "件数*重量", 2, owner.structure); }},
      {"totals", [&] { return owner.grid.QueryTotals(file, "SUM(件数),SUM(重量)", totalColumns, owner.structure); }},
      {"look up a row", [&] { return owner.grid.LookupRow(file, "名称", "垫圈", 1, owner.structure); }},
  };
  for (const auto& r : reads) {
    auto reset = [&] { Typed(shown); };
    reset();
    const auto before = gridtest::RowTexts(owner.grid);
    ASSERT_TRUE(r.read()) << r.name;
    const auto filled = gridtest::RowTexts(owner.grid);
    ASSERT_NE(filled, before) << r.name;
    SweepCalls(r.name, reset, [&] { return r.read() != FALSE; }, [&](bool ok) -> std::string {
      const auto after = gridtest::RowTexts(owner.grid);
      if (ok) return after == filled ? "" : "success reported over a grid not filled whole";
      std::string why;
      if (boxes.empty()) why += "not reported; ";
      if (after != before) why += "the grid changed; ";
      return why;
    });
  }
}

}  // namespace
