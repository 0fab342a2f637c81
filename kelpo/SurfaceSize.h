#pragma once
// The off-screen surface's size rule: it only grows. Asking for a size it already covers keeps
// the surface and its contents; asking for more makes a new, larger surface.
#include <optional>

namespace velmora::kelpo {

struct SurfaceSize {
    int width = 0;
    int height = 0;
    bool operator==(const SurfaceSize& o) const { return width == o.width && height == o.height; }
};

// The size to make the surface at for a request of at least (width, height), or nothing when
// the current surface already covers it.
inline std::optional<SurfaceSize> GrownSize(SurfaceSize current, int width, int height) {
    if (width <= current.width && height <= current.height) return std::nullopt;
    return SurfaceSize{width > current.width ? width : current.width,
                       height > current.height ? height : current.height};
}

}  // namespace velmora::kelpo
