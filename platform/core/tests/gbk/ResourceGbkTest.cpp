// Resources declared and loaded from the multibyte build: narrow literals
// here are GBK bytes.
#include <gtest/gtest.h>

#include "platform/core/Module.h"
#include "platform/core/ResourceModule.h"
#include "platform/core/ScopedResourceModule.h"
#include "platform/core/String.h"

using namespace platform::rc;

namespace {

TEST(GbkResources, NarrowTextsAreGbkAndEqualTheWideOnes) {
  platform::DialogTemplate d = Dialog(152, "正多边形边数", {0, 0, 160, 70})
                                   .LText(u8"边数", IDC_STATIC, {10, 12, 30, 8})
                                   .ComboBox(1073, {10, 45, 60, 60}, CBS_DROPDOWNLIST)
                                   .Items(1073, {"逆时针方向", u"顺时针方向"});
  EXPECT_EQ(d.caption, u"正多边形边数");
  EXPECT_EQ(d.controls[0].text, u"边数");
  EXPECT_EQ(d.InitialItems(1073), (std::vector<std::u16string>{u"逆时针方向", u"顺时针方向"}));
}

TEST(GbkResources, LoadStringAndModuleNamesInTheMultibyteBuild) {
  platform::ResourceSet r;
  r.Strings({{1001, "删除行\n删除行"}});
  platform::ModuleRegistration module("图形库.DLL", std::move(r));
  EXPECT_EQ(GetModuleHandle("图形库.dll"), module.Handle());
  CString text;
  {
    platform::ScopedResourceModule scope("图形库");
    ASSERT_TRUE(scope.IsActive());
    ASSERT_TRUE(text.LoadString(1001));
  }
  EXPECT_EQ(text, CString("删除行\n删除行"));
  EXPECT_EQ(text.Find('\n'), 6);
  EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
}

}  // namespace
