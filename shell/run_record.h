#pragma once
// The run record: every module run appends one JSON line to "runs.jsonl" in the working
// directory with what it takes to repeat the run: the module, the program version, start and
// end time, every dialog answer in order, the seed in force (and how many module runs used the
// generator since it was set), the table the run read (file name, SHA-256, rows) and the files
// it wrote. The shell brackets each module run with Begin and End; the dialogs and the modules
// that read a table add to the open record. Outside a run the additions are ignored.

inline constexpr const char* kRunRecordFile = "runs.jsonl";

void BeginRunRecord(const char* module);
// filesWritten: whether the run's files were put in place (EndModuleFiles).
void EndRunRecord(bool filesWritten);

// Dialog answers, each with the dialog's kind and its message or title.
void RecordAnswerInt(const char* dialog, const char* message, int answer);
void RecordAnswerYesNo(const char* message, int answer);  // 1 yes, 0 no, -1 none
void RecordAnswerDouble(const char* message, double answer);
void RecordAnswerDate(const char* title, int day, int month, int year, int hour, int minute,
                      int second);
void RecordAnswerArray(const char* message, const double* values, const char* const* labels,
                       int count);
void RecordAnswerOption(const char* title, int answer, const char* text);
// The file chosen in a file dialog ("" when it was cancelled).
void RecordAnswerFile(const char* path);

// The person or event table the run read: its file (named as given, hashed), the first row
// (1-based) and the number of rows read.
void RecordRunTable(const char* path, int firstRow, int rows);
