// Korrin's table cell: one cell of a table row. It holds the stored text and
// its ditto-mark code, the column's data type, width and alignment, the
// height of the row it sits in, the text attribute it is drawn with, and
// copies of three of the attribute's values (width factor, text height and
// angle, its third real) that readers take without the attribute.
#pragma once

#include "draft/host/TextAttrib.h"
#include "platform/core/String.h"

class CTableCell {
 public:
  CTableCell() = default;

  const CStringA& GetText() const { return text_; }
  void SetText(const char* text) { text_ = text ? text : ""; }
  // 0 none; 1 "@", 2 a trailing '@', 3 "/", 4 "$", 5 a trailing '$', 6 "&".
  int GetDittoCode() const { return ditto_; }
  void SetDittoCode(int code) { ditto_ = code; }
  int GetType() const { return type_; }
  void SetType(int type) { type_ = type; }
  // Width of the column in drawing units (never negative).
  double GetWidth() const { return width_; }
  void SetWidth(double width) { width_ = width > 0.0 ? width : 0.0; }
  // Height of the row in drawing units (never negative).
  double GetRowHeight() const { return rowHeight_; }
  void SetRowHeight(double height) { rowHeight_ = height > 0.0 ? height : 0.0; }
  // 0 fill the cell, 1 left, 2 centre, 3 right.
  int GetAlignment() const { return alignment_; }
  void SetAlignment(int alignment) { alignment_ = alignment; }

  const CTextAttrib& GetTextAttrib() const { return attr_; }
  // Sets the attribute and takes the copies of its width factor, height and
  // angle.
  void SetTextAttrib(const CTextAttrib& attr);
  double GetWidthFactor() const { return widthFactor_; }
  double GetTextHeight() const { return textHeight_; }
  double GetThirdReal() const { return thirdReal_; }
  // Sets the copies alone (the attribute keeps its values).
  void SetAttribCopies(double widthFactor, double textHeight, double thirdReal);

  // Scales the lengths (width, row height and text height) by `factor`.
  void ScaleLengths(double factor);

  bool operator==(const CTableCell& o) const;

 private:
  CStringA text_;
  int ditto_ = 0;
  int type_ = 0;
  double width_ = 0.0;
  double rowHeight_ = 0.0;
  int alignment_ = 2;
  CTextAttrib attr_;
  double widthFactor_ = 1.0;
  double textHeight_ = 5.0;
  double thirdReal_ = 0.0;
};

// A new cell with the given text, width, row height and alignment; its
// attribute is the default one (ConstructTextAttribDefault with height 5).
CTableCell* ConstructTableCell(const char* text, double width, double rowHeight, int alignment);
