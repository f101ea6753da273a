// A small command for driving the stack as a host does: it records what the
// stack and the base call on it into a shared log.
#pragma once

#include <string>
#include <vector>

#include "draft/framework/CmdBase.h"

class CRecordingCommand : public CCmdBase {
 public:
  CRecordingCommand(std::vector<std::string>& log, int id, BYTE level = 2, int begins = 1, int pointCount = 1,
                    CDraftView* view = nullptr)
      : CCmdBase(id, view), log_(log), begins_(begins) {
    SetLevel(level);
    pointCount_ = pointCount;
  }
  ~CRecordingCommand() override { Log("deleted"); }

  int Begin(CDraftView* view) override {
    CCmdBase::Begin(view);
    Log("begin");
    return begins_;
  }
  int End(CDraftView* view) override {
    Log("end");
    return CCmdBase::End(view);
  }
  void Resume() override {
    Log("resume");
    CCmdBase::Resume();
  }
  void Execute(CDraftView*) override {
    std::string s = "execute";
    for (const PointRec& p : points_) s += " (" + Num(p.x) + "," + Num(p.y) + ")";
    Log(s);
    if (clearOnExecute) points_.clear();
    if (doneOnExecute) done_ = 1;
  }
  int OnNumberKey(CDraftView*, UINT ch, UINT, double& x, double& y) override {
    Log(std::string("own number key ") + static_cast<char>(ch));
    x = 7;
    y = 8;
    return 1;
  }
  int OnOtherChar(CDraftView*, UINT ch, UINT, double&, double&) override {
    Log("other char " + std::to_string(ch));
    return 0;
  }

  const std::vector<PointRec>& Points() const { return points_; }
  const PointRec& Cursor() const { return cursor_; }
  int TabCount() const { return tabCount_; }
  void SetPrompts(std::vector<CString> prompts) { prompts_ = std::move(prompts); }
  void SetOverride(const char* text) { promptOverride_ = text; }
  void SetStep(int step) { step_ = step; }
  DWORD SnapState() const { return snapState_; }
  const CEntityList& Boundary() const { return boundary_; }
  const CEntityList& SecondBoundary() const { return boundary2_; }

  bool clearOnExecute = true;
  bool doneOnExecute = false;

 private:
  static std::string Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
  }
  void Log(const std::string& what) { log_.push_back(std::to_string(GetId()) + " " + what); }

  std::vector<std::string>& log_;
  int begins_;
};
