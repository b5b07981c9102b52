#pragma once
// The window that explains past summer-time rules, rendered from the markup file
// "sommerzeiten.txt" in the working directory.

void ShowSummerTimes();
// Draws the markup file on the current drawing surface. 0 when the file cannot be opened, else
// the result of closing it.
int RenderMarkupFile(const char* path);

// The renderer's state, reset for every file.
struct MarkupState {
    int x, y;            // where the next text goes (pixels on the surface)
    int lineWidth;       // width for centred text
    int colour;          // text colour 0xRRGGBB
    int borderWidth;     // picture border lines
    int borderColour;
};
void ResetMarkupState(MarkupState* state, int lineWidth);
// One line of the file (without its line end): a "#" command or running text.
void RenderMarkupLine(MarkupState* state, const char* line);
