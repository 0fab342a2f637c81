#pragma once
// What the command-line front ends share: printing the panel's log and label changes, one per
// line, and starting the download as the panel does.
#include <ostream>
#include <string>

#include "download/XiaZaiQi.h"

namespace velmora::download {

class FetchConsole : public XiaZaiQiObserver {
public:
    FetchConsole(XiaZaiQi& panel, std::ostream& out);
    // Sets the texts, starts the rate timer and the download.
    void Start(const std::string& url, const std::string& dest);
    // True once the download was handed over as complete.
    bool completed() const { return completed_; }

private:
    void LineAdded(const std::string& line) override;
    void Changed(Control control) override;

    XiaZaiQi& panel_;
    std::ostream& out_;
    bool completed_ = false;
};

}  // namespace velmora::download
