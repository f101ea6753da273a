// The tendon graph's axis dialog: the settings shown and taken back, the
// picture of each axis type, and a layer of no offered kind.
#include <gtest/gtest.h>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/LayerTable.h"
#include "draft/tables/AxisSelDlg.h"
#include "platform/gdi/Bitmap.h"
#include "platform/ui/ModalDriver.h"

namespace {

TEST(AxisSelDlgTest, ShowsTheSettingsAndTakesTheChosenOnes) {
  TendonGraphSettings given;
  given.axisType = 2;
  given.lineLayer = GetLineKindLayer(6);
  given.direction = 1;
  given.distribution = 0;
  CAxisSelDlg dlg(given, nullptr);
  platform::ScopedModalDriver driver([](platform::ModalSession& s) {
    EXPECT_EQ(s.CheckState(CAxisSelDlg::GetTypeButton(2)), BST_CHECKED);
    EXPECT_EQ(s.CheckState(CAxisSelDlg::GetTypeButton(1)), BST_UNCHECKED);
    EXPECT_EQ(s.Text(CAxisSelDlg::kLineKind), u"点划线");
    EXPECT_EQ(s.CheckState(CAxisSelDlg::kVertical), BST_CHECKED);
    EXPECT_EQ(s.CheckState(CAxisSelDlg::kMirrorHorizontal), BST_CHECKED);
    s.Click(CAxisSelDlg::GetTypeButton(7));
    s.Choose(CAxisSelDlg::kLineKind, 2);  // "虚线"
    s.Click(CAxisSelDlg::kHorizontal);
    s.Click(CAxisSelDlg::kNoMirror);
    s.Click(CAxisSelDlg::kClosed);
    s.Click(IDOK);
  });
  CModalDialogScope scope(nullptr);
  ASSERT_EQ(dlg.DoModal(), IDOK);
  const TendonGraphSettings& got = dlg.GetSettings();
  EXPECT_EQ(got.axisType, 7);
  EXPECT_EQ(got.lineLayer, GetLineKindLayer(5));
  EXPECT_EQ(got.direction, 0);
  EXPECT_EQ(got.distribution, 2);
  EXPECT_EQ(got.closed, 1);
}

TEST(AxisSelDlgTest, EachAxisTypeHasItsPictureAndOtherLayersShowAsThinLines) {
  CModalDialogScope scope(nullptr);
  for (int type = 0; type < 8; ++type) {
    CBitmap picture;
    EXPECT_TRUE(picture.LoadBitmap(CAxisSelDlg::GetTypeBitmap(type))) << type;
  }
  EXPECT_EQ(CAxisSelDlg::GetTypeBitmap(4), 659);
  EXPECT_EQ(CAxisSelDlg::GetLineKindIndex(GetLineKindLayer(12)), 1);
  EXPECT_EQ(CAxisSelDlg::GetLineKindIndex(GetLineKindLayer(8)), 4);
}

}  // namespace
