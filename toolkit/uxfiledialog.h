#pragma once
// The toolkit's own file dialog: a modal window with the directory and file lists, a file-name
// field, the filter choice and OK / Abbrechen. "open,filter=*.dbf,defaultext=dbf" or
// "save,filter=*.bmp,defaultext=bmp".

// Returns true with the chosen path (forward slashes) in `result`, false when cancelled.
bool uxfiledialog(char* result, int size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
bool uxfiledialog_is_open();
