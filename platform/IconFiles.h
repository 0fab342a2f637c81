#pragma once
// Icons held in a file (icon libraries, programs, icon files), for previews.
#include <string>

namespace velmora {

// One extraction: an icon, no icon at that index (the end of the file's icons), or a file that
// holds no icons at all (the system's extraction then answers 1 for every index).
enum class IconExtraction { Icon, NoIcon, NotAnIconFile };

class IconFiles {
public:
    virtual ~IconFiles() = default;
    // On Icon, *icon receives the icon's handle (HICON), which the caller destroys.
    virtual IconExtraction Extract(const std::string& file, int index, void** icon) = 0;
};

}  // namespace velmora
