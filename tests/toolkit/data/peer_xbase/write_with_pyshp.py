"""Writes a small attribute table with pyshp's dBase writer: a character, a numeric field with
decimals, a date and a logical field."""

import sys

import shapefile

with open(sys.argv[1], "wb") as f:
    w = shapefile.Writer(dbf=f, encoding="latin-1")
    w.field("NAME", "C", 20)
    w.field("WERT", "N", 10, 2)
    w.field("TAG", "D")
    w.field("OK", "L")
    w.record("Zürich", 12.5, "20240131", True)
    w.record("Wien", -3.25, "19991231", False)
    w.record("Garmisch-Partenkirch", 0, "20000229", True)
    w.close()
