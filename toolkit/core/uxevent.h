#pragma once
// The single-threaded event model: the application event queue of ids, the running flag, the
// wait, poll and sleep operations, and the processing of platform messages.

enum {
    UXEV_CLOSE = 2001, UXEV_PAINT = 2002, UXEV_RESIZE = 2003,
    UXEV_LDOWN = 2004, UXEV_LUP = 2005, UXEV_LDBL = 2006,
    UXEV_MDOWN = 2007, UXEV_MUP = 2008, UXEV_MDBL = 2009,
    UXEV_RDOWN = 2010, UXEV_RUP = 2011, UXEV_RDBL = 2012,
    UXEV_WHEELFWD = 2013, UXEV_WHEELBACK = 2014, UXEV_MOVE = 2015,
    UXEV_KEYDOWN = 2016, UXEV_KEYUP = 2017, UXEV_FOCUSIN = 2018, UXEV_FOCUSOUT = 2019,
    UXEV_LOPRIOPAINT = 2027,
    UXEV_PASTE = 2032, UXEV_COPY = 2033, UXEV_CUT = 2034,
};

enum {
    UXKEY_TAB = 9, UXKEY_BACKSPACE = 8, UXKEY_RETURN = 10, UXKEY_ESCAPE = 27, UXKEY_SPACE = 32,
    UXKEY_LEFT = 301, UXKEY_RIGHT = 302, UXKEY_UP = 303, UXKEY_DOWN = 304,
    UXKEY_F1 = 305, UXKEY_F4 = 308, UXKEY_F12 = 316, UXKEY_INSERT = 317, UXKEY_CTRL = 318,
    UXKEY_SHIFT = 319, UXKEY_HOME = 320, UXKEY_END = 321, UXKEY_DELETE = 322,
    UXKEY_PAGEUP = 323, UXKEY_PAGEDOWN = 324, UXKEY_ALT = 325,
};

enum { UXMOD_SHIFT = 1, UXMOD_ALT = 2, UXMOD_CTRL = 4 };

struct uxEvent {
    int code;
    int data[6];
};

enum { UXEVENT_QUEUE_SIZE = 64 };

void uxPostEvent(int id);
bool uxPending();
int uxWaitEvent();
int uxPollEvent();
int uxWaitForEvents(int count, ...);
int uxWaitForEventList(int count, const int* ids);
void uxSleep(double seconds);

// False once the running flag is cleared: by uxStop, or when a termination signal arrived
// (the platform layer notes it; the first call after it clears the flag).
bool uxRunning();
void uxStop();  // clears the running flag: every wait returns 0 from now on

// A dialog left with Escape, its close box or its cancel button cancels the work that opened it.
// The dialog's title is kept until the application clears it; meanwhile every wait returns 0 at
// once, so later dialogs of the same work return without waiting.
void uxevent_cancel(const char* title);
const char* uxevent_cancelled();  // the title, or nullptr while nothing was cancelled
void uxevent_clear_cancel();

// While set, trigger callbacks registered without a user value are not called.
bool uxevent_callbacks_held();
void uxevent_hold_callbacks(bool hold);  // nests: hold/unhold in pairs

// Processes every pending platform message, due timer tick and repaint.
void uxevent_process_messages();

// The automation runner: called when a wait finds nothing to do. Returns true when it ran a
// command (or otherwise made progress); false when there is no script (the wait then sleeps).
void uxevent_set_idle_hook(bool (*hook)());

// Resets the queue and running flag (tests).
void uxevent_reset();
