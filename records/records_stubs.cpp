// Placeholder definitions so that every caller links while the records are being built.

#include "records/persons.h"
#include "records/places.h"
#include "records/summer_times.h"

void EnsurePlaceTable() {}
void ClosePlaceTable() {}
bool FindPlace(const char*, FoundPlace*) { return false; }
bool ChoosePlace(int, const int*, FoundPlace*) { return false; }
void ShowSummerTimes() {}
int RenderMarkupFile(const char*) { return 0; }
void SamplePerson(PersonRecord*) {}
void PersonRecordFromEntry(const PersonEntry*, PersonRecord*) {}
bool ChoosePerson(const char*, PersonRecord*) { return false; }
bool ChooseData(const char*, PersonEntry*) { return false; }
bool PersonEntryDialog(PersonEntry*, bool) { return false; }
void ReadPersonRow(uxXBase*, PersonEntry*, int) {}
void WritePersonRow(uxXBase*, const PersonEntry*) {}
void FillPersonList(uxXBase*, uxWidget*) {}
