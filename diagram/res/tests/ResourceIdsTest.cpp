// Every string, dialog, menu, tool bar, cursor and icon that the library's
// sources load by id is among the library's resources, or among the
// framework's where the loading searches them too.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "diagram/res/DiagramResources.h"
#include "diagram/res/tests/ResourceLoadScan.h"
#include "platform/core/FrameworkResources.h"
#include "platform/core/ResourceModule.h"

namespace {

using platform::ResourceType;

std::filesystem::path DiagramFolder() {
  const char* data = ::getenv("SCRIVEL_TEST_DATA");
  return data ? std::filesystem::path(data) : std::filesystem::path();
}

resscan::ScanResult ScanLibrary() {
  return resscan::ScanSources(DiagramFolder(), {"tests", "testsupport", "fuzz"});
}

// The ids that reach a loader only from the host, where the sources cannot
// tell them: "file|loader|argument". A new one fails until it is looked at.
const std::set<std::string> kPassedOn = {
    // The host's own tool bars, by the ids it gives the frame.
    "diagram/ui/FrameBarSupport.cpp|LoadString|resourceId",
    "diagram/ui/FrameBarSupport.cpp|LoadToolBar|resourceId",
    // The explanations a host may set for the grid dialog (none by default).
    "diagram/ui/GridSizeDlg.cpp|LoadString|ids[i]",
};

bool Exists(const platform::ResourceSet& library, ResourceType type, unsigned id) {
  if (library.Contains(type, id)) return true;
  const platform::FoundResources found = platform::FindResources(type, id);
  return found && found.module == platform::FrameworkResourceModule();
}

TEST(DiagramResources, EveryIdTheSourcesLoadExists) {
  ASSERT_FALSE(DiagramFolder().empty()) << "SCRIVEL_TEST_DATA names the diagram folder";
  const resscan::ScanResult scan = ScanLibrary();
  const platform::ResourceSet library = BuildDiagramResources();
  std::set<ResourceType> kinds;
  for (const resscan::Load& load : scan.loads) {
    kinds.insert(load.type);
    EXPECT_TRUE(Exists(library, load.type, load.id))
        << resscan::TypeName(load.type) << " " << load.id << " asked for by " << load.where;
  }
  // The scan sees every kind of loading the library does.
  for (ResourceType kind : {ResourceType::String, ResourceType::Dialog, ResourceType::Menu, ResourceType::ToolBar,
                            ResourceType::Cursor, ResourceType::Icon}) {
    EXPECT_TRUE(kinds.count(kind)) << "no " << resscan::TypeName(kind) << " load found";
  }
  for (const resscan::PassedOn& site : scan.passedOn) {
    EXPECT_TRUE(kPassedOn.count(site.file + "|" + site.loader + "|" + site.argument))
        << site.file << ": " << site.loader << " loads an id the scan cannot tell: " << site.argument;
  }
}

TEST(DiagramResources, TheScanResolvesIdsThroughNamesTablesMembersAndReturns) {
  const resscan::ScanResult scan = resscan::ScanTexts({
      {"lib/Ids.h", "#define IDS_HELLO 101\nenum { IDD = 202 };\n"},
      {"lib/Dlg.h", "#include \"lib/Ids.h\"\nclass CDlg { enum { IDD = 303 }; };\n"},
      {"lib/Dlg.cpp",
       "#include \"lib/Dlg.h\"\n"
       "constexpr UINT kTable[] = {IDS_HELLO, 104};\n"
       "CDlg::CDlg() : CDialog(IDD, nullptr), m_nMenu(kMenu) {}  // CDialog(999)\n"
       "void CDlg::Go(UINT passed) {\n"
       "  text.LoadString(kTable[n - 1]);\n"
       "  menu.LoadMenu(m_nMenu);\n"
       "  ::LoadCursor(nullptr, IDC_ARROW);\n"
       "  LoadCursorForTool(405, TRUE);\n"
       "  CPropertySheet sheet(Caption(), this);\n"
       "  CPropertySheet other(u\"Text\", this);\n"
       "  LoadIcon(module, MAKEINTRESOURCE(passed));\n"
       "}\n"
       "constexpr UINT kMenu = 505;\n"
       "UINT CDlg::Caption() { return 606; }\n"
       "UINT CDerived::Caption() { return kMenu; }\n"},
  });
  std::multiset<std::pair<ResourceType, unsigned>> loads;
  for (const resscan::Load& load : scan.loads) loads.insert({load.type, load.id});
  const std::multiset<std::pair<ResourceType, unsigned>> expected = {
      {ResourceType::Dialog, 303}, {ResourceType::String, 101}, {ResourceType::String, 104},
      {ResourceType::Menu, 505},   {ResourceType::String, 606}, {ResourceType::String, 505}};
  EXPECT_EQ(loads, expected);
  ASSERT_EQ(scan.passedOn.size(), 1u);
  EXPECT_EQ(scan.passedOn[0].file, "lib/Dlg.cpp");
  EXPECT_EQ(scan.passedOn[0].argument, "passed");
}

}  // namespace
