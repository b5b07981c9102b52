#pragma once
// The window that explains past summer-time rules, rendered from the markup file
// "sommerzeiten.txt" in the working directory.

void ShowSummerTimes();
// Draws the markup file on the current drawing surface. 0 when the file cannot be opened, else
// the result of closing it.
int RenderMarkupFile(const char* path);
