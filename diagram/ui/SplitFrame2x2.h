// A child frame whose client is a dynamic splitter of up to 2 x 2 views of
// its creation context (minimum pane 10 x 10, both scroll bars). Its title
// is the document's title, the view type (default "(Graph)") and ":" with
// the host name; with a window number of 1 or more, "%s:%d" of that text
// and the number.
#pragma once

#include "diagram/ui/MultiControlBarChildFrame.h"
#include "platform/core/String.h"
#include "platform/ui/SplitterWnd.h"

class CSplitFrame2x2 : public CMultiControlBarChildFrame {
  DECLARE_DYNCREATE(CSplitFrame2x2)

 public:
  CSplitFrame2x2();

  virtual CStringW GetNameOfHostCFB() const { return m_strHostName; }
  virtual CStringW GetTypeOfView() const { return m_strViewType; }
  virtual void SetNameOfHostCFB(const WCHAR* name) { m_strHostName = name ? name : u""; }
  virtual void SetTypeOfView(const WCHAR* type) { m_strViewType = type ? type : u""; }

  void OnUpdateFrameTitle(BOOL addToTitle) override;

  CSplitterWnd m_wndSplitter;

 protected:
  BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;

  CStringW m_strHostName;
  CStringW m_strViewType;
};
