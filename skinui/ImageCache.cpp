#include "skinui/ImageCache.h"

#include "skinui/ResourceStore.h"
#include "skinui/Text.h"

#include <cairo.h>

#include <cstring>

namespace SkinUI {
namespace {

struct PngReader {
    const std::string* bytes;
    std::size_t pos;
};

cairo_status_t ReadChunk(void* closure, unsigned char* data, unsigned int length)
{
    auto* r = static_cast<PngReader*>(closure);
    if (r->pos + length > r->bytes->size()) {
        return CAIRO_STATUS_READ_ERROR;
    }
    std::memcpy(data, r->bytes->data() + r->pos, length);
    r->pos += length;
    return CAIRO_STATUS_SUCCESS;
}

void ApplyMask(cairo_surface_t* s, Color mask)
{
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int w = cairo_image_surface_get_width(s);
    const int h = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            // Only fully opaque pixels carry their colour unpremultiplied.
            if ((row[x] >> 24) == 0xFF && (row[x] & 0x00FFFFFFu) == mask) {
                row[x] = 0;
            }
        }
    }
    cairo_surface_mark_dirty(s);
}

}  // namespace

ImageCache::~ImageCache()
{
    Clear();
}

void ImageCache::Clear()
{
    for (auto& [key, surface] : images_) {
        if (surface) {
            cairo_surface_destroy(surface);
        }
    }
    images_.clear();
}

cairo_surface_t* ImageCache::DecodePng(const std::string& bytes)
{
    PngReader reader{&bytes, 0};
    cairo_surface_t* png = cairo_image_surface_create_from_png_stream(ReadChunk, &reader);
    if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(png);
        return nullptr;
    }
    // Always hand out ARGB32 so that masks and pixel reads see one format.
    const int w = cairo_image_surface_get_width(png);
    const int h = cairo_image_surface_get_height(png);
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(out);
    cairo_set_source_surface(cr, png, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(png);
    return out;
}

cairo_surface_t* ImageCache::Get(const std::wstring& file, std::optional<Color> mask)
{
    if (file.empty()) {
        return nullptr;
    }
    const bool absolute = file.front() == L'/';
    Key key{absolute ? ToUtf8(file) : ResourceStore::NormaliseName(file), mask ? static_cast<std::int64_t>(*mask) : -1};
    if (const auto it = images_.find(key); it != images_.end()) {
        return it->second;
    }
    cairo_surface_t* surface = nullptr;
    if (const auto bytes = store_.Load(file)) {
        surface = DecodePng(*bytes);
        if (surface && mask) {
            ApplyMask(surface, *mask);
        }
    }
    // Misses are remembered too; a missing file is not looked for on every paint.
    images_[key] = surface;
    return surface;
}

}  // namespace SkinUI
