// Feeds a response to the panel in pieces chosen by the input and checks what it made of it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "download/HttpHeader.h"
#include "download/XiaZaiQi.h"
#include "download/fuzz/MemoryFiles.h"
#include "download/tests/FakeTcpClient.h"
#include "platform/testing/Doubles.h"

using namespace velmora::download;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // The first byte seeds the packet sizes, the rest is the response.
    unsigned seed = data[0];
    const std::string response(reinterpret_cast<const char*>(data + 1), size - 1);

    fuzzing::MemoryFiles files;
    velmora::testing::IdentityCodePage codePage;
    testing::FakeTcpClient socket;
    XiaZaiQi panel(socket, files, codePage, "C:\\prog");
    int completions = 0;
    panel.SetInstallStep([&](const std::string&) { ++completions; });
    panel.SetSource("http://h/f.bin");
    panel.SetDest("C:\\prog\\f.bin");
    panel.XiaZai();
    panel.Connected();
    size_t at = 0;
    while (at < response.size()) {
        seed = seed * 1103515245u + 12345u;
        const size_t piece = 1 + (seed >> 16) % 64;
        const size_t n = piece < response.size() - at ? piece : response.size() - at;
        panel.DataArrived(response.data() + at, n);
        at += n;
    }
    panel.PeerClosed();

    // A completed file holds exactly the announced length; a failed one leaves nothing.
    const size_t end = FindHeaderEnd(response, 0);
    const auto file = files.ReadAll("C:\\prog\\f.bin");
    if (completions > 1) std::abort();
    if (file && (end == std::string::npos || response.compare(end, file->size(), *file) != 0)) std::abort();
    if (completions == 1) {
        // A length of plain digits is the size of the file.
        const std::string length = XiaZaiQi::QuTouXiang(response.substr(0, end), "Content-Length");
        const bool digits = !length.empty() && length.size() < 10 &&
                            length.find_first_not_of("0123456789") == std::string::npos;
        if (!file || (digits && file->size() != std::strtoull(length.c_str(), nullptr, 10))) std::abort();
    }
    if (files.Stat("C:\\prog\\f.bin.part")) std::abort();
    if (end != std::string::npos && end > kHeaderCap && file) std::abort();

    // Field lookup on arbitrary text with a name taken from it.
    const std::string name = response.substr(0, response.find(':'));
    const std::string value = XiaZaiQi::QuTouXiang(response, name);
    if (!value.empty() && (value.front() == ' ' || value.back() == ' ')) std::abort();
    return 0;
}
