#pragma once
// The toolkit's own file dialog: a modal window with the directory and file lists, a file-name
// field, the filter choice and OK / Abbrechen. "open,filter=*.dbf,defaultext=dbf" or
// "save,filter=*.bmp,defaultext=bmp".
//
// Open dialogs accept only an existing file; save dialogs ask before replacing one. A typed name
// without an extension gets the default extension; a typed pattern ("*.txt") becomes the filter;
// a typed directory is entered. The working directory is the same afterwards as before.

// Longest file name the name field takes.
enum { UXFILEDIALOG_MAX_NAME = 1024 };

// Returns true with the chosen path (forward slashes) in `result`, false when cancelled.
// Abbrechen only answers "no file"; Escape or the close box also cancel the work that opened
// the dialog (uxevent_cancel with the dialog's title).
bool uxfiledialog(char* result, int size, const char* format, ...);
bool uxfiledialog_is_open();
