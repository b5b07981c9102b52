#include "toolkit/drawing/uxpixmap.h"

#include "toolkit/core/uxpages.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace {

const int CACHE_SIZE = 4096;  // entries of the colour -> index cache of indexed pixmaps

// Lines longer than this are entered at their first visible step by multiplication instead of
// stepping there one increment at a time.
const long long LINE_SKIP_AHEAD = 65536;

// Radius from which the circle's angle step stops shrinking, so absurd radii stay bounded.
const int CIRCLE_MAX_STEP_RADIUS = 100000;

bool valid_format(int format) { return format >= UXPX_INDEXED8 && format <= UXPX_SCREEN; }

bool inside(const uxPixmap* pm, long long x, long long y) {
    return pm->pixels && x >= 0 && y >= 0 && x < pm->width && y < pm->height;
}

void put(uxPixmap* pm, long long x, long long y, int value) {
    if (!inside(pm, x, y)) return;
    size_t i = (size_t)y * (size_t)pm->width + (size_t)x;
    if (pm->indices) {
        if (value < 0 || value >= pm->colors) return;
        pm->indices[i] = (uint16_t)value;
        pm->pixels[i] = pm->palette[value];
    } else {
        pm->pixels[i] = (uint32_t)value & 0xFFFFFFu;
    }
}

void forget_cache(uxPixmap* pm) {
    if (pm->colour_cache) std::memset(pm->colour_cache, 0, CACHE_SIZE * sizeof(uint64_t));
}

int nearest_search(const uxPixmap* pm, uint32_t rgb) {
    int r = (int)(rgb >> 16 & 255), g = (int)(rgb >> 8 & 255), b = (int)(rgb & 255);
    int best = 0;
    long best_dist = -1;
    for (int i = 0; i < pm->colors; ++i) {
        uint32_t p = pm->palette[i];
        long dr = (long)(p >> 16 & 255) - r, dg = (long)(p >> 8 & 255) - g, db = (long)(p & 255) - b;
        long dist = dr * dr + dg * dg + db * db;
        if (best_dist < 0 || dist < best_dist) {
            best = i;
            best_dist = dist;
            if (dist == 0) break;
        }
    }
    return best;
}

// The nearest colour table entry; recent answers are remembered per colour.
int nearest_index(uxPixmap* pm, uint32_t rgb) {
    rgb &= 0xFFFFFFu;
    if (!pm->colour_cache) {
        pm->colour_cache = new (std::nothrow) uint64_t[CACHE_SIZE]();
        if (!pm->colour_cache) return nearest_search(pm, rgb);
    }
    uint32_t slot = (rgb * 2654435761u) >> 20 & (CACHE_SIZE - 1);
    uint64_t key = (uint64_t)(rgb + 1) << 16;
    uint64_t entry = pm->colour_cache[slot];
    if ((entry & ~(uint64_t)0xFFFF) == key) return (int)(entry & 0xFFFF);
    int index = nearest_search(pm, rgb);
    pm->colour_cache[slot] = key | (uint64_t)index;
    return index;
}

// Index 0's colour into every pixel of a fresh (zeroed) pixmap; black is there already.
void fill_with_first_colour(uint32_t* pixels, size_t count, uint32_t colour) {
    if (colour == 0) return;
    for (size_t i = 0; i < count; ++i) pixels[i] = colour;
}

void grey_ramp(uint32_t* palette, int colors) {
    for (int i = 0; i < colors; ++i) {
        uint32_t v = colors > 1 ? (uint32_t)((long long)i * 255 / (colors - 1)) : 0;
        palette[i] = v << 16 | v << 8 | v;
    }
}

