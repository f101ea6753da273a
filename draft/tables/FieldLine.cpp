#include "draft/tables/FieldLine.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "draft/host/SystemFiles.h"
#include "draft/tables/RowText.h"
#include "platform/core/MessageBox.h"

namespace {
const char kBadStructure[] = "数据结构错误!";
}

CStringA FormatFieldLine(const CFieldRecord& field, FieldLineForm form) {
  CStringA name = field.GetName();
  CStringA width;
  width.Format("%lf", field.width);
  if (form == FieldLineForm::kTidied) {
    name.TrimLeft();
    if (name.IsEmpty()) name = " ";
    TrimNumberText(width);
  }
  name = DoubleSemicolons(name);
  CStringA line;
  line.Format("%s;%d;%s;%d", name.GetString(), static_cast<int>(field.type), width.GetString(),
              static_cast<int>(field.alignment));
  return line;
}

BOOL ParseFieldLine(CFieldArray& fields, const CStringA& line, double widthWhenNotGiven) {
  CStringArray parts;
  SplitRowText(line, parts);
  if (parts.GetSize() != 4) {
    AfxMessageBox(kBadStructure);
    return FALSE;
  }
  CFieldRecord field;
  field.SetName(parts[0]);
  const int type = std::atoi(parts[1]);
  field.type = type >= 0 && type <= 6 ? type : kFieldChar;
  const double width = std::atof(parts[2]);
  field.width = width > 1e-6 ? width : widthWhenNotGiven;
  const int alignment = std::atoi(parts[3]);
  field.alignment = alignment >= 0 && alignment <= 3 ? alignment : kAlignCentre;
  fields.Add(field);
  return TRUE;
}

void SplitQuotedLine(const CStringA& line, char quote, std::vector<CStringA>& parts) {
  parts.clear();
  const std::string& s = line.str();
  size_t at = 0;
  while (true) {
    const size_t open = s.find(quote, at);
    if (open == std::string::npos) break;
    const size_t close = s.find(quote, open + 1);
    if (close == std::string::npos) break;
    parts.emplace_back(s.substr(open + 1, close - open - 1));
    at = close + 1;
  }
}

BOOL ParseQuotedFieldLine(const CStringA& line, CFieldRecord& field) {
  std::vector<CStringA> parts;
  SplitQuotedLine(line, '"', parts);
  if (parts.size() != 7) return FALSE;
  CFieldRecord r;
  r.SetName(parts[0]);
  r.width = std::atof(parts[1]);
  CStringA kind = parts[4];
  kind.Trim();
  r.type = kind == "2" ? kFieldInteger : kind == "4" ? kFieldDate : kFieldChar;
  r.alignment = std::atoi(parts[5]);
  field = r;
  return TRUE;
}
