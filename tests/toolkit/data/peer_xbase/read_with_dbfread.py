"""Prints a .dbf table as dbfread sees it: the record count on the first line, then one line per
live record with the values separated by tabs, Latin-1 encoded."""

import sys

import dbfread

table = dbfread.DBF(sys.argv[1], encoding="latin-1", char_decode_errors="strict")
records = list(table)
out = [f"count {len(records)}", "fields " + ",".join(table.field_names)]
for record in records:
    out.append("\t".join(str(value) for value in record.values()))
sys.stdout.buffer.write(("\n".join(out) + "\n").encode("latin-1"))