// Pixel steps of a line, from the first point, excluding the end point: along the longer axis
// one pixel at a time, the other coordinate moved by the slope and rounded as trunc(v + 0.5).
// Coordinates are 64-bit so that lines between far-away integer points cannot overflow.
void line_steps(uxPixmap* pm, long long x1, long long y1, long long x2, long long y2, int value) {
    long long dx = x2 - x1, dy = y2 - y1;
    bool x_major = std::llabs(dx) >= std::llabs(dy);
    long long steps = x_major ? std::llabs(dx) : std::llabs(dy);
    if (steps == 0) return;
    long long dir = (x_major ? dx : dy) > 0 ? 1 : -1;
    double slope = (double)(x_major ? dy : dx) / (double)steps;
    long long major0 = x_major ? x1 : y1;
    double minor0 = (double)(x_major ? y1 : x1);
    long long limit = x_major ? pm->width : pm->height;

    // Only steps whose major coordinate lies inside the pixmap can set a pixel.
    long long first, last;
    if (dir > 0) {
        first = std::max(0LL, -major0);
        last = std::min(steps - 1, limit - 1 - major0);
    } else {
        first = std::max(0LL, major0 - (limit - 1));
        last = std::min(steps - 1, major0);
    }
    if (first > last) return;

    if (slope == 0.0) {
        // Along an axis: one row or column, written directly.
        long long n = (long long)std::trunc(minor0 + 0.5);
        long long minor_limit = x_major ? pm->height : pm->width;
        if (!pm->pixels || n < 0 || n >= minor_limit) return;
        if (pm->indices && (value < 0 || value >= pm->colors)) return;
        long long from = major0 + dir * first, to = major0 + dir * last;
        if (from > to) std::swap(from, to);
        size_t stride = x_major ? 1 : (size_t)pm->width;
        size_t at = x_major ? (size_t)n * (size_t)pm->width + (size_t)from
                            : (size_t)from * (size_t)pm->width + (size_t)n;
        uint32_t pixel = pm->indices ? pm->palette[value] : (uint32_t)value & 0xFFFFFFu;
        for (long long k = from; k <= to; ++k, at += stride) {
            if (pm->indices) pm->indices[at] = (uint16_t)value;
            pm->pixels[at] = pixel;
        }
        return;
    }

    long long i = 0;
    double minor = minor0;
    if (first > LINE_SKIP_AHEAD) {
        i = first;
        minor = minor0 + slope * (double)first;
    }
    for (; i <= last; ++i) {
        if (i >= first) {
            long long m = major0 + dir * i;
            long long n = (long long)(minor + 0.5);  // the conversion truncates
            if (x_major)
                put(pm, m, n, value);
            else
                put(pm, n, m, value);
        }
        minor += slope;
    }
}

void line_pixels(uxPixmap* pm, long long x1, long long y1, long long x2, long long y2, int value) {
    line_steps(pm, x1, y1, x2, y2, value);
    put(pm, x2, y2, value);
}

// Points around the circle every pi / (12 r) radians, truncated toward zero, joined by lines.
void circle_by_angles(uxPixmap* pm, int x, int y, int r, int value) {
    int step_radius = std::min(r, CIRCLE_MAX_STEP_RADIUS);
    double step = M_PI / (12.0 * step_radius);
    long long first_x = (long long)((double)x + r), first_y = y;
    long long px = first_x, py = first_y;
    put(pm, px, py, value);
    for (double a = step; a < 2.0 * M_PI; a += step) {
        long long cx = (long long)((double)x + r * std::cos(a));
        long long cy = (long long)((double)y + r * std::sin(a));
        line_pixels(pm, px, py, cx, cy, value);
        px = cx;
        py = cy;
    }
    line_pixels(pm, px, py, first_x, first_y, value);
}

