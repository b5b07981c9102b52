#include "toolkit/core/uxcfgstr_kinds.h"

#include <cstdio>
#include <cstring>
#include <strings.h>

// ---- buttons ----------------------------------------------------------------------------------

static int hotkey_code(const char* key) {
    if (std::strlen(key) == 1) return static_cast<unsigned char>(key[0]);
    if (!strcasecmp(key, "space")) return 32;
    if (!strcasecmp(key, "return")) return 10;
    if ((key[0] == 'f' || key[0] == 'F') && key[1]) {
        int n = 0;
        const char* p = key + 1;
        while (*p >= '0' && *p <= '9') n = n * 10 + (*p++ - '0');
        if (!*p && n >= 1 && n <= 12) return 304 + n;
    }
    return UXKEY_NONE;
}

void uxcfgstr_btnattr(char** tokens, int first, uxButtonAttr* a) {
    static const char* const arrow[] = {"arrow", nullptr};
    static const char* const smallarrow[] = {"smallarrow", nullptr};
    static const char* const flat[] = {"flat", nullptr};
    static const char* const skip[] = {"skip", "nofocus", nullptr};
    static const char* const dflt[] = {"default", "defaultbutton", nullptr};
    static const char* const repeat[] = {"mouserepeat", nullptr};
    static const char* const single[] = {"singleborder", nullptr};
    static const char* const hotkey[] = {"hotkey=", nullptr};
    if (uxcfgstr_take(tokens, first, smallarrow)) a->arrow = a->smallarrow = true;
    if (uxcfgstr_take(tokens, first, arrow)) a->arrow = true;
    if (uxcfgstr_take(tokens, first, flat)) a->flat = true;
    if (uxcfgstr_take(tokens, first, skip)) a->skip = true;
    if (uxcfgstr_take(tokens, first, dflt)) a->is_default = true;
    if (uxcfgstr_take(tokens, first, repeat)) a->mouserepeat = true;
    if (uxcfgstr_take(tokens, first, single)) a->singleborder = true;
    char key[256];
    if (uxcfgstr_take(tokens, first, hotkey, key, sizeof key)) {
        a->hotkey = hotkey_code(key);
        if (a->hotkey == UXKEY_NONE)
            std::printf("complex hotkey not fully supported yet ! (uxcfgstr_btnattr) \"%s\"\n", key);
    }
}

bool uxcfgstr_textcolor(char** tokens, int first, int* colour) {
    static const char* const words[] = {"color=", "col=", "txtcol=", "textcol=", "textcolor=",
                                        nullptr};
    return uxcfgstr_take_color(tokens, first, words, colour);
}

// ---- windows ----------------------------------------------------------------------------------

void uxcfgstr_window(char** tokens, int first, uxWindowProps* p) {
    static const char* const fullscreen[] = {"fullscreen", nullptr};
    static const char* const modal[] = {"modal", nullptr};
    static const char* const nosys[] = {"nosysmenu", "sysmenu=0", "nosystemmenu", "systemmenu=0",
                                        nullptr};
    static const char* const sys[] = {"sysmenu", "sysmenu=1", "systemmenu", "systemmenu=1",
                                      nullptr};
    static const char* const noquit[] = {"noquit", nullptr};
    static const char* const bg[] = {"bgcol=", "bgcolor=", "backgroundcolor=", "background=",
                                     nullptr};
    if (uxcfgstr_take(tokens, first, fullscreen)) p->fullscreen = true;
    if (uxcfgstr_take(tokens, first, modal)) p->modal = true;
    if (uxcfgstr_take(tokens, first, nosys)) p->sysmenu = false;
    if (uxcfgstr_take(tokens, first, sys)) p->sysmenu = true;
    if (uxcfgstr_take(tokens, first, noquit)) p->quit_on_close = false;
    if (uxcfgstr_take_color(tokens, first, bg, &p->background)) p->has_background = true;
}

// ---- line input, up/down, scroll bar ----------------------------------------------------------

