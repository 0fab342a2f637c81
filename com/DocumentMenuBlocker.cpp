#include "com/DocumentMenuBlocker.h"

#include <mshtml.h>
#include <mshtmdid.h>

namespace velmora::com {

const IID kHtmlDocumentEvents2 = {
    0x3050f613, 0x98b5, 0x11cf, {0xbb, 0x82, 0x00, 0xaa, 0x00, 0xbd, 0xce, 0x0b}};

namespace {

void RefuseMenu(DISPID dispid, DISPPARAMS* params, VARIANT* result) {
    if (dispid != DISPID_HTMLDOCUMENTEVENTS2_ONCONTEXTMENU) return;
    if (result) {
        VariantInit(result);
        result->vt = VT_BOOL;
        result->boolVal = VARIANT_FALSE;
    }
    // The event object's return value says the same, for documents that read it instead.
    EventArgs args(params);
    ComRef<IHTMLEventObj> event =
        ComRef<IDispatch>::Share(args.Dispatch(0)).As<IHTMLEventObj>(IID_IHTMLEventObj);
    if (!event) return;
    VARIANT no;
    no.vt = VT_BOOL;
    no.boolVal = VARIANT_FALSE;
    static_cast<void>(event->put_returnValue(no));  // the answer in result already stands
}

bool SameObject(IUnknown* a, IUnknown* b) {
    auto ia = ComRef<IUnknown>::Share(a).As<IUnknown>(IID_IUnknown);
    auto ib = ComRef<IUnknown>::Share(b).As<IUnknown>(IID_IUnknown);
    return ia && ia.get() == ib.get();
}

}  // namespace

bool DocumentMenuBlocker::Observe(IDispatch* document) {
    if (!document) return false;
    if (connection_ && SameObject(connection_->source(), document)) return true;
    auto next = EventConnection::Open(document, kHtmlDocumentEvents2, RefuseMenu);
    if (!next) return false;
    connection_ = std::move(next);
    return true;
}

}  // namespace velmora::com
