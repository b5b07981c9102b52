#pragma once
// Builds small dBase III tables byte by byte for the xBase tests, and reads files back raw.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace xbase_test {

struct Field {
    std::string name;
    char type;
    int length;
    int decimals;
};

struct Row {
    std::vector<std::string> values;
    bool deleted;
};

inline std::vector<unsigned char> table_bytes(const std::vector<Field>& fields,
                                              const std::vector<Row>& rows)
{
    int record_length = 1;
    for (const Field& f : fields) record_length += f.length;
    int header_length = 32 + 32 * (int)fields.size() + 1;
    std::vector<unsigned char> out(32, 0);
    out[0] = 0x03;
    out[1] = 99;
    out[2] = 12;
    out[3] = 31;
    unsigned n = (unsigned)rows.size();
    for (int i = 0; i < 4; i++) out[4 + i] = (unsigned char)(n >> (8 * i));
    out[8] = (unsigned char)(header_length & 0xff);
    out[9] = (unsigned char)(header_length >> 8);
    out[10] = (unsigned char)(record_length & 0xff);
    out[11] = (unsigned char)(record_length >> 8);
    for (const Field& f : fields) {
        unsigned char d[32] = {};
        for (size_t i = 0; i < f.name.size() && i < 10; i++) d[i] = (unsigned char)f.name[i];
        d[11] = (unsigned char)f.type;
        d[16] = (unsigned char)(f.length & 0xff);
        d[17] = (unsigned char)(f.type == 'C' ? f.length >> 8 : f.decimals);
        out.insert(out.end(), d, d + 32);
    }
    out.push_back(0x0d);
    for (const Row& r : rows) {
        out.push_back(r.deleted ? '*' : ' ');
        for (size_t i = 0; i < fields.size(); i++) {
            std::string v = i < r.values.size() ? r.values[i] : "";
            v.resize((size_t)fields[i].length, ' ');
            out.insert(out.end(), v.begin(), v.end());
        }
    }
    out.push_back(0x1a);
    return out;
}

inline void write_file(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return;
    if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

inline std::vector<unsigned char> read_file(const std::string& path)
{
    std::vector<unsigned char> out;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return out;
    int c;
    while ((c = fgetc(f)) != EOF) out.push_back((unsigned char)c);
    fclose(f);
    return out;
}

// A fresh directory per test program run, removed by the caller when wanted.
inline std::string scratch_dir(const std::string& name)
{
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("vv_xbase_" + std::to_string(getpid()) + "_" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

}  // namespace xbase_test
