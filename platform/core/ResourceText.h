// The text of a declared resource (a caption, a control text, a menu item, a
// string-table entry). Resource text is UTF-16 inside; a declaration may write
// it in any of the forms the two libraries' sources use:
//   u"Progress"   UTF-16 (the UTF-16 build),
//   "进度"        a narrow literal: the process ANSI code page, GBK (the
//                 multibyte build compiles its UTF-8 sources to GBK bytes),
//   u8"进度"      UTF-8, whatever the build.
#pragma once

#include <string>
#include <string_view>

#include "platform/core/Charset.h"

namespace platform {

class ResourceText {
 public:
  ResourceText() = default;
  ResourceText(const char16_t* utf16) : text_(utf16 ? utf16 : u"") {}
  ResourceText(const char* gbk) : text_(gbk ? GbkToUtf16(gbk) : std::u16string()) {}
  ResourceText(const char8_t* utf8)
      : text_(utf8 ? Utf8ToUtf16(reinterpret_cast<const char*>(utf8)) : std::u16string()) {}
  ResourceText(std::u16string utf16) : text_(std::move(utf16)) {}

  const std::u16string& str() const { return text_; }
  operator const std::u16string&() const { return text_; }

 private:
  std::u16string text_;
};

}  // namespace platform
