// The tendon graph command: the axis dialog chooses the arrangement, the
// coordinate dialog the coordinates, and the tendon graph then follows the
// cursor (Tab switching the axis type to its exchanged one) until a click
// places it, as one undo step that, for an edited graph, replaces the old
// graph and its coordinate table (both taken off the drawing while the new
// one is placed). With "坐标表" checked the generated coordinate table is
// then placed by a nested table placement (id 597). After the click the
// drawing owns what was placed and the command holds nothing: the right
// button only ends it. Before the click the right button puts the old
// graph and table back and drops what was made.
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/TendonGraphEntity.h"
#include "draft/tables/TendonGraphShape.h"

class CTableEntity;

class CSteelCoordGraphCmd : public CCmdBase {
 public:
  static constexpr int kTablePlacementId = 597;

  // An existing graph or coordinate table to edit (either may be null);
  // with a graph the settings are copied from it.
  CSteelCoordGraphCmd(int id, CTendonGraphEntity* graph, CEntity* table);
  ~CSteelCoordGraphCmd() override;

  int Begin(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void OnTabKey(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;
  int End(CDraftView* view) override;

  const TendonGraphSettings& GetSettings() const { return settings_; }
  // The graph being placed and the coordinate table generated for it (null
  // once placed or dropped).
  CTendonGraphEntity* GetGraph() const { return graph_; }
  CTableEntity* GetTable() const { return table_; }
  const CString& GetPromptOverride() const { return promptOverride_; }

 private:
  TendonLabelMetrics LabelMetrics(CDraftView* view) const;
  void EraseTempEntities(CDraftView* view);
  // Puts the old graph and table back and frees what was made (before the
  // click); nothing after it.
  void Abandon(CDraftView* view);

  TendonGraphSettings settings_;
  CTendonGraphEntity* oldGraph_;
  CEntity* oldTable_;
  CTendonGraphEntity* graph_ = nullptr;
  CTableEntity* table_ = nullptr;
  bool oldTakenOff_ = false;
  // The view the old entities were taken out of.
  CDraftView* takenFrom_ = nullptr;
};
