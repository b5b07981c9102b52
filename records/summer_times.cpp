// The summer-time window and the small markup language of "sommerzeiten.txt": plain lines are
// running text, lines starting with "#" set fonts, colours and positions or place pictures.

#include "records/summer_times.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "toolkit/widgets/uxbutton.h"
#include "toolkit/core/uxcfgstr.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/drawing/uxpicture.h"
#include "toolkit/drawing/uxscreengraphic.h"
#include "toolkit/core/uxwindow.h"

static const char* const kSummerTimeFile = "sommerzeiten.txt";
static const int kWrapWidth = 800;
static const int kMaxLine = 10000;
static const int kFallbackLineWidth = 800;  // without a main window (tests)

enum MarkupCommand {
    kTextFont, kTextColor, kCenteredText, kYOffset, kTextXS, kTextX, kBreak,
    kPictureBorderColor, kPictureBorder, kPicture, kNoCommand
};

// Keywords in any case; a keyword is the whole word before "=" (or the end of the line), so
// that a misspelled "#PictureBorderCol=" is no command rather than a "#PictureBorder".
static const struct {
    const char* word;
    MarkupCommand command;
} kKeywords[] = {
    {"TextFont", kTextFont},
    {"TextColor", kTextColor},
    {"CenteredText", kCenteredText},
    {"YOffset", kYOffset},
    {"TextXS", kTextXS},
    {"TextX", kTextX},
    {"br", kBreak},
    {"PictureBorderColor", kPictureBorderColor},
    {"PictureBorder", kPictureBorder},
    {"Picture", kPicture},
};

static const char* const kFontNames[] = {"arial14",  "arial16",  "arial18", "arial20",
                                         "arial24",  "arial18b", "arial20b", "arial36b",
                                         "arial48",  "crnew16",  "crnew18",  "crnew20"};

static MarkupCommand command_of(const char* text) {
    for (const auto& k : kKeywords) {
        size_t n = std::strlen(k.word);
        if (strncasecmp(text, k.word, n) != 0) continue;
        char next = text[n];
        if (next == '=' || next == 0 || next == ' ' || next == '\t') return k.command;
    }
    return kNoCommand;
}

// Positions and sizes stay within what a page can hold, so that adding them up cannot overflow.
static int clamp_pixels(long long v) {
    if (v < -UXCFG_MAX_PIXELS) return -UXCFG_MAX_PIXELS;
    return v > UXCFG_MAX_PIXELS ? UXCFG_MAX_PIXELS : static_cast<int>(v);
}

static int add_pixels(int position, long long by) { return clamp_pixels(position + by); }

// A decimal number of pixels (as atoi reads it), clamped.
static int pixels_of(const char* text) {
    long long v = std::strtoll(text, nullptr, 10);
    return clamp_pixels(v);
}

static int hexadecimal(const char* text) {
    return static_cast<int>(std::strtol(text, nullptr, 16));
}

static void select_font(const char* name) {
    for (const char* known : kFontNames)
        if (strcasecmp(name, known) == 0) {
            int id = uxfont_application(known);
            if (id >= 0) uxgraphic_setfont(id);
            return;
        }
}

static int surface_width() {
    uxScreenGraphic* g = uxgraphic_current();
    return g && g->has_pixmap ? g->pixmap.width : 0;
}

static int surface_height() {
    uxScreenGraphic* g = uxgraphic_current();
    return g && g->has_pixmap ? g->pixmap.height : 0;
}

// Width of text[0..length) in the current font.
static int span_width(const char* text, int length) {
    char piece[kMaxLine + 1];
    std::memcpy(piece, text, length);
    piece[length] = 0;
    return uxgraphic_textwidth(piece);
}

static void draw_span(int x, int y, int colour, const char* text, int length) {
    char piece[kMaxLine + 1];
    std::memcpy(piece, text, length);
    piece[length] = 0;
    uxgraphic_text(x, y, colour, piece);
}

// Running text wrapped at blanks so that each line fits the wrap width (a single word that is
// wider stands on a line of its own). Blanks inside a line are kept, so columns laid out with
// blanks stay in place. The wrap width is 800 pixels, narrowed to what is left of the surface
// right of x, so that no text runs off the page. Returns the height taken.
static int draw_wrapped(const MarkupState* state, const char* text) {
    int height = uxgraphic_fontheight();
    int limit = kWrapWidth;
    int room = surface_width() - state->x;
    if (room > 0 && room < limit) limit = room;
    int lines = 0;
    const char* p = text;
    for (;;) {
        const char* best = nullptr;
        for (const char* q = p;; ++q) {
            if (*q != 0 && *q != ' ') continue;
            if (q > p && span_width(p, static_cast<int>(q - p)) > limit) break;
            best = q;
            if (*q == 0) break;
        }
        if (!best || best == p) {  // one word wider than the line
            best = p;
            while (*best == ' ') ++best;
            while (*best && *best != ' ') ++best;
        }
        draw_span(state->x, state->y + lines * height, state->colour, p, static_cast<int>(best - p));
        ++lines;
        p = best;
        while (*p == ' ') ++p;
        if (*p == 0) break;
    }
    return lines * height;
}

