#pragma once
// The compact font for charts whose texts were laid out 15 to 20 pixels apart: the page's own
// 24-pixel font would put those lines on top of each other.

// Switches the current graphic page to the compact 9 x 15 font; returns the font it had.
int UseCompactChartFont();
// Gives the current graphic page its font back.
void RestoreChartFont(int font);
