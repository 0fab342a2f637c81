#pragma once
// Keeps an HTML document from showing its right-click menu: its context-menu event is answered
// with false for as long as the blocker observes it.
#include <memory>

#include <windows.h>

#include "com/Events.h"

namespace velmora::com {

// The document events interface (HTMLDocumentEvents2); the import libraries lack its IID.
extern const IID kHtmlDocumentEvents2;

class DocumentMenuBlocker {
public:
    // Observes document instead of the one before, which is released. False, with the previous
    // document still observed, when document is null or offers no document events.
    bool Observe(IDispatch* document);
    void Stop() { connection_.reset(); }
    bool observing() const { return static_cast<bool>(connection_); }

private:
    std::unique_ptr<EventConnection> connection_;
};

}  // namespace velmora::com
