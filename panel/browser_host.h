#pragma once
// The platform's WebBrowser control hosted in place in a child window: a small container of our
// own (client site, in-place site and frame in one object) and a sink for the control's events.

#include <windows.h>

#include <exdisp.h>
#include <ole2.h>
#include <wrl/client.h>

#include <functional>
#include <string_view>

namespace wendrill {

class BrowserHost {
  public:
    BrowserHost() = default;
    ~BrowserHost() { close(); }
    BrowserHost(const BrowserHost&) = delete;
    BrowserHost& operator=(const BrowserHost&) = delete;

    // Embeds the control over the whole of `container`. downloadComplete runs each time the
    // control finishes or abandons a download. False when there is no control to embed (COM not
    // initialised on this thread, or no browser installed): the container then stays empty.
    bool open(HWND container, std::function<void()> downloadComplete);
    bool isOpen() const { return object_ != nullptr; }

    // A plain navigation: no flags, no target frame, no posted data, no extra headers.
    void navigate(std::u16string_view address);

    // The middle one of the browser's five text sizes (0 smallest to 4 largest); done by the
    // host itself once each page has loaded.
    static constexpr long kMiddleTextSize = 2;
    void useMiddleTextSize();

    // The page's own keyboard handling; true if it took the key.
    bool translateKey(MSG& msg);

    // Releases the control. It must run while the container still exists.
    void close();

  private:
    void listen(std::function<void()> downloadComplete);

    Microsoft::WRL::ComPtr<IOleClientSite> site_;
    Microsoft::WRL::ComPtr<IOleObject> object_;
    Microsoft::WRL::ComPtr<IWebBrowser2> browser_;
    Microsoft::WRL::ComPtr<IOleInPlaceActiveObject> active_;
    Microsoft::WRL::ComPtr<IConnectionPoint> events_;
    DWORD cookie_ = 0;
};

}  // namespace wendrill
