#pragma once
// The main window's life: building it, the start sequence and the dispatch loop. The main
// routine (ApplicationMain, called by the toolkit) runs them in this order.

// Holds painting back, creates every window widget in its order (the Menu page's terminal and
// module buttons on tab 0, each page's widgets after selecting its tab), lets painting resume
// and selects the Menu tab.
void BuildMainWindow();
// Greeting, start picture for four seconds, the wave tables with one dot per order, READY.
void RunStartSequence();
// Serves one event of the main loop; false when the event ends the loop.
bool HandleMainEvent(int id);
// Waits for events and serves them until the loop ends or the application stops.
void RunMainLoop();
// The id of the "&Quit" menu item (its callback ends the process at once).
int QuitMenuItemId();
