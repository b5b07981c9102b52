#pragma once
// Output routing used by every module: the printf-like Print to the terminal or a text page,
// page selection, drawing helpers for graphic pages, the progress bar, the BUSY/READY bracket,
// and small shared helpers (principle names, random numbers, polynomials, waiting).

// Sizes of the formatting buffers: longer texts are cut, never written past the end.
enum { kPrintBufferSize = 2000, kDrawTextBufferSize = 1000 };

// Text target 0 is the terminal on the Menu tab, 1..6 are the text pages "Text 1".."Text 6".
void Print(const char* format, ...) __attribute__((format(printf, 1, 2)));
void ClearOutput();
void TextOutput(int target);
int CurrentTextTarget();

// Selects graphic page 1..6 as the current drawing target, sizes its pixmap and clears it.
void GraphicOutput(int page, int width, int height, int colour);

void SetProgress(int percent);
void ShowBusyState(int busy);
void BeginModuleRun();
void EndModuleRun();

// Text on the current graphic page at (x, y - 13).
int DrawText(int x, int y, const char* text, int colour);
int DrawTextF(int x, int y, const char* format, ...) __attribute__((format(printf, 3, 4)));
void DrawColouredTextF(int x, int y, int colour, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
int MakeColour(int red, int green, int blue);

// Told of every page GraphicOutput clears and of every text the three calls above draw: its
// page and the rectangle of its letters (blanks at either end left out). Lets checks find text
// that leaves its page or lands on other text. Off (nullptr) unless a check installs one.
struct TextRectWatcher {
    void (*page_cleared)(int page, int width, int height);
    void (*text_drawn)(int page, int x, int y, int width, int height, const char* text);
};
void WatchGraphicText(const TextRectWatcher* watcher);

void PrintPrincipleName(unsigned int index);
int RandomInt(int n);
double RandomUnit();
double PolynomialValue(int count, const double* coefficients, double x);
void WaitSeconds(double seconds);

// Plays "Tada.wav" from the working directory without waiting (the end of long runs).
void PlayTada();
