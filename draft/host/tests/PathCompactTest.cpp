// Paths compacted for captions: start and file name kept, whole GBK
// characters only.
#include <gtest/gtest.h>

#include "draft/host/PathCompact.h"

TEST(PathCompact, LongPathsKeepTheirStartAndFileName) {
  struct Case {
    const char* path;
    int limit;
    const char* want;
  };
  const Case cases[] = {
      {"C:\\a\\b.dbf", 40, "C:\\a\\b.dbf"},
      {"C:\\tables\\2026\\steel\\schedule.dbf", 24, "C:\\table...\\schedule.dbf"},
      {"C:\\表格\\钢筋\\明细.dbf", 17, "C:\\表...\\明细.dbf"},
      {"C:\\表格钢筋\\x.dbf", 15, "C:\\表...\\x.dbf"},  // a character is not cut in two
      {"C:\\d\\averyveryverylongname.dbf", 12, "...gname.dbf"},
      {"钢筋钢筋钢筋钢筋.dbf", 10, "...筋.dbf"},
      {"", 40, ""},
  };
  for (const Case& c : cases) {
    const CStringA got = CompactPath(c.path, c.limit);
    EXPECT_EQ(got, c.want) << c.path;
    EXPECT_LE(got.GetLength(), c.limit) << c.path;
  }
}
