#pragma once
#include <optional>
#include <string>

namespace velmora {

class Environment {
public:
    virtual ~Environment() = default;
    virtual std::optional<std::string> Variable(const std::string& name) = 0;
    // The folder that holds the executable, without a trailing backslash.
    virtual std::string ProgramDirectory() = 0;
    // The executable's base name without ".exe".
    virtual std::string ExecutableBaseName() = 0;
};

class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // The operating system's version string as the management service reports it
    // ("5.1.2600"), or nothing when the service cannot be reached.
    virtual std::optional<std::string> OsVersion() = 0;
    // The platform's connected-state query.
    virtual bool IsConnected() = 0;
};

// Conversion between UTF-8 and the system's ANSI code page, for the few places that speak
// ANSI (configuration and advertisement files, the HTTP request line and header).
class CodePage {
public:
    virtual ~CodePage() = default;
    virtual std::string ToSystem(const std::string& utf8) = 0;
    virtual std::string FromSystem(const std::string& bytes) = 0;
};

}  // namespace velmora
