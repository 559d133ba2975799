#pragma once
// The Rich Edit control's callback for data dropped on it. The control keeps its own drop target
// (dragging text inside the document, dropping text from another program); through this callback
// a dropped file opens as the document instead of going into the text, dropped text comes in as
// plain text only, and no object or picture ever goes into the document. Pastes are left to the
// control's own handling.

#include <windows.h>

#include <ole2.h>
#include <richedit.h>
#include <richole.h>

#include "editor/editor.h"
#include "files/drop_target.h"

namespace wendrill {

class EditorDropCallback final : public IRichEditOleCallback {
  public:
    EditorDropCallback() = default;
    EditorDropCallback(const EditorDropCallback&) = delete;
    EditorDropCallback& operator=(const EditorDropCallback&) = delete;

    // Gets the dropped files, one path or every path followed by CR LF, while the drop is still
    // running: it must not run a modal loop there.
    void onFilesDropped(DropHandler opener) { opener_ = std::move(opener); }

    // IUnknown; the owner keeps the object alive, so the count only answers the controls.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }

    // IRichEditOleCallback
    HRESULT STDMETHODCALLTYPE QueryAcceptData(IDataObject* data, CLIPFORMAT* format, DWORD reco,
                                              BOOL really, HGLOBAL picture) override;
    HRESULT STDMETHODCALLTYPE GetNewStorage(IStorage** storage) override;
    HRESULT STDMETHODCALLTYPE GetInPlaceContext(IOleInPlaceFrame** frame,
                                                IOleInPlaceUIWindow** document,
                                                OLEINPLACEFRAMEINFO* info) override;
    HRESULT STDMETHODCALLTYPE ShowContainerUI(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryInsertObject(CLSID*, IStorage*, LONG) override {
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE DeleteObject(IOleObject*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(CHARRANGE*, DWORD, IDataObject** data) override;
    HRESULT STDMETHODCALLTYPE GetDragDropEffect(BOOL, DWORD, DWORD*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetContextMenu(WORD, IOleObject*, CHARRANGE*, HMENU* menu) override;

  private:
    DropHandler opener_;
    ULONG references_ = 0;
};

// Files only, dropped on DropPad, on the Editor that covers it or through the Editor's own drop
// target, each drop handed to opener.
void configureFileDrop(DropTarget& target, EditorDropCallback& callback, HWND dropPad,
                       Editor& editor, DropHandler opener);

}  // namespace wendrill
