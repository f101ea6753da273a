#include "examples/draft-session/sequences/DialogAnswers.h"

#include <cstddef>
#include <functional>
#include <map>

#include "draft/host/ProgramFolder.h"
#include "draft/tables/TendonFile.h"
#include "platform/core/WinConstants.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/UserInput.h"
#include "platform/ui/Wnd.h"

namespace draftsequence {
namespace {

DialogAction Type(int id, std::string text) { return {DialogAction::kType, id, std::move(text), 0}; }
DialogAction Click(int id) { return {DialogAction::kClick, id, {}, 0}; }

// OK mostly, Cancel sometimes.
DialogAction Close(Rng& rng) { return Click(rng.Chance(0.15) ? IDCANCEL : IDOK); }

// A value for an edit box: mostly a small whole or half number, now and
// then one the dialog has to refuse.
std::string NumberText(Rng& rng) {
  const int kind = rng.Int(0, 39);
  if (kind == 0) return "0";
  if (kind == 1) return "-" + std::to_string(rng.Int(1, 9));
  if (kind == 2) return "abc";
  if (kind < 8) return std::to_string(rng.Int(1, 20)) + ".5";
  return std::to_string(rng.Int(1, 20));
}

std::vector<DialogAction> Generic(platform::ModalSession& s, Rng& rng) {
  std::vector<DialogAction> actions;
  for (HWND child = ::GetWindow(s.Handle(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!platform::CanUserReach(child)) continue;
    CWnd* wnd = CWnd::FromHandle(child);
    const int id = wnd->GetDlgCtrlID();
    if (auto* combo = dynamic_cast<CComboBox*>(wnd)) {
      if (combo->GetCount() > 0 && rng.Chance(0.5))
        actions.push_back({DialogAction::kChoose, id, {}, rng.Int(0, combo->GetCount() - 1)});
    } else if (dynamic_cast<CEdit*>(wnd) && rng.Chance(0.8)) {
      actions.push_back(Type(id, NumberText(rng)));
    } else if (auto* button = dynamic_cast<CButton*>(wnd)) {
      // Check boxes and radio buttons, now and then.
      const UINT type = button->GetButtonStyle() & BS_TYPEMASK;
      const bool choice = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                          type == BS_AUTORADIOBUTTON;
      if (choice && rng.Chance(0.25)) actions.push_back(Click(id));
    }
  }
  actions.push_back(Close(rng));
  return actions;
}

// The circular array's settings, with 2 to 6 rounds (more would make the
// drawing grow faster than the checks can follow).
std::vector<DialogAction> RoundArray(platform::ModalSession& s, Rng& rng) {
  std::vector<DialogAction> actions = Generic(s, rng);
  actions.insert(actions.begin(), Type(1047, std::to_string(rng.Int(2, 6))));
  for (size_t i = 1; i < actions.size(); ++i)
    if (actions[i].kind == DialogAction::kType && actions[i].id == 1047) actions.erase(actions.begin() + i--);
  return actions;
}

// The rectangular array's settings, with 1 to 3 columns and rows (typed
// first, so that the mode chosen after them enables what it uses).
std::vector<DialogAction> RectangularArray(platform::ModalSession& s, Rng& rng) {
  std::vector<DialogAction> actions = Generic(s, rng);
  for (size_t i = 0; i < actions.size(); ++i)
    if (actions[i].kind == DialogAction::kType && (actions[i].id == 1078 || actions[i].id == 1079))
      actions.erase(actions.begin() + static_cast<std::ptrdiff_t>(i--));
  actions.insert(actions.begin(), Type(1079, std::to_string(rng.Int(1, 3))));
  actions.insert(actions.begin(), Type(1078, std::to_string(rng.Int(1, 3))));
  return actions;
}

// OK or Cancel, nothing changed.
std::vector<DialogAction> AsShown(platform::ModalSession&, Rng& rng) { return {Close(rng)}; }

// The table dialogs' generate button, or their Cancel.
std::vector<DialogAction> GenerateTable(platform::ModalSession&, Rng& rng) {
  return {Click(rng.Chance(0.85) ? 998 : IDCANCEL)};
}

// The table-in-region dialog: generated numbers for its ten words and one
// of a few texts of cells.
std::vector<DialogAction> RegionTable(platform::ModalSession& s, Rng& rng) {
  std::vector<DialogAction> actions = Generic(s, rng);
  for (size_t i = 0; i < actions.size(); ++i)
    if (actions[i].kind == DialogAction::kType && actions[i].id == 4721)
      actions.erase(actions.begin() + static_cast<std::ptrdiff_t>(i--));
  actions.insert(actions.begin(), Type(4721, rng.Pick(std::vector<std::string>{"A;B;C", "甲;乙", "", "表"})));
  return actions;
}

// The tendon graph's axis dialog: one of the eight pictures, a
// distribution, the closed check now and then, then OK or Cancel.
std::vector<DialogAction> TendonAxes(platform::ModalSession&, Rng& rng) {
  std::vector<DialogAction> actions = {Click(rng.Pick(std::vector<int>{406, 407, 408, 409, 415, 416, 417, 418})),
                                       Click(rng.Pick(std::vector<int>{419, 420, 421}))};
  if (rng.Chance(0.3)) actions.push_back(Click(648));
  actions.push_back(Close(rng));
  return actions;
}

// The coordinate dialog: a coordinate file read ("读文件", disabled for an
// edited graph or table), then "坐标图" mostly, with or without "坐标表".
std::vector<DialogAction> TendonCoordinates(platform::ModalSession&, Rng& rng) {
  std::vector<DialogAction> actions = {Click(1037)};
  if (rng.Chance(0.3)) actions.push_back(Click(413));
  actions.push_back(Click(rng.Chance(0.85) ? 998 : IDCANCEL));
  return actions;
}

// The coordinate file to read: one of a few tables of one or two tendons,
// written into the program folder first.
std::vector<DialogAction> TendonFile(platform::ModalSession&, Rng& rng) {
  TendonTableData data;
  data.direction = rng.Int(0, 1);
  const int tendons = rng.Int(1, 2);
  for (int c = 0; c <= tendons; ++c)
    data.fields.Add(CFieldRecord(c == 0 ? "X" : c == 1 ? "Y1" : "Y2", 4, 20.0, 2));
  for (int r = 0, rows = rng.Int(2, 4); r < rows; ++r) {
    std::string row = std::to_string(r * rng.Int(10, 40));
    for (int c = 1; c <= tendons; ++c) row += ";" + std::to_string(rng.Int(0, 30));
    data.rows.Add(CStringA(row.c_str()));
  }
  const CStringA path = GetProgramFolder() + "sequence.zbb";
  if (!WriteTendonFile(path, data)) return {Click(IDCANCEL)};
  return {Type(1152, path.GetString()), Click(IDOK)};
}

// The save dialog: the blocks to save go to a file of a random type in the
// program folder (or the user cancels); the rows picked from a drawn bill
// of materials are not saved.
std::vector<DialogAction> SaveAs(platform::ModalSession& s, Rng& rng) {
  auto* types = dynamic_cast<CComboBox*>(CWnd::FromHandle(s.Control(0x0470)));
  CStringA first;
  if (!types || types->GetCount() != 3 || types->GetLBText(0, first) <= 0 || first.Find("*.gdf") < 0 ||
      rng.Chance(0.2))
    return {Click(IDCANCEL)};
  const int type = rng.Int(0, 2);
  const char* const names[] = {"sequence.gdf", "sequence.btl", "sequence.btf"};
  return {{DialogAction::kChoose, 0x0470, {}, type},
          Type(0x0480, (GetProgramFolder() + names[type]).GetString()),
          Click(IDOK)};
}

using Answerer = std::function<std::vector<DialogAction>(platform::ModalSession&, Rng&)>;

// The dialogs answered otherwise than by generated numbers, by the start of
// their caption.
const std::map<std::string, Answerer>& Answerers() {
  static const std::map<std::string, Answerer> table = {
      // The group chooser: one of a few names, so that groups are met again.
      {"改变图组",
       [](platform::ModalSession&, Rng& rng) {
         return std::vector<DialogAction>{Type(308, rng.Pick(std::vector<std::string>{"零件", "A", "组二"})),
                                          Close(rng)};
       }},
      // The enlarged detail view: a scale text (now and then one it must
      // refuse) and a label, the same one now and then so that group names
      // are met again.
      {"局部放大图",
       [](platform::ModalSession&, Rng& rng) {
         return std::vector<DialogAction>{Type(352, rng.Pick(std::vector<std::string>{"2:1", "3", "2.5:1", "0"})),
                                          Type(351, rng.Pick(std::vector<std::string>{"A", "B", "Ⅰ", ""})),
                                          Close(rng)};
       }},
      // The equation dialog: the equation it shows.
      {"参数方程曲线", AsShown},
      // Korrin's text dialog, new or edited: a short text, or an empty one
      // (asked again, or the edit keeps the text) now and then.
      {"输入文本",
       [](platform::ModalSession&, Rng& rng) {
         return std::vector<DialogAction>{Type(1001, rng.Pick(std::vector<std::string>{"A1", "技术要求", "R5", ""})),
                                          Close(rng)};
       }},
      {"修改文本",
       [](platform::ModalSession&, Rng& rng) {
         return std::vector<DialogAction>{Type(1001, rng.Pick(std::vector<std::string>{"B2", "说明", ""})),
                                          Close(rng)};
       }},
      // The table contents (the caption names the data file or the table
      // edited): generated as they stand, or given up.
      {"填写表内容", GenerateTable},
      {"修改", GenerateTable},
      {"表内容", GenerateTable},
      {"钢筋表", GenerateTable},
      {"定义为工艺表格", GenerateTable},
      {"选择坐标轴", TendonAxes},
      {"坐标值", TendonCoordinates},
      {"打开表内容文件", TendonFile},
      {"周分布参数", RoundArray},
      {"阵列参数", RectangularArray},
      // The join form of the line copies: a click on either picture (taken
      // at once), or Cancel.
      {"连线形式",
       [](platform::ModalSession&, Rng& rng) {
         return std::vector<DialogAction>{Click(rng.Pick(std::vector<int>{1208, 1112, 1208, 1112, IDCANCEL}))};
       }},
      // The records: "退出(&Q)" (998) as they stand, or closed.
      {"显示明细表记录信息", GenerateTable},
      {"Save As", SaveAs},
      {"区域表格", RegionTable},
      // The table's fonts and kind: as shown.
      {"创建表格", AsShown},
      // The requirements editor (its caption goes on with the .tec path):
      // items typed, then done.
      {"当前技术要求",
       [](platform::ModalSession&, Rng& rng) {
         return std::vector<DialogAction>{
             Type(61562, rng.Pick(std::vector<std::string>{"1.未注倒角C1.", "1.去毛刺 2.锐边倒钝", "技术"})),
             Click(IDOK)};
       }},
      // A result list: read and closed.
      {"测量面积", [](platform::ModalSession&, Rng&) { return std::vector<DialogAction>{Click(IDOK)}; }},
  };
  return table;
}

}  // namespace

std::vector<DialogAction> ChooseDialogActions(platform::ModalSession& session, const std::string& caption, Rng& rng) {
  // A caption may go on with what the dialog shows (a file's path).
  for (const auto& [start, answer] : Answerers())
    if (caption.rfind(start, 0) == 0) return answer(session, rng);
  return Generic(session, rng);
}

std::string ActionWords(const std::vector<DialogAction>& actions) {
  std::string out;
  for (const DialogAction& a : actions) {
    if (!out.empty()) out += ' ';
    switch (a.kind) {
      case DialogAction::kType: out += std::to_string(a.id) + '=' + a.text; break;
      case DialogAction::kChoose: out += std::to_string(a.id) + ':' + std::to_string(a.entry); break;
      case DialogAction::kClick:
        out += a.id == IDOK ? "ok" : a.id == IDCANCEL ? "cancel" : std::to_string(a.id);
        break;
    }
  }
  return out;
}

}  // namespace draftsequence
