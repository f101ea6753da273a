// CDrawBlock: the function block of a diagram, a filled rectangle carrying
// its ports down its left and right edges, up to three texts that move and
// die with it, an optional "about" document and a monitor flag. Wires end on
// its ports, never on the block itself. A composite block also owns an inner
// diagram.
#pragma once

#include "diagram/model/lists/DrawList.h"
#include "diagram/model/objects/DrawObj.h"

class CAboutItem;
class CCompositeBlockDiagram;
class CDrawPort;
class CDrawText;

class CDrawBlock : public CDrawObj {
  DECLARE_SERIAL(CDrawBlock)

 public:
  CDrawBlock();
  CDrawBlock(const CDrawBlock& other);
  ~CDrawBlock() override;

  void Serialize(CArchive& ar) override;
  const CRect& GetPosition() const override;
  CMenu* GetPopupMenu(CDrawView* view, CPoint point) override;
  UINT GetPropertySheetCaptionID() override;
  BOOL DoesSecurityAllow(DWORD op1, DWORD op2) const override;
  void Draw(CDC* dc) override;
  void MoveTo(const CRect& position, CDrawView* view) override;
  void MoveBy(CPoint delta, int bInvalidate) override;
  BOOL Intersects(const CRect& rect) override;
  void OnOpen(CDrawView* view) override;
  int OnEditPropertiesWithSheet(CPropertySheet* sheet) override;
  void IncludeComponentsInList(CDrawList* list) const override;
  void ExcludeComponentsFromList(CDrawList* list) const override;
  void FinalizeDrawing(CRect position, CDrawView* view, int flag) override;
  void InitializeDrawing(CDrawView* view) override;
  void SetDiagram(CDiagram* diagram) override;
  CDrawObj* Clone() override;
  void FlipAndOffset(int bFlip, CPoint offset) override;
  int Delete() override;
  int UnDelete() override;

  // Lays out a new block at the point: code / 100 inputs and code % 100
  // outputs.
  virtual int InitializeAs(UINT code, const CPoint& point, CDrawView* view);
  virtual int UserCanAddInPorts() const;
  virtual int UserCanAddOutPorts() const;
  virtual int GetNumberOfInputPorts() const;
  virtual int GetNumberOfOutputPorts() const;
  virtual int IsAboutAllowed();
  virtual int AddBlockAndComponentsToDiagram(CDiagram* diagram);
  virtual CDrawPort* AddNewInPort();
  virtual CDrawPort* AddNewOutPort();
  // Called by Draw after the rectangle, for derived blocks.
  virtual void DrawExtra(CDC* dc);
  virtual void AddPort(CDrawPort* port, int index);
  virtual int RemovePort(CDrawPort* port);
  virtual void OpenAbout(int bReadOnly);
  // Called by the block undo record when the block comes back.
  virtual void EndUnDelete();

  const CDrawList& GetPorts() const { return m_ports; }
  CCompositeBlockDiagram* GetInternalDiagram() const { return m_pInnerDiagram; }
  // 1 on, 2 toggle, 3 query, anything else off; returns the flag.
  int Monitor(int mode);
  void CloseAboutIfOpen();
  // The block's description, or null.
  CAboutItem* GetAboutItem() const { return m_pAboutItem; }
  // Closes and deletes the description; the diagram is modified.
  void DeleteAbout();
  // True while the block reads its port list from a stream.
  BOOL IsReadingPorts() const { return m_bReadingPorts; }

 protected:
  BOOL m_bMonitor;
  // Inputs x 100 + outputs, as given to InitializeAs.
  UINT m_nLayoutCode;
  CDrawText* m_pText1;
  CDrawText* m_pNameText;
  CDrawText* m_pText3;
  CDrawList m_ports;
  CCompositeBlockDiagram* m_pInnerDiagram;
  CAboutItem* m_pAboutItem;
  // Where the block will land while it is dragged; the position otherwise.
  CRect m_dragRect;
  // Set while Serialize reads the port list.
  BOOL m_bReadingPorts = FALSE;

  // Draws the outline that shows where the dragged block will land (XOR:
  // drawing it again erases it).
  void DrawDragOutline(CDrawView* view, const CRect& rect);
  // Makes one port of a new block's layout: an input on the left edge or
  // an output on the right, its connection at `at`.
  using PortMaker = CDrawPort* (*)(bool input, const CPoint& at, CDrawBlock* block, CDrawView* view);
  // The layout of InitializeAs with the name text and the ports given.
  int LayOutAs(UINT code, const CPoint& point, CDrawView* view, LPCWSTR name, PortMaker makePort);
  // Deletes every port; each leaves the list before it goes, so that it
  // does not look for itself in it.
  void DeletePorts();

  friend class CAboutItem;
};
