#pragma once
// The chooser "Choose data" over a CSV person table (read only).

#include "records/persons.h"

// As ChooseData for a .csv file: true when a row with usable fields was chosen.
bool ChooseCsvData(const char* path, PersonEntry* entry);