void uxcfgstr_lineinput(char** tokens, int first, uxLineInputProps* p) {
    static const char* const maxlen[] = {"maxlen=", nullptr};
    static const char* const dflt[] = {"default=", nullptr};
    static const char* const right[] = {"align=right", "alignright", "rightalign", nullptr};
    static const char* const keep[] = {"nofocusswitchwithenter", "keepfocus", nullptr};
    char value[1024];
    if (uxcfgstr_take(tokens, first, maxlen, value, sizeof value))
        p->maxlen = uxcfgstr_read_int(value, -UXCFG_MAX_COUNT, UXCFG_MAX_COUNT);
    if (uxcfgstr_take(tokens, first, dflt, p->initial, sizeof p->initial)) p->has_initial = true;
    if (uxcfgstr_take(tokens, first, right)) p->align_right = true;
    if (uxcfgstr_take(tokens, first, keep)) p->keepfocus = true;
}

void uxcfgstr_updown(char** tokens, int first, uxUpDownProps* p) {
    static const char* const min[] = {"min=", nullptr};
    static const char* const max[] = {"max=", nullptr};
    static const char* const step[] = {"step=", nullptr};
    static const char* const start[] = {"default=", "def=", "start=", nullptr};
    static const char* const digits[] = {"digits=", nullptr};
    char value[256];
    if (uxcfgstr_take(tokens, first, min, value, sizeof value)) {
        p->min = uxcfgstr_number(value);
        p->has_min = true;
    }
    if (uxcfgstr_take(tokens, first, max, value, sizeof value)) {
        p->max = uxcfgstr_number(value);
        p->has_max = true;
    }
    if (uxcfgstr_take(tokens, first, step, value, sizeof value)) p->step = uxcfgstr_number(value);
    if (uxcfgstr_take(tokens, first, start, value, sizeof value)) {
        p->start = uxcfgstr_number(value);
        p->has_start = true;
    }
    if (uxcfgstr_take(tokens, first, digits, value, sizeof value))
        p->digits = uxcfgstr_read_int(value, -UXCFG_MAX_COUNT, UXCFG_MAX_COUNT);
}

bool uxcfgstr_scrollbar_vertical(char** tokens, int first, bool fallback) {
    static const char* const vert[] = {"vert", "vertical", nullptr};
    static const char* const hor[] = {"hor", "horizontal", nullptr};
    if (uxcfgstr_take(tokens, first, vert)) return true;
    if (uxcfgstr_take(tokens, first, hor)) return false;
    return fallback;
}

// ---- terminal and text pages ------------------------------------------------------------------

void uxcfgstr_terminal(char** tokens, int first, uxTerminalProps* p) {
    static const char* const sb[] = {"scrollback", nullptr};
    static const char* const sbn[] = {"scrollback=", nullptr};
    static const char* const tc[] = {"textcolor=", "txtcolor=", "textcol=", "txtcol=", nullptr};
    static const char* const bg[] = {"backgroundcolor=", "bgcolor=", "backgroundcol=",
                                     "background=", "bg=", "bgcol=", nullptr};
    static const char* const lines[] = {"lines=", nullptr};
    static const char* const columns[] = {"columns=", nullptr};
    static const char* const logfile[] = {"logfile=", nullptr};
    static const char* const wordbreak[] = {"wordbreak", nullptr};
    static const char* const cursor[] = {"cursor", "cursor=on", "cursor=1", "cursoron", nullptr};
    char value[1024];
    if (uxcfgstr_take(tokens, first, sb)) p->scrollback = 300;
    if (uxcfgstr_take(tokens, first, sbn, value, sizeof value))
        p->scrollback = uxcfgstr_read_int(value, -UXCFG_MAX_COUNT, UXCFG_MAX_COUNT);
    uxcfgstr_take_color(tokens, first, tc, &p->textcolor);
    uxcfgstr_take_color(tokens, first, bg, &p->background);
    if (uxcfgstr_take(tokens, first, lines, value, sizeof value))
        p->lines = uxcfgstr_read_int(value, -UXCFG_MAX_COUNT, UXCFG_MAX_COUNT);
    if (uxcfgstr_take(tokens, first, columns, value, sizeof value))
        p->columns = uxcfgstr_read_int(value, -UXCFG_MAX_COUNT, UXCFG_MAX_COUNT);
    uxcfgstr_take(tokens, first, logfile, p->logfile, sizeof p->logfile);
    if (uxcfgstr_take(tokens, first, wordbreak)) p->wordbreak = true;
    if (uxcfgstr_take(tokens, first, cursor)) p->cursor = true;
}

