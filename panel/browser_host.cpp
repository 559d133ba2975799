#include "panel/browser_host.h"

#include <exdispid.h>

#include <memory>
#include <new>
#include <string>
#include <utility>

// Only embedding is checked: a failed navigation, setting, Unadvise or Close leaves nothing for
// the program to do, since the browser shows its own page for a failed load.

namespace wendrill {
namespace {

using Microsoft::WRL::ComPtr;

template <class Interface>
HRESULT handOut(Interface* object, void** out) {
    object->AddRef();
    *out = object;
    return S_OK;
}

HRESULT refuse(void** out) {
    *out = nullptr;
    return E_NOINTERFACE;
}

// The reference count both of our objects share; the last Release deletes the object.
class Counted {
  public:
    virtual ~Counted() = default;
    ULONG addReference() { return ++references_; }
    ULONG dropReference() {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

  private:
    ULONG references_ = 1;  // the control calls us on this thread only
};

// One object is the control's whole container: client site, in-place site and frame.
class Site final : public IOleClientSite,
                   public IOleInPlaceSite,
                   public IOleInPlaceFrame,
                   private Counted {
  public:
    explicit Site(HWND container) : container_(container) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
            return handOut(static_cast<IOleClientSite*>(this), out);
        }
        if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
            return handOut(static_cast<IOleInPlaceSite*>(this), out);
        }
        if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
            return handOut(static_cast<IOleInPlaceFrame*>(this), out);
        }
        return refuse(out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return addReference(); }
    ULONG STDMETHODCALLTYPE Release() override { return dropReference(); }

    // IOleClientSite: nothing is stored, so there is nothing to save or name.
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        *moniker = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
        *container = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, for the site and the frame alike.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = container_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite: the control always fills the container, which never moves or resizes.
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                               IOleInPlaceUIWindow** document, RECT* place,
                                               RECT* clip, OLEINPLACEFRAMEINFO* info) override {
        *frame = this;
        AddRef();
        *document = nullptr;
        GetClientRect(container_, place);
        *clip = *place;
        info->fMDIApp = FALSE;
        info->hwndFrame = GetAncestor(container_, GA_ROOT);
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceFrame: the main window lends the control no menus, borders or status bar.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
        return INPLACE_E_NOTOOLSPACE;
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override {
        return INPLACE_E_NOTOOLSPACE;
    }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  private:
    HWND container_;
};

// Hears DWebBrowserEvents2 and passes on the events the program handles.
class EventSink final : public IDispatch, private Counted {
  public:
    EventSink(std::function<void()> downloadComplete, std::function<void()> documentComplete)
        : downloadComplete_(std::move(downloadComplete)),
          documentComplete_(std::move(documentComplete)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) {
            return handOut(static_cast<IDispatch*>(this), out);
        }
        return refuse(out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return addReference(); }
    ULONG STDMETHODCALLTYPE Release() override { return dropReference(); }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID event, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        try {
            if (event == DISPID_DOWNLOADCOMPLETE && downloadComplete_) downloadComplete_();
            if (event == DISPID_DOCUMENTCOMPLETE && documentComplete_) documentComplete_();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;  // no exception passes through the browser's code
        }
        return S_OK;
    }

  private:
    std::function<void()> downloadComplete_;
    std::function<void()> documentComplete_;
};

struct BstrFree {
    void operator()(BSTR text) const { SysFreeString(text); }
};
using Bstr = std::unique_ptr<OLECHAR, BstrFree>;

Bstr bstrFrom(std::u16string_view text) {
    static_assert(sizeof(OLECHAR) == sizeof(char16_t), "BSTR text is UTF-16");
    return Bstr(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                  static_cast<UINT>(text.size())));
}

}  // namespace

bool BrowserHost::open(HWND container, std::function<void()> downloadComplete) {
    close();
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&object_)))) {
        return false;
    }
    site_.Attach(static_cast<IOleClientSite*>(new Site(container)));
    RECT place{};
    GetClientRect(container, &place);
    const bool embedded = SUCCEEDED(object_->SetClientSite(site_.Get())) &&
                          SUCCEEDED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(),
                                                    0, container, &place)) &&
                          SUCCEEDED(object_.As(&browser_));
    if (!embedded) {
        close();
        return false;
    }
    // Without it the page only misses the keys; the panel works on.
    object_.As(&active_);
    // The browser may show its own dialogs and always goes to the network.
    browser_->put_Silent(VARIANT_FALSE);
    browser_->put_Offline(VARIANT_FALSE);
    listen(std::move(downloadComplete));
    return true;
}

// Without the events the right-click hook is never tried, and right clicks reach the page.
void BrowserHost::listen(std::function<void()> downloadComplete) {
    ComPtr<IConnectionPointContainer> points;
    if (FAILED(browser_.As(&points)) ||
        FAILED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, &events_))) {
        events_.Reset();
        return;
    }
    ComPtr<IDispatch> sink;
    sink.Attach(new EventSink(std::move(downloadComplete), [this] { useMiddleTextSize(); }));
    if (FAILED(events_->Advise(sink.Get(), &cookie_))) events_.Reset();
}

void BrowserHost::navigate(std::u16string_view address) {
    if (!browser_) return;
    const Bstr url = bstrFrom(address);
    if (!url) return;
    VARIANT none;
    VariantInit(&none);
    browser_->Navigate(url.get(), &none, &none, &none, &none);
}

// The browser keeps a text size per page it shows, so it is set again for each page.
void BrowserHost::useMiddleTextSize() {
    if (!browser_) return;
    VARIANT size;
    VariantInit(&size);
    size.vt = VT_I4;
    size.lVal = kMiddleTextSize;
    browser_->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &size, nullptr);
}

bool BrowserHost::translateKey(MSG& msg) {
    return active_ && active_->TranslateAccelerator(&msg) == S_OK;
}

void BrowserHost::close() {
    if (events_) events_->Unadvise(cookie_);
    events_.Reset();
    active_.Reset();
    browser_.Reset();
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
    }
    object_.Reset();
    site_.Reset();
}

}  // namespace wendrill
