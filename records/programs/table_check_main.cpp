// verivire-tablecheck TABLE.dbf (or TABLE.csv): checks a person or event table with the
// program's own row reader and place lookup; the place table is taken from the working
// directory. Exit code 0 when nothing was found, 1 when problems were listed, 2 when the table
// cannot be read.

#include <cstdio>

#include "records/places.h"
#include "records/table_check.h"

// orte.dbf as the program uses it; a table of an older version without zones gives way to the
// shipped copy.
static bool use_place_table() {
    if (UsePlaceTable("orte.dbf") && PlaceTableHasZones()) return true;
    return UsePlaceTable("orte_ori.dbf") && PlaceTableHasZones();
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: verivire-tablecheck TABLE.dbf or TABLE.csv\n");
        return kTableCheckUnreadable;
    }
    if (!use_place_table()) {
        std::printf("no place table with zones (orte.dbf or orte_ori.dbf) in the working directory\n");
        return kTableCheckUnreadable;
    }
    int result = CheckPersonTable(argv[1], stdout);
    ClosePlaceTable();
    return result;
}
