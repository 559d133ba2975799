#include "files/drop_target.h"

#include <shellapi.h>

#include <memory>
#include <new>
#include <string>

#include "files/drop_effect.h"

namespace wendrill {
namespace {

constexpr DropKind kKindsInOrder[] = {DropKind::text, DropKind::files, DropKind::link,
                                      DropKind::html};
constexpr UINT kFileCountQuery = 0xFFFFFFFF;

CLIPFORMAT clipboardFormat(DropKind kind) {
    static const auto link =
        static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"UniformResourceLocator"));
    static const auto html = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"HTML Format"));
    switch (kind) {
        case DropKind::text:
            return CF_TEXT;
        case DropKind::files:
            return CF_HDROP;
        case DropKind::link:
            return link;
        case DropKind::html:
            return html;
    }
    return 0;
}

FORMATETC formatOf(CLIPFORMAT format) {
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

struct MediumReleaser {
    void operator()(STGMEDIUM* medium) const { ReleaseStgMedium(medium); }
};

struct GlobalUnlocker {
    void operator()(void* memory) const { GlobalUnlock(GlobalHandle(memory)); }
};

// The bytes of a text in global memory, up to its NUL.
DocText textOf(HGLOBAL global) {
    std::unique_ptr<void, GlobalUnlocker> memory(GlobalLock(global));
    if (!memory) return {};
    const std::string_view bytes(static_cast<const char*>(memory.get()), GlobalSize(global));
    return DocText(bytes.substr(0, bytes.find('\0')));
}

std::wstring droppedPath(HDROP drop, UINT file) {
    const UINT length = DragQueryFileW(drop, file, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    path.resize(DragQueryFileW(drop, file, path.data(), length + 1));
    return path;
}

// False when the data does not hand the text of the kind over.
bool takeDropped(IDataObject* data, DropKind kind, DocText& dropped) {
    FORMATETC format = formatOf(clipboardFormat(kind));
    STGMEDIUM medium{};
    if (data->GetData(&format, &medium) != S_OK) return false;
    std::unique_ptr<STGMEDIUM, MediumReleaser> held(&medium);
    if (medium.tymed != TYMED_HGLOBAL || !medium.hGlobal) return false;
    dropped = textOf(medium.hGlobal);
    return true;
}

}  // namespace

bool offersFormat(IDataObject* data, CLIPFORMAT format) {
    FORMATETC wanted = formatOf(format);
    return data && data->QueryGetData(&wanted) == S_OK;
}

std::optional<std::vector<std::wstring>> droppedFiles(IDataObject* data) {
    FORMATETC format = formatOf(CF_HDROP);
    STGMEDIUM medium{};
    if (!data || data->GetData(&format, &medium) != S_OK) return std::nullopt;
    std::unique_ptr<STGMEDIUM, MediumReleaser> held(&medium);
    if (medium.tymed != TYMED_HGLOBAL || !medium.hGlobal) return std::nullopt;
    const auto drop = static_cast<HDROP>(medium.hGlobal);
    const UINT count = DragQueryFileW(drop, kFileCountQuery, nullptr, 0);
    if (count == 0) return std::nullopt;
    std::vector<std::wstring> paths;
    for (UINT file = 0; file < count; ++file) paths.push_back(droppedPath(drop, file));
    return paths;
}

bool DropTarget::bindDropWindow(HWND window) {
    if (bound_) return false;
    bound_ = true;
    if (FAILED(RegisterDragDrop(window, this))) return false;
    boundWindow_ = window;
    return true;
}

// A Rich Edit control that has a drop target of its own (on Windows) keeps it: it takes files
// through its callback (editor_drop_callback.h). Wine's control has none and gets this one.
void DropTarget::serveCoveringWindow(HWND window) {
    // The window served before is the Editor's old control, about to be destroyed.
    if (coveringWindow_) RevokeDragDrop(coveringWindow_);
    coveringWindow_ = SUCCEEDED(RegisterDragDrop(window, this)) ? window : nullptr;
}

void DropTarget::unbind() {
    for (HWND* window : {&boundWindow_, &coveringWindow_}) {
        if (*window && IsWindow(*window)) RevokeDragDrop(*window);
        *window = nullptr;
    }
}

HRESULT DropTarget::QueryInterface(REFIID id, void** object) {
    if (!object) return E_POINTER;
    if (id == IID_IUnknown || id == IID_IDropTarget) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL, DWORD* effect) {
    dragged_.reset();
    for (DropKind kind : kKindsInOrder) {
        if (accepts_[index(kind)] && offersFormat(data, clipboardFormat(kind))) {
            dragged_ = kind;
            break;
        }
    }
    return DragOver(keys, {}, effect);
}

HRESULT DropTarget::DragOver(DWORD keys, POINTL, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    *effect = dropEffect(dragged_.has_value(), keys, *effect);
    return S_OK;
}

HRESULT DropTarget::DragLeave() {
    dragged_.reset();
    return S_OK;
}

// The source always hears that the drop failed, so it never deletes a file it offered to move.
HRESULT DropTarget::Drop(IDataObject* data, DWORD keys, POINTL, DWORD* effect) {
    DWORD shown = effect ? *effect : DROPEFFECT_NONE;
    DragOver(keys, {}, &shown);
    const std::optional<DropKind> kind = dragged_;
    dragged_.reset();
    if (effect) *effect = DROPEFFECT_NONE;
    if (shown == DROPEFFECT_NONE || !data) return E_FAIL;
    try {
        if (*kind == DropKind::files) {
            const std::optional<std::vector<std::wstring>> paths = droppedFiles(data);
            if (paths && filesHandler_) filesHandler_(*paths);
            return E_FAIL;
        }
        DocText dropped;
        const DropHandler& handler = handlers_[index(*kind)];
        if (handler && takeDropped(data, *kind, dropped)) handler(dropped);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;  // no exception passes through the caller's COM code
    }
    return E_FAIL;
}

}  // namespace wendrill
