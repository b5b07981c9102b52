#pragma once
// The main window's smallest size: the one at which every caption and tab still shows whole.

// True when, on every tab page, each button's caption fits inside the button, the tabs fit in
// the tab row and no two widgets of one page (or of the window's bottom row) overlap.
bool MainWindowIsWhole();
// Finds the smallest client size at which MainWindowIsWhole holds, tells the platform that the
// person may not make the window smaller, and enlarges the window to it when the screen gave
// less. Called once, after the main window was built.
void KeepMainWindowWhole(int* min_width, int* min_height);
