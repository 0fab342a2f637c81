// velmora-fetch URL DEST: one download with the downloader's engine, as the panel runs it,
// printing every log line and every change of the progress and rate texts.
#include <unistd.h>

#include <climits>
#include <iostream>
#include <string>

#include "download/XiaZaiQi.h"
#include "download/posix/PosixTcpClient.h"
#include "platform/testing/TestPlatform.h"

namespace {

using velmora::download::Control;
using velmora::download::XiaZaiQi;

class Printer : public velmora::download::XiaZaiQiObserver {
public:
    explicit Printer(const XiaZaiQi& panel) : panel_(panel) {}
    void LineAdded(const std::string& line) override { std::cout << line << '\n'; }
    void Changed(Control control) override {
        if (control == Control::Status) std::cout << panel_.controls().status << '\n';
        if (control == Control::Speed) std::cout << panel_.controls().speed << '\n';
    }

private:
    const XiaZaiQi& panel_;
};

std::string CurrentDirectory() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) ? buffer : ".";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: velmora-fetch URL DEST\n";
        return 2;
    }
    // Real files by their POSIX paths; the text is UTF-8 on both sides.
    velmora::testing::TempFileSystem files;
    velmora::testing::IdentityCodePage codePage;
    velmora::download::PosixTcpClient client;
    XiaZaiQi panel(client, files, codePage, CurrentDirectory());
    Printer printer(panel);
    panel.SetObserver(&printer);
    bool completed = false;
    panel.SetInstallStep([&](const std::string&) { completed = true; });

    panel.SetSource(argv[1]);
    panel.SetDest(argv[2]);
    panel.SetRateTimer(true);
    panel.XiaZai();
    const bool ended = velmora::download::RunDownload(panel, client, std::chrono::hours(24));
    std::cout.flush();
    if (!ended) std::cerr << "velmora-fetch: gave up waiting\n";
    return completed ? 0 : 1;
}
