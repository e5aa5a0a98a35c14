#include "skinui/ShadowImage.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace SkinUI {
namespace {

using Span = WindowRegion::Span;

std::uint32_t Premultiplied(std::uint32_t alpha, std::uint32_t colorRef)
{
    const std::uint32_t r = colorRef & 0xFF;
    const std::uint32_t g = (colorRef >> 8) & 0xFF;
    const std::uint32_t b = (colorRef >> 16) & 0xFF;
    return (alpha << 24) | ((r * alpha / 255) << 16) | ((g * alpha / 255) << 8) | (b * alpha / 255);
}

}  // namespace

ArgbImage ComputeShadowImage(const WindowRegion& region, const ShadowParams& params)
{
    const int W = region.Width();
    const int H = region.Height();
    const int s = params.size;
    const int p = params.sharpness;
    const int d = params.darkness;
    const int ox = params.xOffset;
    const int oy = params.yOffset;
    const int Ws = W + 2 * s;
    const int Hs = H + 2 * s;
    if (W <= 0 || H <= 0 || Ws <= 0 || Hs <= 0) {
        return {};
    }
    ArgbImage image(Ws, Hs);
    const Span empty{W, 0};

    // 1. The window's spans per row.
    std::vector<Span> parent(static_cast<std::size_t>(H), empty);
    for (int y = 0; y < H; ++y) {
        const Span& row = region.Row(y);
        if (row.start < row.end) {
            parent[static_cast<std::size_t>(y)] = row;
        }
    }
    const auto L = [&](int y) { return parent[static_cast<std::size_t>(y)].start; };
    const auto R = [&](int y) { return parent[static_cast<std::size_t>(y)].end; };

    // 2. Shadow spans, with an empty sentinel row above and below (index r + 1).
    std::vector<Span> spans(static_cast<std::size_t>(Hs) + 2, empty);
    for (int r = 0; r < Hs; ++r) {
        const int y = r - s;
        if (y >= 0 && y < H) {
            spans[static_cast<std::size_t>(r) + 1] = {L(y) + s, R(y) + s};
        }
    }
    const auto A = [&](int r) -> const Span& { return spans[static_cast<std::size_t>(r + 1)]; };

    // 3. Erode by the part of the soft edge that lies inside the shadow's outline.
    for (int pass = 0; pass < p - s; ++pass) {
        std::vector<Span> next = spans;
        for (int r = 0; r < Hs; ++r) {
            next[static_cast<std::size_t>(r) + 1] = {std::max({A(r - 1).start, A(r).start, A(r + 1).start}) + 1,
                                                     std::min({A(r - 1).end, A(r).end, A(r + 1).end}) - 1};
        }
        spans = std::move(next);
    }

    // 4. Kernel.
    const int k = std::max(s, p);
    const int c = std::max(s - p, 0);
    const int side = 2 * k + 1;
    std::vector<std::uint32_t> kernel(static_cast<std::size_t>(side) * static_cast<std::size_t>(side), 0u);
    for (int dy = -k; dy <= k; ++dy) {
        for (int dx = -k; dx <= k; ++dx) {
            const double dist = std::sqrt(static_cast<double>(dx * dx + dy * dy));
            std::uint32_t alpha = 0;
            if (dist < c) {
                alpha = static_cast<std::uint32_t>(d);
            } else if (dist <= k) {
                alpha = static_cast<std::uint32_t>((1.0 - (dist - c) / (p + 1)) * d);
            } else {
                continue;
            }
            kernel[static_cast<std::size_t>(dy + k) * static_cast<std::size_t>(side) + static_cast<std::size_t>(dx + k)] =
                Premultiplied(alpha, params.color);
        }
    }
    const auto stamp = [&](int cx, int cy) {
        for (int dy = -k; dy <= k; ++dy) {
            const int y = cy + dy;
            if (y < 0 || y >= Hs) {
                continue;
            }
            for (int dx = -k; dx <= k; ++dx) {
                const int x = cx + dx;
                if (x < 0 || x >= Ws) {
                    continue;
                }
                const std::uint32_t v =
                    kernel[static_cast<std::size_t>(dy + k) * static_cast<std::size_t>(side) + static_cast<std::size_t>(dx + k)];
                std::uint32_t& px = image.At(x, y);
                if (v > px) {
                    px = v;
                }
            }
        }
    };

    // 5. Soft edge: stamp the kernel along the outline of every row.
    for (int r = k; r < Hs - k; ++r) {
        const Span& prev = A(r - 1);
        const Span& cur = A(r);
        const Span& next = A(r + 1);
        int x = cur.start;
        for (; x < std::min(std::max(prev.start, next.start) + 1, cur.end); ++x) {
            stamp(x, r);
        }
        for (x = std::max(x, std::min(prev.end, next.end) - 1); x < cur.end; ++x) {
            stamp(x, r);
        }
    }

    // 6. Solid inside, clear where the window lies over the shadow.
    const std::uint32_t solid = Premultiplied(static_cast<std::uint32_t>(d), params.color);
    const auto fill = [&](int r, int from, int to, std::uint32_t v) {
        from = std::max(from, 0);
        to = std::min(to, Ws);
        for (int x = from; x < to; ++x) {
            image.At(x, r) = v;
        }
    };
    const int rowFrom = std::max(std::min(k, std::max(s - oy, 0)), 0);
    const int rowTo = std::min(std::max(Hs - k, std::min(H + s - oy, H + 2 * s)), Hs);
    for (int r = rowFrom; r < rowTo; ++r) {
        const int yp = r - s + oy;
        const Span& a = A(r);
        if (yp < 0 || yp >= H) {
            fill(r, a.start, a.end, solid);
            continue;
        }
        const int q = s - ox;
        fill(r, a.start, std::min(L(yp) + q, a.end), solid);
        fill(r, std::max(L(yp) + q, 0), std::min(R(yp) + q, Ws), 0u);
        fill(r, std::max(R(yp) + q, a.start), a.end, solid);
    }
    return image;
}

}  // namespace SkinUI
