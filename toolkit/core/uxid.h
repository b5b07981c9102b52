#pragma once
// One counter hands out the event ids of every window, widget, menu item, font and internal
// element, from 1000000 upward.

int uxid_new();
