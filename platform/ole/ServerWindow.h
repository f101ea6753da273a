// The window in which an embedded object's server edits it: a captioned
// top-level window when the item is opened, or a bordered child of the
// container's view, over the item, while it is active in place. The
// object's content (EmbeddedContent) makes the controls and paints; the
// window tells its client item (through ServerSite) when a click changed
// the object, when the user closes it, and when it is gone. The window
// deletes its own object after it is destroyed.
#pragma once

#include "platform/ui/Wnd.h"

namespace platform {

class EmbeddedContent;

class ServerSite {
 public:
  // A click in the window changed the object.
  virtual void OnServerEdited() = 0;
  // The user closes the window (its close box): the site saves what was
  // edited and destroys it.
  virtual void OnServerCloseRequested() = 0;
  // The window has been destroyed.
  virtual void OnServerWindowGone() = 0;

 protected:
  ~ServerSite() = default;
};

class ServerWindow : public CWnd {
 public:
  // A new window editing `content`: top-level with the caption when
  // `parent` is null, else a child of `parent` at `rect` (client
  // coordinates of the parent). Null when the window cannot be made.
  static ServerWindow* Open(ServerSite* site, EmbeddedContent* content, const CStringW& caption, CWnd* parent,
                            const CRect& rect);

  EmbeddedContent* GetContent() const { return content_; }
  bool IsInPlace() const { return inPlace_; }
  // Forgets the site: the window no longer reports to it.
  void DetachSite() { site_ = nullptr; }

 protected:
  afx_msg void OnClose();
  afx_msg void OnPaint();
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  // A control's change notification (EN_CHANGE) is an edit.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;
  DECLARE_MESSAGE_MAP()

 private:
  ServerWindow(ServerSite* site, EmbeddedContent* content, bool inPlace)
      : site_(site), content_(content), inPlace_(inPlace) {}

  ServerSite* site_;
  EmbeddedContent* content_;
  bool inPlace_;
};

}  // namespace platform
