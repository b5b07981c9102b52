#pragma once
// The shell's program-lifetime widgets, shared by the main window and the output routing.

#include "toolkit/widgets/uxbutton.h"
#include "toolkit/widgets/uxlistbox.h"
#include "toolkit/drawing/uxscreengraphic.h"
#include "toolkit/text/uxterminal.h"
#include "toolkit/text/uxtextdisplay.h"
#include "toolkit/core/uxwindow.h"

enum { SHELL_MODULE_BUTTONS = 24, SHELL_PAGES = 6 };

extern uxWindow gMainWindow;
extern uxWindowMenu gWindowMenu;
extern uxButton gModuleButtons[32];  // 0..23 module buttons, 31 the quit button
extern uxProgressBar gProgressBar;
extern uxScreenGraphic gBusyIndicator;
extern uxTabControl gTabControl;
extern uxTerminal* gTerminal;
extern uxScreenGraphic gGraphicPages[SHELL_PAGES];
extern uxButton gGraphicSaveButtons[SHELL_PAGES];
extern uxTextDisplay* gTextPages[SHELL_PAGES];
extern uxButton gTextSaveButtons[SHELL_PAGES];
extern bool gShellBuilt;  // false until the main window exists (tests print to stdout then)