// The symmetric outline a display system's ellipse drawing gives (midpoint algorithm).
void circle_midpoint(uxPixmap* pm, int x, int y, int r, int value) {
    long long cx = 0, cy = r, f = 1 - (long long)r;
    long long ddx = 1, ddy = -2LL * r;
    put(pm, x, (long long)y + r, value);
    put(pm, x, (long long)y - r, value);
    put(pm, (long long)x + r, y, value);
    put(pm, (long long)x - r, y, value);
    while (cx < cy) {
        if (f >= 0) {
            --cy;
            ddy += 2;
            f += ddy;
        }
        ++cx;
        ddx += 2;
        f += ddx;
        long long xs[2] = {cx, cy}, ys[2] = {cy, cx};
        for (int k = 0; k < 2; ++k) {
            put(pm, x + xs[k], y + ys[k], value);
            put(pm, x - xs[k], y + ys[k], value);
            put(pm, x + xs[k], y - ys[k], value);
            put(pm, x - xs[k], y - ys[k], value);
        }
    }
}

}  // namespace

bool uxpxmap_is_indexed(const uxPixmap* pm) {
    return pm && (pm->format == UXPX_INDEXED8 || pm->format == UXPX_INDEXED16);
}

bool uxpxmap_create_palette(uxPixmap* pm, int width, int height, int format, int colors) {
    if (!pm) return false;
    uxpxmap_destroy(pm);
    if (!valid_format(format) || width < 0 || height < 0 || width > UXPX_MAX_SIDE ||
        height > UXPX_MAX_SIDE || (long long)width * height > UXPX_MAX_PIXELS)
        return false;
    bool indexed = format == UXPX_INDEXED8 || format == UXPX_INDEXED16;
    if (indexed) {
        colors = std::clamp(colors, 1, 65536);
        if (format == UXPX_INDEXED8 && colors > 256) format = UXPX_INDEXED16;
    }
    // Pixels and indices come zeroed as fresh pages, which the system zeroes when first
    // touched: a page that is never drawn on costs nothing.
    size_t count = (size_t)width * (size_t)height;
    if (count > 0) {
        pm->pixels = static_cast<uint32_t*>(
            uxpages_zeroed(count * sizeof(uint32_t), &pm->pixels_mapped));
        if (!pm->pixels) return false;
    }
    if (indexed) {
        pm->palette = new (std::nothrow) uint32_t[colors];
        pm->indices = count > 0 ? static_cast<uint16_t*>(uxpages_zeroed(
                                      count * sizeof(uint16_t), &pm->indices_mapped))
                                : nullptr;
        if (!pm->palette || (count > 0 && !pm->indices)) {
            uxpxmap_destroy(pm);
            return false;
        }
        pm->colors = colors;
        grey_ramp(pm->palette, colors);
        fill_with_first_colour(pm->pixels, count, pm->palette[0]);
    }
    pm->width = width;
    pm->height = height;
    pm->format = format;
    pm->transparent = -1;
    pm->pen_x = pm->pen_y = 0;
    return true;
}

bool uxpxmap_create(uxPixmap* pm, int width, int height, int format) {
    return uxpxmap_create_palette(pm, width, height, format, 256);
}

void uxpxmap_destroy(uxPixmap* pm) {
    if (!pm) return;
    uxpages_release(pm->pixels, pm->pixels_mapped);
    delete[] pm->palette;
    uxpages_release(pm->indices, pm->indices_mapped);
    delete[] pm->colour_cache;
    *pm = uxPixmap{};
}

bool uxpxmap_resize(uxPixmap* pm, int width, int height) {
    if (!pm || !valid_format(pm->format)) return false;
    if (pm->width == width && pm->height == height) return true;
    uxPixmap fresh;
    if (!uxpxmap_create_palette(&fresh, width, height, pm->format, pm->colors)) return false;
    if (pm->palette && fresh.palette) {
        std::memcpy(fresh.palette, pm->palette, sizeof(uint32_t) * (size_t)fresh.colors);
        fill_with_first_colour(fresh.pixels, (size_t)width * (size_t)height, fresh.palette[0]);
    }
    fresh.transparent = pm->transparent;
    fresh.pen_x = pm->pen_x;
    fresh.pen_y = pm->pen_y;
    uxpxmap_destroy(pm);
    *pm = fresh;
    return true;
}

