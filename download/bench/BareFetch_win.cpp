// velmora-bare-fetch.exe HOST PORT PATH DEST PIECE: the Wine reference of the download
// benchmark. One blocking socket, one request, the answer read in pieces of PIECE bytes and
// written to the file as they come (header included: the transfer is measured, not parsing).
#include <winsock2.h>
#include <windows.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 6) return 2;
    const int piece = std::atoi(argv[5]);
    if (piece <= 0) return 2;
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return 1;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(std::atoi(argv[2])));
    address.sin_addr.s_addr = inet_addr(argv[1]);
    if (s == INVALID_SOCKET || connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return 1;
    const std::string request = std::string("GET ") + argv[3] + " HTTP/1.1\r\nHost: " + argv[1] + "\r\n\r\n";
    if (send(s, request.data(), static_cast<int>(request.size()), 0) != static_cast<int>(request.size())) return 1;
    HANDLE file = CreateFileA(argv[4], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    std::string buffer(static_cast<size_t>(piece), '\0');
    for (;;) {
        const int n = recv(s, buffer.data(), piece, 0);
        if (n <= 0) break;
        DWORD written = 0;
        if (!WriteFile(file, buffer.data(), static_cast<DWORD>(n), &written, nullptr)) return 1;
    }
    CloseHandle(file);
    closesocket(s);
    return 0;
}