// A picture at the current y; with a border, its left edge is the current x or the "x=" after
// the first comma, and the border lines are drawn around it growing outward.
static void draw_picture(const MarkupState* state, const char* argument) {
    if (state->borderWidth <= 0) {
        uxgraphic_load(state->x, state->y, "%s,y=%d", argument, state->y);
        return;
    }
    char name[kMaxLine + 1];
    std::snprintf(name, sizeof name, "%s", argument);
    int left = state->x;
    if (char* comma = std::strchr(name, ',')) {
        *comma = 0;
        const char* p = comma + 1;
        while (*p == ' ') ++p;
        if (p[0] == 'x' && p[1] == '=') left = pixels_of(p + 2);
    }
    uxgraphic_load(left, state->y, "%s,x=%d,y=%d", name, left, state->y);
    int width = 0, height = 0;
    if (!uxpicture_size(name, &width, &height)) return;
    if (width <= 0 || height <= 0 || width > UXCFG_MAX_PIXELS || height > UXCFG_MAX_PIXELS) return;
    // Rings wider than the page cannot touch it, and once a ring lies around the whole page
    // every further one does too.
    int sw = surface_width(), sh = surface_height();
    int rings = state->borderWidth < (sw > sh ? sw : sh) ? state->borderWidth : (sw > sh ? sw : sh);
    int top = state->y;
    for (int i = 0; i < rings; ++i) {
        if (left - i < 0 && top - i < 0 && left + width + i > sw && top + height + i > sh) break;
        uxgraphic_rect(left - i, top - i, width + 2 * i, height + 2 * i, state->borderColour);
    }
}

void ResetMarkupState(MarkupState* state, int lineWidth) {
    state->x = 0;
    state->y = 0;
    state->lineWidth = lineWidth;
    state->colour = 0x0000FF;
    state->borderWidth = 0;
    state->borderColour = 0;
}

void RenderMarkupLine(MarkupState* state, const char* line) {
    if (line[0] != '#') {
        state->y = add_pixels(state->y, draw_wrapped(state, line));
        return;
    }
    const char* equals = std::strchr(line, '=');
    const char* argument = equals ? equals + 1 : "";
    switch (command_of(line + 1)) {
        case kTextFont: select_font(argument); break;
        case kTextColor: state->colour = hexadecimal(argument); break;
        case kCenteredText:
            uxgraphic_text((state->lineWidth - uxgraphic_textwidth(argument)) / 2, state->y,
                           state->colour, argument);
            state->y = add_pixels(state->y, uxgraphic_fontheight());
            break;
        case kYOffset: state->y = add_pixels(state->y, pixels_of(argument)); break;
        case kTextXS: state->lineWidth = pixels_of(argument); break;
        case kTextX: {
            int n = pixels_of(argument);
            state->lineWidth = add_pixels(state->lineWidth, static_cast<long long>(state->x) - n);
            state->x = n;
            break;
        }
        case kBreak: state->y = add_pixels(state->y, uxgraphic_fontheight()); break;
        case kPictureBorderColor: state->borderColour = hexadecimal(argument); break;
        case kPictureBorder: state->borderWidth = pixels_of(argument); break;
        case kPicture: draw_picture(state, argument); break;
        case kNoCommand: break;
    }
}

static int initial_line_width() {
    uxWindow* main = uxwindow_main();
    return main && main->layout.width > 0 ? main->layout.width : kFallbackLineWidth;
}

int RenderMarkupFile(const char* path) {
    FILE* file = std::fopen(path, "r");
    if (!file) return 0;
    MarkupState state;
    ResetMarkupState(&state, initial_line_width());
    char line[kMaxLine + 1];
    while (std::fgets(line, sizeof line, file)) {
        for (char* p = line; *p; ++p)
            if (*p == '\r' || *p == '\n') *p = 0;
        RenderMarkupLine(&state, line);
    }
    return std::fclose(file);
}

void ShowSummerTimes() {
    uxScreenGraphic* previous = uxgraphic_current();
    uxWindow win;
    uxwindow_create(&win, "Sommerzeiten,x=50%,y=50%,xs=800,ys=600,nosysmenu,modal,noquit");
    uxScreenGraphic page;
    uxgraphic_create(&page, "x=50%,y=45%,xs=90%,ys=80%,pxs=700,pys=1300,background=white,server,border");
    uxButton close;
    uxbutton_create(&close, "Schlie\xdf" "en,x=50%,y=95%,xs=20%,default");
    uxBar bar;
    uxbar_create(&bar, "x=50%,y=90%,xs=100%");

    RenderMarkupFile(kSummerTimeFile);
    uxWaitForEvents(2, uxbutton_id(&close), uxwindow_close_id(&win));

    uxbar_destroy(&bar);
    uxbutton_destroy(&close);
    uxgraphic_destroy(&page);
    uxwindow_destroy(&win);
    uxgraphic_select(previous);  // the module's page stays the drawing target
}
