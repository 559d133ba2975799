#pragma once
// DropTarget: takes what is dragged onto its window, by the kinds of data it is set to admit,
// and raises one event per drop with the dropped text. It lives as long as its owner, which
// unbinds it before its windows go.

#include <windows.h>

#include <ole2.h>

#include <array>
#include <functional>
#include <optional>

#include "text/doc_text.h"

namespace wendrill {

// In the order a drag is asked about them.
enum class DropKind { text, files, link, html };
inline constexpr size_t kDropKinds = 4;

using DropHandler = std::function<void(const DocText&)>;

class DropTarget final : public IDropTarget {
  public:
    DropTarget() = default;
    ~DropTarget() { unbind(); }
    DropTarget(const DropTarget&) = delete;
    DropTarget& operator=(const DropTarget&) = delete;

    void setAccepts(DropKind kind, bool on) { accepts_[index(kind)] = on; }
    // Files arrive as one path, or as every path followed by CR LF; the rest as their text.
    void onDropped(DropKind kind, DropHandler handler) {
        handlers_[index(kind)] = std::move(handler);
    }

    // True if the window is now registered with the platform as served by this target. Bound
    // once only: a second binding is refused, and so is every binding after a refused one.
    bool bindDropWindow(HWND window);
    // Drops over a window lying on top of the bound one go to its top window, so that window is
    // served too. Each call replaces the window served before.
    void serveCoveringWindow(HWND window);
    void unbind();

    // IUnknown; the owner keeps the object alive, so the count only answers the platform.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }

    // IDropTarget
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point,
                                   DWORD* effect) override;

  private:
    static size_t index(DropKind kind) { return static_cast<size_t>(kind); }

    std::array<bool, kDropKinds> accepts_{};
    std::array<DropHandler, kDropKinds> handlers_;
    std::optional<DropKind> dragged_;  // the admitted kind the drag offers, if any
    bool bound_ = false;
    HWND boundWindow_ = nullptr;
    HWND coveringWindow_ = nullptr;
    ULONG references_ = 0;
};

// Whether the dragged data offers the format in global memory.
bool offersFormat(IDataObject* data, CLIPFORMAT format);
// The files a drag hands over: one path, or every path followed by CR LF; nothing when it hands
// over no list of files.
std::optional<DocText> droppedFiles(IDataObject* data);

}  // namespace wendrill