void uxcfgstr_textdisplay(char** tokens, int first, uxTextDisplayProps* p) {
    static const char* const tab[] = {"tab=", "tabs=", "tabsize=", "tabwidth=", nullptr};
    static const char* const nobreak[] = {"nobreak", nullptr};
    static const char* const bg[] = {"bgcol=", "bgcolor=", "backgroundcolor=", "background=",
                                     nullptr};
    char value[256];
    if (uxcfgstr_take(tokens, first, tab, value, sizeof value))
        p->tabsize = uxcfgstr_read_int(value, -UXCFG_MAX_COUNT, UXCFG_MAX_COUNT);
    if (uxcfgstr_take(tokens, first, nobreak)) p->nobreak = true;
    uxcfgstr_take_color(tokens, first, bg, &p->background);
    uxcfgstr_textcolor(tokens, first, &p->textcolor);
}

// ---- drawing surfaces -------------------------------------------------------------------------

struct FormatWord {
    const char* word;
    int format;
};

static const FormatWord format_words[] = {
    {"palette", 1}, {"palette8", 1},  {"palette_8", 1}, {"indexed", 1}, {"palette16", 2},
    {"palette_16", 2}, {"truecolor", 3}, {"server", 4},  {"screen", 5},
};

static int format_of(const char* word) {
    for (const FormatWord& f : format_words)
        if (!strcasecmp(word, f.word)) return f.format;
    return 0;
}

// A stretch factor: negative ones (fit to the view) stay negative, the size of any is kept
// between 1/1000 and 1000 so that the pixmap and view sizes they scale stay in range.
static double stretch_factor(const char* value) {
    double v = uxcfgstr_number(value);
    if (v == 0 || v != v) return 0;
    double size = v < 0 ? -v : v;
    size = size < 0.001 ? 0.001 : size > 1000 ? 1000 : size;
    return v < 0 ? -size : size;
}

