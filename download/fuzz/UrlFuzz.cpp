// Any source text: what gets connected and sent must be a well-formed request.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "download/Url.h"
#include "download/XiaZaiQi.h"
#include "download/fuzz/MemoryFiles.h"
#include "download/tests/FakeTcpClient.h"
#include "platform/testing/Doubles.h"

using namespace velmora::download;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string source(reinterpret_cast<const char*>(data), size);
    const HttpUrl url = ParseHttpUrl(source);
    if (IsUsableUrl(source, url) && (url.port < 1 || url.port > 65535 || url.host.empty())) std::abort();
    (void)XiaZaiQi::QuWenJianMing(source);

    fuzzing::MemoryFiles files;
    velmora::testing::IdentityCodePage codePage;
    testing::FakeTcpClient socket;
    XiaZaiQi panel(socket, files, codePage, "C:\\prog");
    panel.SetSource(source);
    panel.XiaZai();
    if (socket.connects.empty()) {
        if (panel.Busy() || !panel.controls().startEnabled) std::abort();
        return 0;
    }
    if (SchemeOf(source) != UrlScheme::Http) std::abort();
    panel.Connected();
    if (socket.sends.size() != 3) std::abort();
    // Each piece is one line: its only CR LF is the one at its end.
    for (const std::string& line : socket.sends) {
        if (line.find('\r') != line.size() - 2 || line.find('\n') != line.size() - 1) std::abort();
    }
    return 0;
}
