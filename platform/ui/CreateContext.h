// CCreateContext: what a frame needs to make its view: the view's runtime
// class and the document it shows. It travels as the creation parameter of
// the frame and of the view.
#pragma once

struct CRuntimeClass;
class CDocument;
class CView;
class CFrameWnd;

struct CCreateContext {
  CRuntimeClass* m_pNewViewClass = nullptr;  // a dynamically creatable CView class
  CDocument* m_pCurrentDoc = nullptr;        // the document the view shows (may be null)
  CView* m_pLastView = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};
