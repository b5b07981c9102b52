// SHA-256 of a file through OpenSSL's EVP interface, read in blocks.

#include "toolkit/data/uxfile_digest.h"

#include <openssl/evp.h>

#include <cstdio>

bool uxfile_sha256(const char* path, char hex[UXFILE_SHA256_HEX], long long* size) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    bool ok = context && EVP_DigestInit_ex(context, EVP_sha256(), nullptr) == 1;
    long long total = 0;
    unsigned char block[65536];
    while (ok) {
        size_t got = std::fread(block, 1, sizeof block, file);
        if (got > 0) ok = EVP_DigestUpdate(context, block, got) == 1;
        total += static_cast<long long>(got);
        if (got < sizeof block) {
            ok = ok && !std::ferror(file);
            break;
        }
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    ok = ok && EVP_DigestFinal_ex(context, digest, &length) == 1 && length == 32;
    EVP_MD_CTX_free(context);
    std::fclose(file);
    if (!ok) return false;
    static const char digits[] = "0123456789abcdef";
    for (unsigned int i = 0; i < length; ++i) {
        hex[2 * i] = digits[digest[i] >> 4];
        hex[2 * i + 1] = digits[digest[i] & 15];
    }
    hex[2 * length] = '\0';
    *size = total;
    return true;
}
