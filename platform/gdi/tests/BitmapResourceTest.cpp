// Bitmaps loaded from resources: declared pixels, a PNG file beside the
// module's file, and files that are missing or not PNG.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/core/Module.h"
#include "platform/core/ScopedResourceModule.h"
#include "platform/gdi/tests/GdiTestSupport.h"

namespace {

platform::ResourceSet Resources() {
  using namespace platform::rc;
  platform::ResourceSet r;
  r.Add(Bitmap(225).Art({"#.", ".#"}, {{'#', RGB(0, 0, 128)}, {'.', RGB(255, 255, 0)}}));
  r.Add(Bitmap(226).Png(u"gdi_test_bitmap.png"));
  r.Add(Bitmap(227).Png(u"gdi_test_missing.png"));
  r.Add(Bitmap(228).Png(u"gdi_test_garbage.png"));
  return r;
}

const platform::ModuleRegistration g_module(u"GdiTest.DLL", Resources());

TEST(BitmapResource, LoadsDeclaredPixelsAndPngFiles) {
  platform::ScopedResourceModule use(g_module.Handle());
  const std::filesystem::path folder = platform::ModuleFile(g_module.Handle()).parent_path();
  gdi_test::Canvas source(3, 2, RGB(10, 20, 30));
  source.surface.Raster().MutablePixels().SetColor(2, 1, RGB(200, 100, 50));
  ASSERT_TRUE(source.surface.WritePng((folder / "gdi_test_bitmap.png").string()));
  {
    std::ofstream garbage(folder / "gdi_test_garbage.png", std::ios::binary);
    garbage << "not a picture";
  }

  gdi_test::Canvas c(10, 10);
  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(&c.dc));
  CBitmap art;
  ASSERT_TRUE(art.LoadBitmap(225));
  BITMAP bm{};
  art.GetBitmap(&bm);
  EXPECT_EQ(bm.bmWidth, 2);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  CBitmap* old = memory.SelectObject(&art);
  EXPECT_EQ(memory.GetPixel(0, 0), RGB(0, 0, 128));
  EXPECT_EQ(memory.GetPixel(1, 0), RGB(255, 255, 0));

  CBitmap file;
  ASSERT_TRUE(file.LoadBitmap(reinterpret_cast<LPCWSTR>(ULONG_PTR{226})));
  memory.SelectObject(&file);
  EXPECT_EQ(memory.GetPixel(0, 0), RGB(10, 20, 30));
  EXPECT_EQ(memory.GetPixel(2, 1), RGB(200, 100, 50));
  memory.SelectObject(old);

  CBitmap missing, garbage, unknown, named;
  EXPECT_FALSE(missing.LoadBitmap(227));
  EXPECT_FALSE(garbage.LoadBitmap(228));
  EXPECT_FALSE(unknown.LoadBitmap(9999));
  EXPECT_FALSE(named.LoadBitmap("NAMED"));
  EXPECT_EQ(missing.m_hObject, nullptr);

  std::filesystem::remove(folder / "gdi_test_bitmap.png");
  std::filesystem::remove(folder / "gdi_test_garbage.png");
}

}  // namespace
