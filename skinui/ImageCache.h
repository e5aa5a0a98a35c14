#pragma once

#include "skinui/Types.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

typedef struct _cairo_surface cairo_surface_t;

namespace SkinUI {

class ResourceStore;

/// Decoded PNG images of one window, by file name and mask colour.
class ImageCache {
public:
    explicit ImageCache(const ResourceStore& store) : store_(store) {}
    ~ImageCache();
    ImageCache(const ImageCache&) = delete;
    ImageCache& operator=(const ImageCache&) = delete;

    /// The image, or null when it is missing or cannot be decoded. `mask` (0xRRGGBB)
    /// becomes transparent.
    cairo_surface_t* Get(const std::wstring& file, std::optional<Color> mask = std::nullopt);
    void Clear();

    /// Decodes PNG bytes into a new ARGB surface (null on failure); the caller owns it.
    static cairo_surface_t* DecodePng(const std::string& bytes);

private:
    struct Key {
        std::string name;
        std::int64_t mask;
        bool operator<(const Key& o) const { return name != o.name ? name < o.name : mask < o.mask; }
    };
    const ResourceStore& store_;
    std::map<Key, cairo_surface_t*> images_;
};

}  // namespace SkinUI
