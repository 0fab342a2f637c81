// Feeds the service's answer to a description request in pieces chosen by the input, then splits
// the body it reports as the job does.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/FuWu.h"
#include "download/WenBenQingQiu.h"
#include "download/tests/FakeTcpClient.h"
#include "platform/testing/Doubles.h"

using namespace velmora::download;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    unsigned seed = data[0];
    const std::string response(reinterpret_cast<const char*>(data + 1), size - 1);

    velmora::testing::IdentityCodePage codePage;
    testing::FakeTcpClient socket;
    WenBenQingQiu request(socket, codePage);
    int reports = 0;
    std::optional<std::string> body;
    request.Start("http://svc/kelpo.php?id=1", [&](const std::optional<std::string>& b) {
        ++reports;
        body = b;
    });
    request.Connected();
    size_t at = 0;
    while (at < response.size() && request.Busy()) {
        seed = seed * 1103515245u + 12345u;
        const size_t piece = 1 + (seed >> 16) % 64;
        const size_t n = piece < response.size() - at ? piece : response.size() - at;
        request.DataArrived(response.data() + at, n);
        at += n;
    }
    if (request.Busy()) request.PeerClosed();

    // One report, never a body beyond the cap, nothing left open.
    if (reports != 1 || request.Busy() || socket.open) std::abort();
    if (body && body->size() > WenBenQingQiu::kBodyCap) std::abort();
    if (body) {
        const velmora::ZiYuanMiaoShu d = velmora::JieXiZiYuanMiaoShu(*body);
        for (const std::string* field : {&d.kind, &d.category, &d.name, &d.address}) {
            if (field->find("/*/") != std::string::npos) std::abort();
        }
    }
    return 0;
}
