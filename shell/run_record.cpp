// The run record of each module run, one JSON line in "runs.jsonl".

#include "shell/run_record.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <string>

#include <nlohmann/json.hpp>

#include "research/module_files.h"
#include "shell/format_text.h"
#include "shell/output.h"
#include "toolkit/core/uxrandom.h"
#include "toolkit/core/uxversion.h"
#include "toolkit/data/uxfile_append.h"
#include "toolkit/data/uxfile_digest.h"

namespace {

struct {
    bool open = false;
    nlohmann::json record;
    // Module runs that used the generator since the seed of generation `generation` was set.
    unsigned long generation = 0;
    int runsSinceSeed = 0;
} current;

// JSON holds UTF-8; the program's texts (and file names) are Latin-1.
std::string utf8(const char* latin1) {
    if (!latin1) return std::string();
    char converted[4096];
    Latin1ToUtf8(latin1, converted, sizeof converted);
    return converted;
}

// A dialog's message without the blanks and line ends around it.
std::string text(const char* latin1) {
    std::string s = utf8(latin1);
    const char* blanks = " \t\r\n";
    std::size_t first = s.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

// Date and time in world time, ISO 8601.
std::string now_utc() {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return stamp;
}

// A number JSON can hold; NaN and the infinities as text.
nlohmann::json number(double value) {
    if (std::isfinite(value)) return value;
    return std::isnan(value) ? "NaN" : value > 0 ? "Inf" : "-Inf";
}

void add_answer(nlohmann::json answer) {
    if (current.open) current.record["answers"].push_back(std::move(answer));
}

}  // namespace

void BeginRunRecord(const char* module) {
    if (current.generation != uxrandom_seed_generation()) {
        current.generation = uxrandom_seed_generation();
        current.runsSinceSeed = 0;
    }
    current.open = true;
    current.record = nlohmann::json::object();
    current.record["module"] = text(module);
    current.record["program"] = uxversion_program();
    current.record["start"] = now_utc();
    current.record["seed"] = {{"value", uxrandom_seed_in_force()},
                              {"source", uxrandom_seed_from_clock() ? "clock" : "script"},
                              {"module_runs_before", current.runsSinceSeed}};
    current.record["answers"] = nlohmann::json::array();
}

void EndRunRecord(bool filesWritten) {
    if (!current.open) return;
    current.open = false;
    ++current.runsSinceSeed;
    nlohmann::json& r = current.record;
    r["end"] = now_utc();
    r["files_written"] = filesWritten;
    nlohmann::json files = nlohmann::json::array();
    for (int i = 0; i < ModuleRunFileCount(); ++i) files.push_back(utf8(ModuleRunFileName(i)));
    r["files"] = std::move(files);
    const std::string line = r.dump();
    current.record = nlohmann::json();
    if (!uxfile_append_line(kRunRecordFile, line.data(), line.size()))
        Print("\n ERROR! Cannot add the run to %s (%s) ERROR! \n", kRunRecordFile,
              std::strerror(errno));
}

void RecordAnswerInt(const char* dialog, const char* message, int answer) {
    add_answer({{"dialog", dialog}, {"message", text(message)}, {"answer", answer}});
}

void RecordAnswerYesNo(const char* message, int answer) {
    nlohmann::json value = answer == 1 ? nlohmann::json("yes")
                         : answer == 0 ? nlohmann::json("no")
                                       : nlohmann::json(nullptr);
    add_answer({{"dialog", "InputYesNo"}, {"message", text(message)}, {"answer", value}});
}

void RecordAnswerDouble(const char* message, double answer) {
    add_answer({{"dialog", "InputDouble"}, {"message", text(message)}, {"answer", number(answer)}});
}

void RecordAnswerDate(const char* title, int day, int month, int year, int hour, int minute,
                      int second) {
    add_answer({{"dialog", "InputDate"},
                {"message", text(title)},
                {"answer",
                 {{"day", day},
                  {"month", month},
                  {"year", year},
                  {"hour", hour},
                  {"minute", minute},
                  {"second", second}}}});
}

void RecordAnswerArray(const char* message, const double* values, const char* const* labels,
                       int count) {
    nlohmann::json answer = nlohmann::json::object();
    for (int i = 0; i < count; ++i) answer[text(labels[i])] = number(values[i]);
    add_answer({{"dialog", "InputArray"}, {"message", text(message)}, {"answer", answer}});
}

void RecordAnswerOption(const char* title, int answer, const char* option) {
    nlohmann::json value = answer >= 1 ? nlohmann::json(answer) : nlohmann::json(nullptr);
    add_answer({{"dialog", "ChooseOption"},
                {"message", text(title)},
                {"answer", value},
                {"option", text(option)}});
}

void RecordAnswerFile(const char* path) {
    nlohmann::json value = path && *path ? nlohmann::json(utf8(path)) : nlohmann::json(nullptr);
    add_answer({{"dialog", "file"}, {"answer", value}});
}

void RecordRunTable(const char* path, int firstRow, int rows) {
    if (!current.open) return;
    nlohmann::json table = {{"file", utf8(path)}, {"first_row", firstRow}, {"rows", rows}};
    char hex[UXFILE_SHA256_HEX];
    long long size = 0;
    if (uxfile_sha256(path, hex, &size)) {
        table["sha256"] = hex;
        table["bytes"] = size;
    } else {
        table["sha256"] = nullptr;
    }
    current.record["table"] = std::move(table);
}
