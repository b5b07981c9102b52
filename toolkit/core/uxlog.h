#pragma once
// The toolkit log "ux4.log" in the working directory. It is switched off in this program; when
// switched on, the first message recreates the file and later ones append to it.

void uxlog_enable(bool on);
void uxlog(const char* format, ...) __attribute__((format(printf, 1, 2)));
