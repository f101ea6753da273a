// The program folder: the application's, or the one a host names.
#include <gtest/gtest.h>

#include "draft/host/ProgramFolder.h"

TEST(ProgramFolder, AHostNamesItsOwnAndGetsTheApplicationsBack) {
  const CStringA own = GetProgramFolder();
  EXPECT_EQ(own.Right(1), "/");
  SetProgramFolder("/tmp/run-7");
  EXPECT_EQ(GetProgramFolder(), "/tmp/run-7/");
  SetProgramFolder(nullptr);
  EXPECT_EQ(GetProgramFolder(), own);
}
