#include "com/WebBrowserHost.h"

#include <exdispid.h>

#include "platform/win32/Wide.h"

namespace velmora::com {
namespace {

// Argument positions of the browser's events (DWebBrowserEvents2).
constexpr UINT kBeforeNavigateUrl = 1, kBeforeNavigateCancel = 6;
constexpr UINT kDocumentCompleteUrl = 1;
constexpr UINT kNavigateErrorUrl = 1, kNavigateErrorStatus = 3;
constexpr UINT kTitleText = 0;

// An owned BSTR for one call.
class Bstr {
public:
    explicit Bstr(const std::string& utf8) : s_(SysAllocString(Widen(utf8).c_str())) {}
    ~Bstr() { SysFreeString(s_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return s_; }

private:
    BSTR s_;
};

}  // namespace

std::unique_ptr<WebBrowserHost> WebBrowserHost::Create(HWND parent, const RECT& rect) {
    std::unique_ptr<WebBrowserHost> host(new WebBrowserHost);
    host->control_ = OleControl::Create(parent, CLSID_WebBrowser, rect);
    if (!host->control_) return nullptr;
    host->browser_ = ComRef<IUnknown>::Share(host->control_->unknown())
                         .As<IWebBrowser2>(IID_IWebBrowser2);
    if (!host->browser_) return nullptr;
    WebBrowserHost* self = host.get();
    if (!host->control_->Connect(DIID_DWebBrowserEvents2,
                                 [self](DISPID id, DISPPARAMS* params, VARIANT*) {
                                     self->OnEvent(id, params);
                                 }))
        return nullptr;
    return host;
}

bool WebBrowserHost::Navigate(const std::string& url) {
    Bstr address(url);
    if (!address.get()) return false;
    VARIANT none;
    VariantInit(&none);
    return SUCCEEDED(browser_->Navigate(address.get(), &none, &none, &none, &none));
}

bool WebBrowserHost::SetSilent(bool silent) {
    return SUCCEEDED(browser_->put_Silent(silent ? VARIANT_TRUE : VARIANT_FALSE));
}

bool WebBrowserHost::Silent() const {
    VARIANT_BOOL silent = VARIANT_FALSE;
    if (FAILED(browser_->get_Silent(&silent))) return false;
    return silent != VARIANT_FALSE;
}

std::string WebBrowserHost::LocationUrl() const {
    BSTR url = nullptr;
    if (FAILED(browser_->get_LocationURL(&url)) || !url) return {};
    std::string s = Narrow(url, SysStringLen(url));
    SysFreeString(url);
    return s;
}

bool WebBrowserHost::SuppressDocumentContextMenu() {
    ComRef<IDispatch> document;
    if (FAILED(browser_->get_Document(document.Receive())) || !document) return false;
    return menuBlocker_.Observe(document.get());
}

void WebBrowserHost::OnEvent(DISPID dispid, DISPPARAMS* params) {
    // Each handler runs from a copy, so it may replace itself.
    EventArgs args(params);
    switch (dispid) {
    case DISPID_BEFORENAVIGATE2: {
        const std::string url = args.String(kBeforeNavigateUrl);
        if (auto handler = onBeforeNavigate; handler && handler(url)) {
            args.SetBool(kBeforeNavigateCancel, true);
            if (auto after = onCancelled) after(url);
        }
        break;
    }
    case DISPID_TITLECHANGE:
        if (auto handler = onTitleChange) handler(args.String(kTitleText));
        break;
    case DISPID_DOWNLOADCOMPLETE:
        if (auto handler = onDownloadComplete) handler();
        break;
    case DISPID_DOCUMENTCOMPLETE:
        if (auto handler = onDocumentComplete) handler(args.String(kDocumentCompleteUrl));
        break;
    case DISPID_NAVIGATEERROR:
        if (auto handler = onNavigateError)
            handler(args.String(kNavigateErrorUrl), args.Long(kNavigateErrorStatus));
        break;
    default:
        break;
    }
}

}  // namespace velmora::com