void uxpxmap_setpalette(uxPixmap* pm, int first, int count, const uint32_t* colours) {
    if (!pm || !pm->palette || !colours || first < 0 || count <= 0 || first >= pm->colors) return;
    count = std::min(count, pm->colors - first);
    for (int i = 0; i < count; ++i) pm->palette[first + i] = colours[i] & 0xFFFFFFu;
    size_t n = (size_t)pm->width * (size_t)pm->height;
    for (size_t i = 0; i < n; ++i) pm->pixels[i] = pm->palette[pm->indices[i]];
    forget_cache(pm);
}

void uxpxmap_setpixel(uxPixmap* pm, int x, int y, int value) {
    if (pm) put(pm, x, y, value);
}

int uxpxmap_getpixel(const uxPixmap* pm, int x, int y) {
    if (!pm || !inside(pm, x, y)) return -1;
    size_t i = (size_t)y * (size_t)pm->width + (size_t)x;
    return pm->indices ? (int)pm->indices[i] : (int)pm->pixels[i];
}

int uxpxmap_getrgb(const uxPixmap* pm, int x, int y) {
    if (!pm || !inside(pm, x, y)) return -1;
    return (int)pm->pixels[(size_t)y * (size_t)pm->width + (size_t)x];
}

void uxpxmap_setrgb(uxPixmap* pm, int x, int y, uint32_t rgb) {
    if (!pm || !inside(pm, x, y)) return;
    put(pm, x, y, pm->indices ? nearest_index(pm, rgb) : (int)(rgb & 0xFFFFFFu));
}

void uxpxmap_line(uxPixmap* pm, int x1, int y1, int x2, int y2, int value) {
    if (!pm) return;
    line_pixels(pm, x1, y1, x2, y2, value);
    pm->pen_x = x2;
    pm->pen_y = y2;
}

void uxpxmap_lineto(uxPixmap* pm, int x, int y, int value) {
    if (pm) uxpxmap_line(pm, pm->pen_x, pm->pen_y, x, y, value);
}

void uxpxmap_moveto(uxPixmap* pm, int x, int y) {
    if (!pm) return;
    pm->pen_x = x;
    pm->pen_y = y;
}

void uxpxmap_rect(uxPixmap* pm, int x, int y, int w, int h, int value) {
    if (!pm || w <= 0 || h <= 0) return;
    long long right = (long long)x + w - 1, bottom = (long long)y + h - 1;
    // Sides on a row or column outside the pixmap have nothing to draw (nested frames far
    // larger than the pixmap would otherwise walk their clipped length for nothing).
    bool top_in = y >= 0 && y < pm->height, bottom_in = bottom >= 0 && bottom < pm->height;
    bool left_in = x >= 0 && x < pm->width, right_in = right >= 0 && right < pm->width;
    if (top_in) line_pixels(pm, x, y, right, y, value);
    if (left_in) line_pixels(pm, x, y, x, bottom, value);
    if (right_in) line_pixels(pm, right, y, right, bottom, value);
    if (bottom_in) line_pixels(pm, (long long)x + 1, bottom, right, bottom, value);
}

void uxpxmap_fillrect(uxPixmap* pm, int x, int y, int w, int h, int value) {
    if (!pm || !pm->pixels) return;
    long long left = x, top = y, width = w, height = h;
    if (left < 0) {
        width += left;
        left = 0;
    }
    if (top < 0) {
        height += top;
        top = 0;
    }
    width = std::min(width, pm->width - left);
    height = std::min(height, pm->height - top);
    if (width <= 0 || height <= 0) return;
    if (pm->indices) {
        if (value < 0 || value >= pm->colors) return;
        for (long long row = top; row < top + height; ++row) {
            size_t at = (size_t)row * (size_t)pm->width + (size_t)left;
            std::fill_n(pm->indices + at, width, (uint16_t)value);
            std::fill_n(pm->pixels + at, width, pm->palette[value]);
        }
    } else {
        uint32_t colour = (uint32_t)value & 0xFFFFFFu;
        for (long long row = top; row < top + height; ++row)
            std::fill_n(pm->pixels + (size_t)row * (size_t)pm->width + (size_t)left, width, colour);
    }
}

