#include "download/tools/FetchConsole.h"

namespace velmora::download {

FetchConsole::FetchConsole(XiaZaiQi& panel, std::ostream& out) : panel_(panel), out_(out) {
    panel_.SetObserver(this);
    panel_.SetInstallStep([this](const std::string&) { completed_ = true; });
}

void FetchConsole::Start(const std::string& url, const std::string& dest) {
    panel_.SetSource(url);
    panel_.SetDest(dest);
    panel_.SetRateTimer(true);
    panel_.XiaZai();
}

void FetchConsole::LineAdded(const std::string& line) { out_ << line << '\n'; }

void FetchConsole::Changed(Control control) {
    if (control == Control::Status) out_ << panel_.controls().status << '\n';
    if (control == Control::Speed) out_ << panel_.controls().speed << '\n';
}

}  // namespace velmora::download
