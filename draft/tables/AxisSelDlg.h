// The axis dialog of the tendon graph (template 404, "选择坐标轴"): eight
// push-like picture radios for the axis type (406 to 409 for types 0 to 3,
// 415 to 418 for the exchanged types 4 to 7, bitmaps 652 to 655 and 659 to
// 662), the line kind of the tendon lines (combo 410: "粗实线", "细实线",
// "虚线", "点划线", "双点划线" for line kinds 1, 2, 5, 6 and 8; a layer of
// no such kind shows as "细实线"), the direction of the stations (411
// "水平", 412 "垂直"), the distribution (419 "水平对称", 420 "垂直对称",
// 421 "不对称") and the closed check 648.
#pragma once

#include "draft/host/TendonGraphEntity.h"
#include "platform/gdi/Bitmap.h"
#include "platform/ui/Dialog.h"

class CAxisSelDlg : public CDialog {
 public:
  enum { IDD = 404 };
  enum ControlId {
    kLineKind = 410, kHorizontal = 411, kVertical = 412, kMirrorHorizontal = 419, kMirrorVertical = 420,
    kNoMirror = 421, kClosed = 648,
  };
  // The picture radio of an axis type (0..7), and its bitmap.
  static int GetTypeButton(int type);
  static int GetTypeBitmap(int type);
  // The combo entry of a layer (1, "细实线", for a layer of no offered
  // kind) and the layer of an entry.
  static int GetLineKindIndex(int layer);
  static int GetLineKindLayerOf(int index);

  CAxisSelDlg(const TendonGraphSettings& settings, CWnd* parent);

  // The settings as chosen (as given until OK).
  const TendonGraphSettings& GetSettings() const { return settings_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  TendonGraphSettings settings_;
  CBitmap pictures_[8];
};
