#pragma once
// The keyword handlers of each widget kind. Each reads (and claims) its keywords from the token
// list into a small record that the kind's set-up then uses.

#include "toolkit/core/uxcfgstr.h"

enum { UXKEY_NONE = -1 };

struct uxButtonAttr {
    bool arrow = false, smallarrow = false, flat = false, skip = false, is_default = false;
    bool mouserepeat = false, singleborder = false;
    int hotkey = UXKEY_NONE;  // character code, 32, 10 or 305..316
};
void uxcfgstr_btnattr(char** tokens, int first, uxButtonAttr* attr);

// "color=", "col=", "txtcol=", "textcol=", "textcolor=" of buttons, labels and text boxes.
bool uxcfgstr_textcolor(char** tokens, int first, int* colour);

struct uxWindowProps {
    bool fullscreen = false, modal = false, sysmenu = true, quit_on_close = true;
    bool has_background = false;
    int background = 0;
};
void uxcfgstr_window(char** tokens, int first, uxWindowProps* props);

struct uxLineInputProps {
    int maxlen = 0;  // 0: the widget's own limit
    char initial[1024] = "";
    bool has_initial = false;
    bool align_right = false, keepfocus = false;
};
void uxcfgstr_lineinput(char** tokens, int first, uxLineInputProps* props);

struct uxUpDownProps {
    double min = 0, max = 100, step = 1, start = 0;
    bool has_min = false, has_max = false, has_start = false;
    int digits = 0;
};
void uxcfgstr_updown(char** tokens, int first, uxUpDownProps* props);

// "vert"/"vertical" true, "hor"/"horizontal" false; `fallback` when neither.
bool uxcfgstr_scrollbar_vertical(char** tokens, int first, bool fallback);

struct uxTerminalProps {
    int scrollback = 0;
    int textcolor = -1, background = -1;
    int lines = 0, columns = 0;
    char logfile[1024] = "";
    bool wordbreak = false, cursor = false;
};
void uxcfgstr_terminal(char** tokens, int first, uxTerminalProps* props);

struct uxTextDisplayProps {
    int tabsize = 0;  // 0: default
    bool nobreak = false;
    int background = -1;
    int textcolor = -1;
};
void uxcfgstr_textdisplay(char** tokens, int first, uxTextDisplayProps* props);

struct uxScreenGraphicProps {
    int format = 3;  // true colour
    int pxs = 0, pys = 0;
    double xstretch = 1, ystretch = 1;
    int colors = 256;
    bool drawoff = false, fullscreen = false;
    bool has_background = false;
    int background = 0;
};
void uxcfgstr_screengraphic(char** tokens, int first, uxScreenGraphicProps* props);

bool uxcfgstr_menutitle_right(char** tokens, int first);

struct uxFileDialogProps {
    bool save = false;
    char title[256] = "";
    char dir[1024] = "";
    char defaultext[64] = "";
    int filter_count = 0;
    char filter_pattern[16][256] = {};
    char filter_description[16][256] = {};
};
void uxcfgstr_filedialog(char** tokens, int first, uxFileDialogProps* props);
