#pragma once
// The SHA-256 digest of a file's bytes (OpenSSL's libcrypto), as a run record names the table
// it read: the same digest means the same bytes.

enum { UXFILE_SHA256_HEX = 65 };  // 64 hexadecimal digits and the NUL

// Reads the whole file at `path`; on success fills `hex` (lower case) and `size` (bytes).
// False (errno set where the system gave a cause) when the file cannot be opened or read.
bool uxfile_sha256(const char* path, char hex[UXFILE_SHA256_HEX], long long* size);
