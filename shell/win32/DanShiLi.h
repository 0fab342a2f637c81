#pragma once
// One running program per user session: the first start holds a named mutex; a later start
// hands its command line to the running main window and ends.
#include <windows.h>

#include <string>
#include <vector>

namespace velmora {

class DanShiLi {
public:
    DanShiLi();
    ~DanShiLi();
    DanShiLi(const DanShiLi&) = delete;
    DanShiLi& operator=(const DanShiLi&) = delete;
    // True when another instance of the program was already running in this session.
    bool YiZaiYunXing() const { return already_; }

private:
    HANDLE mutex_ = nullptr;
    bool already_ = false;
};

// Finds the running main window (waiting a while for one that is still starting), hands it the
// arguments and lets it come to the front. The process's exit status: 0 when the running
// program took them, 1 when it could not be reached.
int ZhuanJiaoMingLing(const std::vector<std::string>& args);

}  // namespace velmora
