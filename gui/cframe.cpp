#include "gui/cframe.h"

#include "gui/aeffguieditor.h"
#include "gui/cbitmap.h"
#include "gui/cdrawcontext.h"

CFrame::CFrame(const CRect& frameSize, void* systemWindow, AEffGUIEditor* owner)
    : CView(frameSize), editor(owner), pixels(frameSize.width(), frameSize.height()) {
    window = createPlatformWindow(systemWindow, CRect(0, 0, frameSize.width(), frameSize.height()), *this);
}

CFrame::~CFrame() {
    // The window goes first: no event may reach a view being forgotten.
    window.reset();
    for (CView* view : views) view->forget();
    views.clear();
}

bool CFrame::addView(CView* view) {
    if (view == nullptr) return false;
    view->setFrame(this);
    view->setDirty();
    views.push_back(view);
    return true;
}

void CFrame::beginEdit(long tag) {
    if (editor != nullptr) editor->beginEdit(static_cast<VstInt32>(tag));
}

void CFrame::endEdit(long tag) {
    if (editor != nullptr) editor->endEdit(static_cast<VstInt32>(tag));
}

void CFrame::idle() {
    window->processEvents();
    redrawDirtyViews();
}

void CFrame::draw(CDrawContext*) {
    wholeFrameDirty = true;
    redrawDirtyViews();
}

void CFrame::redrawArea(const CRect& area) {
    CDrawContext context(pixels);
    context.setClipRect(area);
    if (background != nullptr) background->draw(&context, CRect(0, 0, pixels.width(), pixels.height()));
    for (CView* view : views) {
        CRect overlap = view->getViewSize();
        overlap.bound(area);
        if (!overlap.isEmpty()) view->draw(&context);
    }
}

void CFrame::redrawDirtyViews() {
    if (wholeFrameDirty) {
        wholeFrameDirty = false;
        redrawArea(pixels.bounds());
        for (CView* view : views) view->setDirty(false);
        if (window->isAlive()) window->present(pixels.bounds());
        return;
    }
    for (CView* view : views) {
        if (!view->isDirty()) continue;
        const CRect area = view->getViewSize();
        redrawArea(area);
        view->setDirty(false);
        if (window->isAlive()) window->present(area);
    }
}

CView* CFrame::viewAt(const CPoint& where) const {
    for (auto it = views.rbegin(); it != views.rend(); ++it)
        if ((*it)->getMouseEnabled() && (*it)->getViewSize().pointInside(where)) return *it;
    return nullptr;
}

// Each event is one call into the frame: a host that closes the editor from a
// request made while handling it (an Automate, an idle) has the frame deleted
// only once the handling is over.
void CFrame::onPlatformMouseDown(CPoint where, CButtonState buttons) {
    AEffGUIEditor::FrameCall call(editor);
    if (mouseView != nullptr) return;  // a second button while one is held
    CView* view = viewAt(where);
    if (view == nullptr) return;
    focusView = view;
    if (view->onMouseDown(where, buttons) == kMouseEventHandled) mouseView = view;
    redrawDirtyViews();
}

void CFrame::onPlatformMouseMoved(CPoint where, CButtonState buttons) {
    AEffGUIEditor::FrameCall call(editor);
    if (mouseView == nullptr) return;
    mouseView->onMouseMoved(where, buttons);
    redrawDirtyViews();
    // The host gets its idle time while the user drags.
    if (editor != nullptr) editor->doIdleStuff();
}

void CFrame::onPlatformMouseUp(CPoint where, CButtonState buttons) {
    AEffGUIEditor::FrameCall call(editor);
    if (mouseView == nullptr) return;
    CView* view = mouseView;
    mouseView = nullptr;
    view->onMouseUp(where, buttons);
    redrawDirtyViews();
}

void CFrame::onPlatformWheel(CPoint where, float distance, CButtonState buttons) {
    AEffGUIEditor::FrameCall call(editor);
    if (CView* view = viewAt(where)) {
        view->onWheel(where, distance, buttons);
        redrawDirtyViews();
    }
}

bool CFrame::onPlatformKeyDown(const VstKeyCode& key) {
    AEffGUIEditor::FrameCall call(editor);
    if (focusView == nullptr) return false;
    VstKeyCode copy = key;
    const bool taken = focusView->onKeyDown(copy);
    redrawDirtyViews();
    return taken;
}

bool CFrame::onPlatformKeyUp(const VstKeyCode& key) {
    AEffGUIEditor::FrameCall call(editor);
    if (focusView == nullptr) return false;
    VstKeyCode copy = key;
    return focusView->onKeyUp(copy);
}

void CFrame::onPlatformExpose(const CRect& area) {
    redrawDirtyViews();
    if (window->isAlive()) window->present(area);
}
