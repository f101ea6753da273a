#include "draft/tables/BillFontDef.h"

#include <cstdlib>

#include "draft/host/Settings.h"
#include "draft/host/TextAttrib.h"

namespace {

const char kSection[] = "CBillFontDef";

BYTE ReadByte(const char* key, int defaultValue) {
  return static_cast<BYTE>(GetProfileIntSetting(kSection, key, defaultValue));
}

double ReadReal(const char* key, const char* defaultText) {
  return std::atof(GetProfileStringSetting(kSection, key, defaultText));
}

void WriteReal(const char* key, double value) {
  CStringA text;
  text.Format("%lf", value);
  WriteProfileStringSetting(kSection, key, text);
}

}  // namespace

CBillFontDef::CBillFontDef()
    : m_bBTHave(1),
      m_nBTCFont(1),
      m_nBTEFont(1),
      m_szBTttName("宋体"),
      m_szBTShxFontName("txt.shx"),
      m_szBTShxBigFontName("morvane.shx"),
      m_fBTHeight(7.0),
      m_fBTChrHeight(3.5),
      m_fBTChrSpace(0.0),
      m_nBTSort(1),
      m_bBGHave(1),
      m_nBGCFont(1),
      m_nBGEFont(1),
      m_szBGttName("宋体"),
      m_szBGShxFontName("txt.shx"),
      m_szBGShxBigFontName("morvane.shx"),
      m_fBGHeight(7.0),
      m_fBGChrHeight(3.5),
      m_fBGChrSpace(0.0),
      m_nFontStyle(2) {}

void CBillFontDef::Read() {
  m_bBTHave = ReadByte("m_bBTHave", 0);
  m_nBTCFont = ReadByte("m_nBTCFont", 1);
  m_nBTEFont = ReadByte("m_nBTEFont", 1);
  m_szBTttName = GetProfileStringSetting(kSection, "m_szBTttName", "宋体");
  m_szBTShxFontName = GetProfileStringSetting(kSection, "m_szBTShxFontName", "txt.shx");
  m_szBTShxBigFontName = GetProfileStringSetting(kSection, "m_szBTShxBigFontName", "morvane.shx");
  m_fBTHeight = ReadReal("m_fBTHeight", "7.0");
  m_fBTChrHeight = ReadReal("m_fBTChrHeight", "3.5");
  m_fBTChrSpace = ReadReal("m_fBTChrSpace", "0");
  m_nBTSort = GetProfileIntSetting(kSection, "m_nBTSort", 1);
  m_bBGHave = ReadByte("m_bBGHave", 1);
  m_nBGCFont = ReadByte("m_nBGCFont", 1);
  m_nBGEFont = ReadByte("m_nBGEFont", 1);
  m_szBGttName = GetProfileStringSetting(kSection, "m_szBGttName", "宋体");
  m_szBGShxFontName = GetProfileStringSetting(kSection, "m_szBGShxFontName", "txt.shx");
  m_szBGShxBigFontName = GetProfileStringSetting(kSection, "m_szBGShxBigFontName", "morvane.shx");
  m_fBGHeight = ReadReal("m_fBGHeight", "7.0");
  m_fBGChrHeight = ReadReal("m_fBGChrHeight", "3.5");
  m_fBGChrSpace = ReadReal("m_fBGChrSpace", "0");
  m_nFontStyle = GetProfileIntSetting(kSection, "m_nFontStyle", 2);
}

