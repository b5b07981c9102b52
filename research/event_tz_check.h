#pragma once
// The event analysis's check of its table rows against the tz database.

struct PersonTable;

// Checks `count` live rows from `firstRow` (0-based) of the open event table: each row whose
// place is in the place table is compared with the tz database at its clock time. Rows whose
// zone or summer time disagree, and rows that could not be compared (with the reason), are
// printed to the current text target and written to "tzcheck.txt" (which then lists this run's
// rows only), with the count of rows not compared per reason. Nothing of the rows is changed.
void CheckEventZones(PersonTable* table, int firstRow, int count);
