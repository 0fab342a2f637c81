#pragma once
// The system's web browser control hosted in place, with its navigation events as
// std::functions over UTF-8 strings.
//
//   auto zyll = com::WebBrowserHost::Create(frameHwnd, rectInPixels);   // null on failure
//   zyll->SetSilent(true);
//   zyll->onBeforeNavigate = [](const std::string& url) { return url.find("/*/") != npos; };
//   zyll->onTitleChange = [](const std::string& title) { ... };
//   zyll->onDownloadComplete = [&] { zyll->SuppressDocumentContextMenu(); };
//   zyll->Navigate("about:blank");
//
// Handlers may be set or replaced at any time; an empty one is skipped.
#include <functional>
#include <memory>
#include <string>

#include <windows.h>
#include <exdisp.h>

#include "com/DocumentMenuBlocker.h"
#include "com/OleControl.h"

namespace velmora::com {

class WebBrowserHost {
public:
    static std::unique_ptr<WebBrowserHost> Create(HWND parent, const RECT& rect);

    bool Navigate(const std::string& url);
    bool SetSilent(bool silent);
    bool Silent() const;
    std::string LocationUrl() const;
    // Makes the loaded document show no right-click menu, by answering its context-menu event
    // with false. Only the latest document is held. False when there is no document.
    bool SuppressDocumentContextMenu();

    IWebBrowser2* browser() const { return browser_.get(); }
    OleControl& control() { return *control_; }

    // Before every navigation, frames included; returning true cancels it. It must decide
    // without running the message loop: the navigation is still pending while it runs.
    std::function<bool(const std::string& url)> onBeforeNavigate;
    // After a navigation was cancelled, its flag already set: what the link asks for (messages,
    // a job) runs here, where a nested message loop can no longer let the navigation through.
    std::function<void(const std::string& url)> onCancelled;
    std::function<void(const std::string& title)> onTitleChange;
    std::function<void()> onDownloadComplete;
    std::function<void(const std::string& url)> onDocumentComplete;
    // status is the HTTP status or the failing HRESULT the browser reports.
    std::function<void(const std::string& url, long status)> onNavigateError;

private:
    WebBrowserHost() = default;
    void OnEvent(DISPID dispid, DISPPARAMS* params);

    std::unique_ptr<OleControl> control_;
    ComRef<IWebBrowser2> browser_;
    DocumentMenuBlocker menuBlocker_;
};

}  // namespace velmora::com
