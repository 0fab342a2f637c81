// velmora-fetch URL DEST: one download with the downloader's engine, as the panel runs it,
// printing every log line and every change of the progress and rate texts.
#include <unistd.h>

#include <climits>
#include <iostream>
#include <string>

#include "download/posix/PosixTcpClient.h"
#include "download/tools/FetchConsole.h"
#include "platform/posix/PosixFileSystem.h"

namespace {

// File names and texts are UTF-8 on both sides: nothing to convert.
class Utf8CodePage : public velmora::CodePage {
public:
    std::string ToSystem(const std::string& utf8) override { return utf8; }
    std::string FromSystem(const std::string& bytes) override { return bytes; }
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
    velmora::posix::PosixFileSystem files;
    Utf8CodePage codePage;
    velmora::download::PosixTcpClient client;
    velmora::download::XiaZaiQi panel(client, files, codePage, CurrentDirectory());
    velmora::download::FetchConsole console(panel, std::cout);
    console.Start(argv[1], argv[2]);
    const bool ended = velmora::download::RunDownload(panel, client, std::chrono::hours(24));
    std::cout.flush();
    if (!ended) std::cerr << "velmora-fetch: gave up waiting\n";
    return console.completed() ? 0 : 1;
}
