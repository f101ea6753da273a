// The distance-measuring command: between two objects, each a picked point
// entity, line, circle or arc, or a clicked or typed point (TAB switches
// between picking entities and taking points): the distance and the
// coordinate differences of two points or centres, a point's or centre's
// distance from a line, the distance of two parallel lines or the angle of
// two others, in the drawing group's units, shown in Korrin's result list.
#pragma once

#include "draft/framework/CmdBase.h"
#include "platform/core/StringArray.h"

class CMeasureDistCmd : public CCmdBase {
 public:
  // The command id only: the view comes with each event.
  explicit CMeasureDistCmd(int id);

  // Switches between picking entities and taking points.
  void OnTabKey(CDraftView* view) override;
  // Digits after the first object are no point: nothing is taken.
  int OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  // One click: an object (in entity mode the click may take two); with
  // both objects, the report.
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  // Drops the objects, then the root's right button.
  int OnRButton(CDraftView* view) override;

  // ---- Its own operation: the rows of the two objects in the result list.
  virtual void ReportDistance(CDraftView* view);

  // For tests and hosts: the last report's case code (tens digit the first
  // object, units the second: 1 point entity, 2 line, 3 circle or arc,
  // 4 typed point; 221 two parallel lines, 222 two others), its rows and the
  // group scale it divided by.
  int GetCaseCode() const { return caseCode_; }
  const CStringArray& GetResultLabels() const { return labels_; }
  const CStringArray& GetResultValues() const { return values_; }
  double GetGroupScaleUsed() const { return groupScale_; }
  int IsPointMode() const { return pointMode_; }

 private:
  bool HasFirst() const { return first_ || firstPoint_; }
  bool HasSecond() const { return second_ || secondPoint_; }
  // Forgets both objects; the points freed, the selection cleared.
  void Clear(CDraftView* view);
  // The case code of the objects taken.
  int ComputeCaseCode() const;
  void AddRow(const char* label, double value);

  CEntity* first_ = nullptr;
  CEntity* second_ = nullptr;
  double firstX_ = 0.0, firstY_ = 0.0;
  double secondX_ = 0.0, secondY_ = 0.0;
  double value_ = 0.0, value2_ = 0.0, value3_ = 0.0;
  int caseCode_ = 1;
  int pointMode_ = 0;
  int firstPoint_ = 0;
  int secondPoint_ = 0;
  double groupScale_ = 1.0;
  CStringArray labels_;
  CStringArray values_;
};