void CBillFontDef::Write() const {
  WriteProfileIntSetting(kSection, "m_bBTHave", m_bBTHave);
  WriteProfileIntSetting(kSection, "m_nBTCFont", m_nBTCFont);
  WriteProfileIntSetting(kSection, "m_nBTEFont", m_nBTEFont);
  WriteProfileStringSetting(kSection, "m_szBTttName", m_szBTttName);
  WriteProfileStringSetting(kSection, "m_szBTShxFontName", m_szBTShxFontName);
  WriteProfileStringSetting(kSection, "m_szBTShxBigFontName", m_szBTShxBigFontName);
  WriteReal("m_fBTHeight", m_fBTHeight);
  WriteReal("m_fBTChrHeight", m_fBTChrHeight);
  WriteReal("m_fBTChrSpace", m_fBTChrSpace);
  WriteProfileIntSetting(kSection, "m_nBTSort", m_nBTSort);
  WriteProfileIntSetting(kSection, "m_bBGHave", m_bBGHave);
  WriteProfileIntSetting(kSection, "m_nBGCFont", m_nBGCFont);
  WriteProfileIntSetting(kSection, "m_nBGEFont", m_nBGEFont);
  WriteProfileStringSetting(kSection, "m_szBGttName", m_szBGttName);
  WriteProfileStringSetting(kSection, "m_szBGShxFontName", m_szBGShxFontName);
  WriteProfileStringSetting(kSection, "m_szBGShxBigFontName", m_szBGShxBigFontName);
  WriteReal("m_fBGHeight", m_fBGHeight);
  WriteReal("m_fBGChrHeight", m_fBGChrHeight);
  WriteReal("m_fBGChrSpace", m_fBGChrSpace);
  WriteProfileIntSetting(kSection, "m_nFontStyle", m_nFontStyle);
}

void CBillFontDef::ToTextAttrib(CTextAttrib& attr, BOOL header) const {
  attr.SetHeight(header ? m_fBTChrHeight : m_fBGChrHeight);
  attr.SetSpacing(header ? m_fBTChrSpace : m_fBGChrSpace);
  attr.SetChineseFontIndex(header ? m_nBTCFont : m_nBGCFont);
  attr.SetWesternFontIndex(header ? m_nBTEFont : m_nBGEFont);
  attr.SetTrueTypeName(header ? m_szBTttName : m_szBGttName);
  attr.SetShxFontName(header ? m_szBTShxFontName : m_szBGShxFontName);
  attr.SetBigFontName(header ? m_szBTShxBigFontName : m_szBGShxBigFontName);
  attr.SetFontStyle(m_nFontStyle);
}

void CBillFontDef::FromTextAttrib(const CTextAttrib& attr, BOOL header) {
  (header ? m_fBTChrHeight : m_fBGChrHeight) = attr.GetHeight();
  (header ? m_fBTChrSpace : m_fBGChrSpace) = attr.GetSpacing();
  (header ? m_nBTCFont : m_nBGCFont) = attr.GetChineseFontIndex();
  (header ? m_nBTEFont : m_nBGEFont) = attr.GetWesternFontIndex();
  (header ? m_szBTttName : m_szBGttName) = attr.GetTrueTypeName();
  (header ? m_szBTShxFontName : m_szBGShxFontName) = attr.GetShxFontName();
  (header ? m_szBTShxBigFontName : m_szBGShxBigFontName) = attr.GetBigFontName();
  m_nFontStyle = attr.GetFontStyle();
}

bool CBillFontDef::operator==(const CBillFontDef& o) const {
  return m_bBTHave == o.m_bBTHave && m_nBTCFont == o.m_nBTCFont && m_nBTEFont == o.m_nBTEFont &&
         m_szBTttName == o.m_szBTttName && m_szBTShxFontName == o.m_szBTShxFontName &&
         m_szBTShxBigFontName == o.m_szBTShxBigFontName && m_fBTHeight == o.m_fBTHeight &&
         m_fBTChrHeight == o.m_fBTChrHeight && m_fBTChrSpace == o.m_fBTChrSpace && m_nBTSort == o.m_nBTSort &&
         m_bBGHave == o.m_bBGHave && m_nBGCFont == o.m_nBGCFont && m_nBGEFont == o.m_nBGEFont &&
         m_szBGttName == o.m_szBGttName && m_szBGShxFontName == o.m_szBGShxFontName &&
         m_szBGShxBigFontName == o.m_szBGShxBigFontName && m_fBGHeight == o.m_fBGHeight &&
         m_fBGChrHeight == o.m_fBGChrHeight && m_fBGChrSpace == o.m_fBGChrSpace && m_nFontStyle == o.m_nFontStyle;
}