void uxcfgstr_screengraphic(char** tokens, int first, uxScreenGraphicProps* p) {
    static const char* words[sizeof format_words / sizeof format_words[0] + 1];
    int k = 0;
    for (const FormatWord& f : format_words) words[k++] = f.word;
    words[k] = nullptr;
    int which = -1;
    if (uxcfgstr_take(tokens, first, words, nullptr, 0, &which)) p->format = format_words[which].format;

    static const char* const pxs[] = {"pxmapxs=", "pxmap_xs=", "pixmapxs=", "pixmap_xs=",
                                      "bitmapxs=", "bitmap_xs=", "bmpxs=", "bmp_xs=", "pxs=",
                                      nullptr};
    static const char* const pys[] = {"pxmapys=", "pxmap_ys=", "pixmapys=", "pixmap_ys=",
                                      "bitmapys=", "bitmap_ys=", "bmpys=", "bmp_ys=", "pys=",
                                      nullptr};
    static const char* const stretch[] = {"stretch=", nullptr};
    static const char* const xstretch[] = {"xstretch=", "x_stretch=", "stretchx=", "stretch_x=",
                                           nullptr};
    static const char* const ystretch[] = {"ystretch=", "y_stretch=", "stretchy=", "stretch_y=",
                                           nullptr};
    static const char* const colors[] = {"colors=", "pxmapcolors=", "pixmapcolors=",
                                         "pxmap_colors=", "pixmap_colors=", "bitmapcolors=",
                                         "bitmap_colors=", "bmpcolors=", "bmp_colors=", nullptr};
    static const char* const type[] = {"pxmap=", "pixmap=", "bmp=", "bitmap=", "pxmaptype=",
                                       "pixmaptype=", "bmptype=", "bitmaptype=", nullptr};
    static const char* const drawoff[] = {"drawoff", "noredraw", "norefresh", "redraw=0",
                                          "refresh=0", "redraw=off", "refresh=off", nullptr};
    static const char* const bg[] = {"bgcol=", "bgcolor=", "backgroundcolor=", "background=",
                                     nullptr};
    static const char* const full[] = {"fullscreen", nullptr};
    char value[256];
    if (uxcfgstr_take(tokens, first, pxs, value, sizeof value))
        p->pxs = uxcfgstr_read_int(value, -UXCFG_MAX_COUNT, UXCFG_MAX_COUNT);
    if (uxcfgstr_take(tokens, first, pys, value, sizeof value))
        p->pys = uxcfgstr_read_int(value, -UXCFG_MAX_COUNT, UXCFG_MAX_COUNT);
    if (uxcfgstr_take(tokens, first, stretch, value, sizeof value)) {
        if (!strcasecmp(value, "auto")) p->xstretch = p->ystretch = -1;
        else p->xstretch = p->ystretch = stretch_factor(value);
    }
    if (uxcfgstr_take(tokens, first, xstretch, value, sizeof value))
        p->xstretch = stretch_factor(value);
    if (uxcfgstr_take(tokens, first, ystretch, value, sizeof value))
        p->ystretch = stretch_factor(value);
    if (uxcfgstr_take(tokens, first, colors, value, sizeof value))
        p->colors = uxcfgstr_read_int(value, -UXCFG_MAX_COUNT, UXCFG_MAX_COUNT);
    if (uxcfgstr_take(tokens, first, type, value, sizeof value)) {
        int f = format_of(value);
        if (f) p->format = f;
    }
    if (p->format == 1 && p->colors > 256) p->format = 2;
    if (uxcfgstr_take(tokens, first, drawoff)) p->drawoff = true;
    if (uxcfgstr_take_color(tokens, first, bg, &p->background)) p->has_background = true;
    if (uxcfgstr_take(tokens, first, full)) p->fullscreen = true;
}

bool uxcfgstr_menutitle_right(char** tokens, int first) {
    static const char* const right[] = {"rightaligned", "align=right", "alignright", "right",
                                        nullptr};
    return uxcfgstr_take(tokens, first, right);
}

// ---- file dialog ------------------------------------------------------------------------------

void uxcfgstr_filedialog(char** tokens, int first, uxFileDialogProps* p) {
    static const char* const title[] = {"title=", "caption=", nullptr};
    static const char* const filter[] = {"filter=", nullptr};
    static const char* const dir[] = {"dir=", "directory=", nullptr};
    static const char* const ext[] = {"defaultext=", "defaultextension=", "extension=", "ext=",
                                      nullptr};
    static const char* const save[] = {"save", "savedialog", nullptr};
    uxcfgstr_take(tokens, first, title, p->title, sizeof p->title);
    uxcfgstr_take(tokens, first, dir, p->dir, sizeof p->dir);
    uxcfgstr_take(tokens, first, ext, p->defaultext, sizeof p->defaultext);
    if (uxcfgstr_take(tokens, first, save)) p->save = true;
    char value[256];
    while (p->filter_count < 16 && uxcfgstr_take(tokens, first, filter, value, sizeof value)) {
        char* bar = std::strchr(value, '|');
        int k = p->filter_count++;
        if (bar) {
            *bar = 0;
            std::snprintf(p->filter_pattern[k], sizeof p->filter_pattern[k], "%s", value);
            std::snprintf(p->filter_description[k], sizeof p->filter_description[k], "%s", bar + 1);
        } else {
            std::snprintf(p->filter_pattern[k], sizeof p->filter_pattern[k], "%s", value);
            std::snprintf(p->filter_description[k], sizeof p->filter_description[k], "%s", value);
        }
    }
}
