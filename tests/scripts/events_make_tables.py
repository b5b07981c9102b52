"""Writes the small event tables of the scripted event-analysis runs with pyshp's dBase
writer, the way a peer tool would. Run it with /usr/bin/python3 from this folder after changing
it; the tables it writes are kept in the repository.

events_refused.d/leer.dbf        the person layout without any row
events_refused.d/schlecht.dbf    two good earthquakes, then one whose date is no date
matprob_chain.d/datumfeld.dbf    three earthquakes with a dBase date field (type D) and
                                 numeric zone and summer-time fields
events_csv.d/same.dbf            the five events of the CSV files beside it
"""

import os

import shapefile

HERE = os.path.dirname(os.path.abspath(__file__))

QUAKES = [
    ("San Francisco", "M 7.9", "Kalifornien, USA", "-123.27", " 37.45", 0, "18. 4.1906", "19060418", "13:12:00"),
    ("Messina", "M 7.1", "Sizilien, Italien", " 15.41", " 38.09", 0, "28.12.1908", "19081228", " 4:20:00"),
    ("Kanto", "M 7.9", "Japan", "139.08", " 35.20", 0, " 1. 9.1923", "19230901", " 2:58:00"),
]


def person_table(path, rows, date_field=False):
    with open(path, "wb") as f:
        w = shapefile.Writer(dbf=f, encoding="latin-1")
        w.field("NAME", "C", 40)
        w.field("VORNAME", "C", 40)
        w.field("ORT", "C", 40)
        w.field("LAENGE", "C", 8)
        w.field("BREITE", "C", 8)
        if date_field:
            w.field("ZONE", "N", 4, 0)
            w.field("DATUM", "D")
        else:
            w.field("ZONE", "C", 4)
            w.field("DATUM", "C", 11)
        w.field("ZEIT", "C", 9)
        if date_field:
            w.field("SOMMERZEIT", "N", 4, 0)
        else:
            w.field("SOMMERZEIT", "C", 4)
        for row in rows:
            w.record(*row)
        w.close()


def dotted(quake, date=None):
    name, first, place, lon, lat, zone, day, _, time = quake
    return [name, first, place, lon, lat, " %d" % zone, date or day, time, " 0"]


person_table(os.path.join(HERE, "events_refused.d", "leer.dbf"), [])
person_table(os.path.join(HERE, "events_refused.d", "schlecht.dbf"),
             [dotted(QUAKES[0]), dotted(QUAKES[1]), dotted(QUAKES[2], "99.99.99999")])
person_table(os.path.join(HERE, "matprob_chain.d", "datumfeld.dbf"),
             [[q[0], q[1], q[2], q[3], q[4], q[5], q[7], q[8], 0] for q in QUAKES], date_field=True)

# The events of events_csv.d/gauquelin.csv and enigma.csv as a person table would hold them:
# coordinates as degrees (rounded down) and minutes, zone and summer time in hours.
person_table(os.path.join(HERE, "events_csv.d", "same.dbf"), [
    ["DUPONT", "Jean", "PARIS", "  2.21", " 48.51", " 1", "10. 3.1955", "14:30:00", " 0"],
    ["MARTIN", "Louis", "PARIS 8E", "  2.19", " 48.52", " 1", " 2.11.1962", " 8:15:00", " 0"],
    ["BERARD", "Emile", "LYON 3E", "  4.51", " 45.45", " 1", "14. 7.1977", "15:00:00", " 1"],
    ["KOWALSKI", "Piotr", "MARSEILLE 12E", "  5.26", " 43.18", " 1", "20. 5.1968", " 6:40:00", " 0"],
    ["LEGALL", "Yves", "BREST", " -5.31", " 48.24", " 1", "24.12.1959", "23:50:00", " 0"],
])
