#include "draft/host/TableCell.h"

void CTableCell::SetTextAttrib(const CTextAttrib& attr) {
  attr_ = attr;
  widthFactor_ = attr.GetWidthFactor();
  textHeight_ = attr.GetHeight();
  thirdReal_ = attr.GetAngle();
}

void CTableCell::SetAttribCopies(double widthFactor, double textHeight, double thirdReal) {
  widthFactor_ = widthFactor;
  textHeight_ = textHeight;
  thirdReal_ = thirdReal;
}

void CTableCell::ScaleLengths(double factor) {
  width_ *= factor;
  rowHeight_ *= factor;
  attr_.SetHeight(attr_.GetHeight() * factor);
  attr_.SetSpacing(attr_.GetSpacing() * factor);
  attr_.SetLineSpacing(attr_.GetLineSpacing() * factor);
  textHeight_ *= factor;
}

bool CTableCell::operator==(const CTableCell& o) const {
  return text_ == o.text_ && ditto_ == o.ditto_ && type_ == o.type_ && width_ == o.width_ &&
         rowHeight_ == o.rowHeight_ && alignment_ == o.alignment_ && attr_ == o.attr_ &&
         widthFactor_ == o.widthFactor_ && textHeight_ == o.textHeight_ && thirdReal_ == o.thirdReal_;
}

CTableCell* ConstructTableCell(const char* text, double width, double rowHeight, int alignment) {
  auto* cell = new CTableCell;
  cell->SetText(text);
  cell->SetWidth(width);
  cell->SetRowHeight(rowHeight);
  cell->SetAlignment(alignment);
  CTextAttrib attr;
  ConstructTextAttribDefault(attr, 5.0, 0, 0);
  cell->SetTextAttrib(attr);
  return cell;
}
