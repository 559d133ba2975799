#include "files/editor_drop_callback.h"

#include <new>

#include "files/drop_effect.h"

namespace wendrill {
namespace {

bool keyHeld(int key) { return GetKeyState(key) < 0; }

// The keys as OLE reports them, for a drop whose keys the control does not pass on.
uint32_t heldKeys() {
    return (keyHeld(VK_SHIFT) ? kKeyShift : 0) | (keyHeld(VK_CONTROL) ? kKeyControl : 0);
}

}  // namespace

HRESULT EditorDropCallback::QueryInterface(REFIID id, void** object) {
    if (!object) return E_POINTER;
    if (id == IID_IUnknown || id == IID_IRichEditOleCallback) {
        *object = static_cast<IRichEditOleCallback*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

// A success other than S_OK says the data was checked (a drag) or taken (a drop) here; a failure
// makes the control refuse the data and end the drop, so the source hears that nothing was
// taken and never deletes a file it offered to move.
HRESULT EditorDropCallback::QueryAcceptData(IDataObject* data, CLIPFORMAT* format, DWORD reco,
                                            BOOL really, HGLOBAL) {
    if (reco != RECO_DROP) return S_OK;
    if (!data || !format) return E_INVALIDARG;
    if (offersFormat(data, CF_HDROP)) {
        if (!really) return S_FALSE;
        try {
            const std::optional<std::vector<std::wstring>> paths = droppedFiles(data);
            const bool dropped =
                dropEffect(true, heldKeys(), kDropCopy | kDropMove | kDropLink) != kDropNone;
            if (paths && dropped && opener_) opener_(*paths);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;  // no exception passes through the control
        }
        return E_FAIL;
    }
    for (CLIPFORMAT plain : {CLIPFORMAT{CF_UNICODETEXT}, CLIPFORMAT{CF_TEXT}}) {
        if (offersFormat(data, plain)) {
            *format = plain;  // the control then takes this format only
            return S_OK;
        }
    }
    return E_FAIL;
}

// Without storage the control can embed no object.
HRESULT EditorDropCallback::GetNewStorage(IStorage** storage) {
    if (storage) *storage = nullptr;
    return E_NOTIMPL;
}

HRESULT EditorDropCallback::GetInPlaceContext(IOleInPlaceFrame** frame,
                                              IOleInPlaceUIWindow** document,
                                              OLEINPLACEFRAMEINFO*) {
    if (frame) *frame = nullptr;
    if (document) *document = nullptr;
    return E_NOTIMPL;
}

// E_NOTIMPL: the control builds its own data for copying and dragging.
HRESULT EditorDropCallback::GetClipboardData(CHARRANGE*, DWORD, IDataObject** data) {
    if (data) *data = nullptr;
    return E_NOTIMPL;
}

// The window shows its own popup menu on the right button.
HRESULT EditorDropCallback::GetContextMenu(WORD, IOleObject*, CHARRANGE*, HMENU* menu) {
    if (menu) *menu = nullptr;
    return E_NOTIMPL;
}

void configureFileDrop(DropTarget& target, EditorDropCallback& callback, HWND dropPad,
                       Editor& editor, FileDropHandler opener) {
    target.setAccepts(DropKind::files, true);
    target.setAccepts(DropKind::text, false);
    target.setAccepts(DropKind::link, false);
    target.setAccepts(DropKind::html, false);
    target.onFilesDropped(opener);
    target.bindDropWindow(dropPad);
    callback.onFilesDropped(std::move(opener));
    editor.setOleCallback(&callback);
    // The Editor lies on DropPad and the platform gives a drop to the window under the mouse.
    editor.onControlCreated([&target](HWND control) { target.serveCoveringWindow(control); });
}

}  // namespace wendrill
