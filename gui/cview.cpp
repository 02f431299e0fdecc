#include "gui/cview.h"

#include "gui/cbitmap.h"

CView::CView(const CRect& viewSize) : size(viewSize) {}

CView::~CView() { setBackground(nullptr); }

void CView::draw(CDrawContext* context) {
    if (background != nullptr) background->draw(context, size);
    setDirty(false);
}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&) { return kMouseEventNotHandled; }
CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&) { return kMouseEventNotHandled; }
CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&) { return kMouseEventNotHandled; }
bool CView::onWheel(const CPoint&, float, const CButtonState&) { return false; }
bool CView::onKeyDown(VstKeyCode&) { return false; }
bool CView::onKeyUp(VstKeyCode&) { return false; }

void CView::setBackground(CBitmap* bitmap) {
    if (bitmap == background) return;
    if (bitmap != nullptr) bitmap->remember();
    if (background != nullptr) background->forget();
    background = bitmap;
    setDirty();
}
