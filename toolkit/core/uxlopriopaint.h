#pragma once
// Low-priority painting: widgets that change often (terminal, text pages) ask for a repaint here;
// a 10-per-second timer delivers every pending request once as event 2027 to its widget.

struct uxWidget;

void uxlopriopaint_request(uxWidget* w);
void uxlopriopaint_cancel(uxWidget* w);  // on destruction