void uxpxmap_circle(uxPixmap* pm, int x, int y, int r, int value) {
    if (!pm || r < 0) return;
    if (r == 0) {
        put(pm, x, y, value);
    } else if (pm->format == UXPX_SERVER && r <= CIRCLE_MAX_STEP_RADIUS) {
        circle_midpoint(pm, x, y, r, value);
    } else {
        circle_by_angles(pm, x, y, r, value);
    }
}

void uxpxmap_clear(uxPixmap* pm, int value) {
    if (pm) uxpxmap_fillrect(pm, 0, 0, pm->width, pm->height, value);
}

void uxpxmap_blit(uxPixmap* dst, int dx, int dy, const uxPixmap* src, int sx, int sy, int w,
                  int h) {
    if (!dst || !src || !dst->pixels || !src->pixels) return;
    long long sxl = sx, syl = sy, dxl = dx, dyl = dy, wl = w, hl = h;
    if (sxl < 0) { dxl -= sxl; wl += sxl; sxl = 0; }
    if (syl < 0) { dyl -= syl; hl += syl; syl = 0; }
    if (dxl < 0) { sxl -= dxl; wl += dxl; dxl = 0; }
    if (dyl < 0) { syl -= dyl; hl += dyl; dyl = 0; }
    wl = std::min({wl, src->width - sxl, dst->width - dxl});
    hl = std::min({hl, src->height - syl, dst->height - dyl});
    if (wl <= 0 || hl <= 0) return;

    // The source block as rows of colours (and indexes); a copy when it may overlap the target.
    const uint32_t* colours = src->pixels + (size_t)syl * (size_t)src->width + (size_t)sxl;
    const uint16_t* indexes =
        src->indices ? src->indices + (size_t)syl * (size_t)src->width + (size_t)sxl : nullptr;
    size_t stride = (size_t)src->width;
    std::vector<uint32_t> colour_copy;
    std::vector<uint16_t> index_copy;
    if (dst == src) {
        colour_copy.resize((size_t)wl * (size_t)hl);
        if (indexes) index_copy.resize(colour_copy.size());
        for (long long row = 0; row < hl; ++row) {
            std::memcpy(&colour_copy[(size_t)row * (size_t)wl], colours + (size_t)row * stride,
                        sizeof(uint32_t) * (size_t)wl);
            if (indexes)
                std::memcpy(&index_copy[(size_t)row * (size_t)wl], indexes + (size_t)row * stride,
                            sizeof(uint16_t) * (size_t)wl);
        }
        colours = colour_copy.data();
        indexes = indexes ? index_copy.data() : nullptr;
        stride = (size_t)wl;
    }

    bool same_indexed = dst->indices && indexes && dst->format == src->format;
    int transparent = indexes ? src->transparent : -1;
    for (long long row = 0; row < hl; ++row) {
        const uint32_t* s_rgb = colours + (size_t)row * stride;
        const uint16_t* s_idx = indexes ? indexes + (size_t)row * stride : nullptr;
        size_t d = (size_t)(dyl + row) * (size_t)dst->width + (size_t)dxl;
        if (!dst->indices && transparent < 0) {
            std::memcpy(dst->pixels + d, s_rgb, sizeof(uint32_t) * (size_t)wl);
            continue;
        }
        for (long long col = 0; col < wl; ++col) {
            if (transparent >= 0 && s_idx[col] == transparent) continue;
            if (same_indexed) {
                int index = s_idx[col];
                if (index >= dst->colors) continue;
                dst->indices[d + col] = (uint16_t)index;
                dst->pixels[d + col] = dst->palette[index];
            } else if (dst->indices) {
                int index = nearest_index(dst, s_rgb[col]);
                dst->indices[d + col] = (uint16_t)index;
                dst->pixels[d + col] = dst->palette[index];
            } else {
                dst->pixels[d + col] = s_rgb[col];
            }
        }
    }
}
