// The colour roles every widget draws with, and the frame and caption drawing they share.
#include <cstring>

#include "toolkit/platform/uxplatform.h"
#include "toolkit/widgets/uxbutton.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/drawing/uxpixmap.h"

namespace {

int roles[9];
bool loaded = false;

int clamp_channel(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

int shift_channels(int rgb, int delta) {
    int r = clamp_channel(((rgb >> 16) & 255) + delta);
    int g = clamp_channel(((rgb >> 8) & 255) + delta);
    int b = clamp_channel((rgb & 255) + delta);
    return (r << 16) | (g << 8) | b;
}

int system_or(int role, int fallback) {
    int c = uxplatform && uxplatform->system_colour ? uxplatform->system_colour(role) : -1;
    return c < 0 ? fallback : c & 0xFFFFFF;
}

void load() {
    int face = system_or(0, -1);
    roles[UXCOLOR_FACE] = face < 0 ? 0xD0D0D0 : face;
    roles[UXCOLOR_LIGHT] = face < 0 ? 0xE0E0E0 : shift_channels(face, 16);
    roles[UXCOLOR_SHADOW] = system_or(2, 0x808080);
    roles[UXCOLOR_WHITE] = 0xFFFFFF;
    roles[UXCOLOR_BLACK] = 0x000000;
    roles[UXCOLOR_TEXT] = system_or(5, 0x000000);
    roles[UXCOLOR_GREYTEXT] = system_or(6, 0x787878);
    roles[UXCOLOR_DARK] = face < 0 ? 0xC0C0C0 : shift_channels(face, -32);
    roles[UXCOLOR_HIGHLIGHT] = 0x000080;
    loaded = true;
}

}  // namespace

int uxcolor_role(int role) {
    if (!loaded) load();
    if (role < 0 || role > 8) role = UXCOLOR_FACE;
    return roles[role];
}

void uxcolor_reset() { loaded = false; }

// ---- frames -----------------------------------------------------------------------------------

static void edge_lines(uxPixmap* pm, int x, int y, int w, int h, int top_left, int bottom_right) {
    if (w <= 0 || h <= 0) return;
    uxpxmap_fillrect(pm, x, y, w, 1, top_left);
    uxpxmap_fillrect(pm, x, y, 1, h, top_left);
    uxpxmap_fillrect(pm, x, y + h - 1, w, 1, bottom_right);
    uxpxmap_fillrect(pm, x + w - 1, y, 1, h, bottom_right);
}

void uxcolor_frame(uxPixmap* pm, int x, int y, int w, int h, int border, bool raised) {
    if (border <= 0) return;
    if (border == 1) {
        edge_lines(pm, x, y, w, h, uxcolor_role(raised ? UXCOLOR_WHITE : UXCOLOR_SHADOW),
                   uxcolor_role(raised ? UXCOLOR_SHADOW : UXCOLOR_WHITE));
        return;
    }
    if (raised) {
        edge_lines(pm, x, y, w, h, uxcolor_role(UXCOLOR_WHITE), uxcolor_role(UXCOLOR_BLACK));
        edge_lines(pm, x + 1, y + 1, w - 2, h - 2, uxcolor_role(UXCOLOR_LIGHT),
                   uxcolor_role(UXCOLOR_SHADOW));
    } else {
        edge_lines(pm, x, y, w, h, uxcolor_role(UXCOLOR_SHADOW), uxcolor_role(UXCOLOR_WHITE));
        edge_lines(pm, x + 1, y + 1, w - 2, h - 2, uxcolor_role(UXCOLOR_BLACK),
                   uxcolor_role(UXCOLOR_LIGHT));
    }
    for (int k = 2; k < border && 2 * k < w && 2 * k < h; ++k)  // up to the frame's middle
        edge_lines(pm, x + k, y + k, w - 2 * k, h - 2 * k, uxcolor_role(UXCOLOR_FACE),
                   uxcolor_role(UXCOLOR_FACE));
}

int uxcolor_text_clipped(uxPixmap* pm, int font, int x, int y, const char* text, int colour,
                         int right) {
    int at = x;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); p && *p; ++p) {
        int cw = uxfont_char_width(font, *p);
        if (at + cw > right) break;
        uxfont_draw_char(pm, font, at, y, *p, colour, -1, 0, 0, 0);
        at += cw;
    }
    return at - x;
}

// ---- captions ---------------------------------------------------------------------------------

// Walks the shown characters of a caption; `underlined` is set for the accelerator.
template <typename Fn>
static void each_shown(const char* caption, Fn fn) {
    int index = 0;
    for (const char* p = caption; p && *p; ++p) {
        bool underline = false;
        if (*p == '&') {
            if (!p[1]) break;
            ++p;
            underline = *p != '&';
        }
        fn(index++, static_cast<unsigned char>(*p), underline);
    }
}

void uxcaption_strip(const char* caption, char* out, int size) {
    if (size <= 0) return;
    int n = 0;
    each_shown(caption, [&](int, int c, bool) {
        if (n < size - 1) out[n++] = static_cast<char>(c);
    });
    out[n] = 0;
}

int uxcaption_width(int font, const char* caption) {
    int width = 0;
    each_shown(caption, [&](int, int c, bool) { width += uxfont_char_width(font, c); });
    return width;
}

int uxcaption_underlined(const char* caption) {
    int found = -1;
    each_shown(caption, [&](int index, int, bool underline) {
        if (underline && found < 0) found = index;
    });
    return found;
}

int uxcaption_accelerator(const char* caption) {
    int found = 0;
    each_shown(caption, [&](int, int c, bool underline) {
        if (underline && !found) found = (c >= 'A' && c <= 'Z') ? c + 32 : c;
    });
    return found;
}

void uxcaption_draw(uxPixmap* pm, int font, int x, int y, const char* caption, int colour,
                    bool engraved) {
    int at = x;
    each_shown(caption, [&](int, int c, bool underline) {
        int style = (engraved ? UXFONT_ENGRAVED : 0) | (underline ? UXFONT_UNDERLINE : 0);
        at += uxfont_draw_char(pm, font, at, y, c, engraved ? uxcolor_role(UXCOLOR_GREYTEXT) : colour,
                               -1, style, uxcolor_role(UXCOLOR_WHITE),
                               uxcolor_role(UXCOLOR_GREYTEXT));
    });
}
