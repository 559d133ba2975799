#pragma once
// Dragged data as a drag source hands it over: a list of files in the shell's dropped-files
// format, or plain text, and an in-process drag driven by the synthetic mouse.

#include <windows.h>

#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "editor/codepage.h"
#include "tests/win/pump.h"
#include "text/doc_text.h"

namespace wendrill::test {

// Formats in global memory; every GetData hands out a copy, as the platform's objects do.
class DataObject final : public IDataObject {
  public:
    using Formats = std::vector<std::pair<CLIPFORMAT, std::string>>;
    DataObject(CLIPFORMAT format, const std::string& bytes) : formats_{{format, bytes}} {}
    explicit DataObject(Formats formats) : formats_(std::move(formats)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IDataObject) {
            *object = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        const std::string* bytes = find(format);
        if (!bytes) return DV_E_FORMATETC;
        HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, bytes->size());
        if (!copy) return E_OUTOFMEMORY;
        std::memcpy(GlobalLock(copy), bytes->data(), bytes->size());
        GlobalUnlock(copy);
        *medium = STGMEDIUM{};
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return find(format) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        std::vector<FORMATETC> offered;
        for (const auto& [format, bytes] : formats_) {
            offered.push_back(FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
        }
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(offered.size()), offered.data(), formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

  private:
    const std::string* find(const FORMATETC* wanted) const {
        if (!wanted || (wanted->tymed & TYMED_HGLOBAL) == 0) return nullptr;
        for (const auto& [format, bytes] : formats_) {
            if (format == wanted->cfFormat) return &bytes;
        }
        return nullptr;
    }

    Formats formats_;
    ULONG references_ = 1;
};

// DROPFILES followed by the wide paths, each ended by a NUL, and one more NUL.
inline DataObject fileDrop(const std::vector<DocText>& paths) {
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::wstring list;
    for (const DocText& path : paths) list += wideFromDoc(path) + L'\0';
    list += L'\0';
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(list.data()), list.size() * sizeof(wchar_t));
    return DataObject(CF_HDROP, bytes);
}

inline DataObject textDrop(const DocText& text) { return DataObject(CF_TEXT, text + '\0'); }

class DropSource final : public IDropSource {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IDropSource) {
            *object = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        return (keys & MK_LBUTTON) == 0 ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

inline void sendMouse(POINT at, DWORD button = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
    SendInput(1, &input, sizeof input);
}

// The mouse path of one drag: pressed at the start, moved to the target a few times, released.
struct DragPath {
    POINT start;
    POINT target;
    int moves = 0;
};

inline DragPath& currentDrag() {
    static DragPath path{};
    return path;
}

inline void CALLBACK moveDrag(HWND, UINT, UINT_PTR timer, DWORD) {
    DragPath& path = currentDrag();
    const POINT at{path.target.x + path.moves, path.target.y};
    if (++path.moves <= 3) {
        sendMouse(at);
        return;
    }
    KillTimer(nullptr, timer);
    sendMouse(at, MOUSEEVENTF_LEFTUP);
}

// A real in-process DoDragDrop from start to target, the mouse moved by a timer on this thread
// inside the drag's own loop. Returns what DoDragDrop returned.
inline HRESULT dragAndDrop(IDataObject& data, POINT start, POINT target) {
    currentDrag() = DragPath{start, target, 0};
    sendMouse(start);
    sendMouse(start, MOUSEEVENTF_LEFTDOWN);
    // The drag reads the buttons from this thread's key state, which the press reaches once
    // its message has been taken from the queue.
    if (!pumpUntil([] { return GetKeyState(VK_LBUTTON) < 0; })) return E_UNEXPECTED;
    SetTimer(nullptr, 0, 100, moveDrag);
    DropSource source;
    DWORD effect = DROPEFFECT_NONE;
    return DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
}

}  // namespace wendrill::test
