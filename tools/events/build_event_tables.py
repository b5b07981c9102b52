"""Builds the example person and event tables data/erdbeben.dbf and data/personen.dbf in the
layout of the program's person tables: name, first name, place, longitude and latitude
("%3d.%02d", degrees and minutes with the minutes always added), time zone ("%2d"), date
("%2d.%2d.%4d"), time ("%2d:%02d:%02d") and summer time ("%2d").

Usage: /usr/bin/python3 build_event_tables.py [data directory]
"""

import datetime
import os
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "places"))
from dbf_table import write_table  # noqa: E402
from place_text import degrees_minutes, to_latin1  # noqa: E402

DATA_DATE = datetime.date(2025, 6, 1)
FIELDS = [("NAME", 40), ("VORNAME", 40), ("ORT", 40), ("LAENGE", 8), ("BREITE", 8),
          ("ZONE", 4), ("DATUM", 11), ("ZEIT", 9), ("SOMMERZEIT", 4)]

# Earthquakes: date and origin time in world time (UTC), epicentre latitude and longitude in
# degrees (north and east positive), moment magnitude, short name, region.
EARTHQUAKES = [
    ("1906-04-18", "13:12:00", 37.75, -122.55, 7.9, "San Francisco", "Kalifornien, USA"),
    ("1908-12-28", "04:20:00", 38.15, 15.68, 7.1, "Messina", "Sizilien, Italien"),
    ("1923-09-01", "02:58:00", 35.33, 139.14, 7.9, "Kanto", "Japan"),
    ("1939-12-26", "23:57:00", 39.80, 39.51, 7.8, "Erzincan", "Türkei"),
    ("1950-08-15", "14:09:00", 28.50, 96.50, 8.6, "Assam", "Tibet / Indien"),
    ("1952-11-04", "16:58:00", 52.76, 160.06, 9.0, "Kamtschatka", "Russland"),
    ("1957-03-09", "14:22:00", 51.56, -175.39, 8.6, "Andreanof-Inseln", "Alaska, USA"),
    ("1960-02-29", "23:40:00", 30.45, -9.62, 5.8, "Agadir", "Marokko"),
    ("1960-05-22", "19:11:00", -38.14, -73.41, 9.5, "Valdivia", "Chile"),
    ("1963-07-26", "04:17:00", 42.00, 21.43, 6.1, "Skopje", "Nordmazedonien"),
    ("1964-03-28", "03:36:00", 61.02, -147.65, 9.2, "Prince William Sound", "Alaska, USA"),
    ("1965-02-04", "05:01:00", 51.21, 178.50, 8.7, "Rat-Inseln", "Alaska, USA"),
    ("1970-05-31", "20:23:00", -9.36, -78.87, 7.9, "Ancash", "Peru"),
    ("1976-02-04", "09:01:00", 15.32, -89.10, 7.5, "Guatemala", "Guatemala"),
    ("1976-05-06", "20:00:00", 46.35, 13.26, 6.4, "Friaul", "Italien"),
    ("1976-07-27", "19:42:00", 39.57, 117.98, 7.5, "Tangshan", "China"),
    ("1977-03-04", "19:21:00", 45.77, 26.76, 7.4, "Vrancea", "Rumänien"),
    ("1978-09-03", "05:08:00", 48.29, 9.03, 5.7, "Albstadt", "Schwäbische Alb, Deutschland"),
    ("1978-09-16", "15:35:00", 33.39, 57.43, 7.4, "Tabas", "Iran"),
    ("1980-10-10", "12:25:00", 36.14, 1.41, 7.1, "El Asnam", "Algerien"),
    ("1980-11-23", "18:34:00", 40.91, 15.37, 6.9, "Irpinia", "Kampanien, Italien"),
    ("1985-09-19", "13:17:00", 18.19, -102.53, 8.0, "Michoacán", "Mexiko"),
    ("1988-12-07", "07:41:00", 40.99, 44.19, 6.8, "Spitak", "Armenien"),
    ("1989-10-18", "00:04:00", 37.04, -121.88, 6.9, "Loma Prieta", "Kalifornien, USA"),
    ("1990-06-20", "21:00:00", 36.96, 49.41, 7.4, "Manjil-Rudbar", "Iran"),
    ("1992-04-13", "01:20:00", 51.15, 5.93, 5.3, "Roermond", "Niederlande"),
    ("1994-01-17", "12:30:00", 34.21, -118.54, 6.7, "Northridge", "Kalifornien, USA"),
    ("1994-06-09", "00:33:00", -13.84, -67.55, 8.2, "Tiefbeben Bolivien", "Bolivien"),
    ("1995-01-16", "20:46:00", 34.59, 135.07, 6.9, "Kobe", "Japan"),
    ("1997-09-26", "09:40:00", 43.02, 12.89, 6.0, "Umbrien-Marken", "Italien"),
    ("1999-08-17", "00:01:00", 40.75, 29.86, 7.6, "Izmit", "Türkei"),
    ("1999-09-07", "11:56:00", 38.10, 23.56, 6.0, "Athen", "Griechenland"),
    ("1999-09-21", "17:47:00", 23.77, 120.98, 7.7, "Chi-Chi", "Taiwan"),
    ("2001-01-26", "03:16:00", 23.42, 70.23, 7.7, "Bhuj", "Gujarat, Indien"),
    ("2001-02-28", "18:54:00", 47.15, -122.73, 6.8, "Nisqually", "Washington, USA"),
    ("2003-12-26", "01:56:00", 29.00, 58.34, 6.6, "Bam", "Iran"),
    ("2004-12-26", "00:58:53", 3.30, 95.98, 9.1, "Sumatra-Andamanen", "Indonesien"),
    ("2005-10-08", "03:50:00", 34.54, 73.59, 7.6, "Kaschmir", "Pakistan"),
    ("2008-05-12", "06:28:00", 31.00, 103.32, 7.9, "Wenchuan", "Sichuan, China"),
    ("2009-04-06", "01:32:00", 42.35, 13.38, 6.3, "L'Aquila", "Abruzzen, Italien"),
    ("2010-01-12", "21:53:00", 18.46, -72.53, 7.0, "Haiti", "Haiti"),
    ("2010-02-27", "06:34:00", -36.12, -72.90, 8.8, "Maule", "Chile"),
    ("2011-02-21", "23:51:00", -43.58, 172.70, 6.2, "Christchurch", "Neuseeland"),
    ("2011-03-11", "05:46:24", 38.30, 142.37, 9.1, "Tohoku", "Japan"),
    ("2011-10-23", "10:41:00", 38.72, 43.51, 7.1, "Van", "Türkei"),
    ("2012-05-20", "02:03:00", 44.89, 11.23, 6.1, "Emilia", "Italien"),
    ("2015-04-25", "06:11:00", 28.23, 84.73, 7.8, "Gorkha", "Nepal"),
    ("2015-09-16", "22:54:00", -31.57, -71.67, 8.3, "Illapel", "Chile"),
    ("2016-08-24", "01:36:00", 42.72, 13.19, 6.2, "Amatrice", "Italien"),
    ("2016-10-30", "06:40:00", 42.83, 13.11, 6.5, "Norcia", "Italien"),
    ("2016-11-13", "11:02:00", -42.69, 173.02, 7.8, "Kaikoura", "Neuseeland"),
    ("2017-09-19", "18:14:00", 18.55, -98.49, 7.1, "Puebla", "Mexiko"),
    ("2023-02-06", "01:17:00", 37.23, 37.02, 7.8, "Kahramanmaraş", "Türkei"),
    ("2023-09-08", "22:11:00", 31.06, -8.39, 6.8, "Al Haouz", "Marokko"),
]

# Persons: name, first name, birth place, latitude, longitude, date, clock time as recorded,
# zone of that clock time in hours (None: local mean time of the place), summer time.
PERSONS = [
    ("Goethe", "Johann Wolfgang von", "Frankfurt am Main", 50.1109, 8.6821,
     "1749-08-28", "12:00:00", None, 0),
    ("Mozart", "Wolfgang Amadeus", "Salzburg", 47.7994, 13.0440, "1756-01-27", "20:00:00",
     None, 0),
    ("Victoria", "Königin", "London-Kensington", 51.5058, -0.1877, "1819-05-24", "04:15:00",
     None, 0),
    ("Nietzsche", "Friedrich", "Röcken", 51.2426, 12.1178, "1844-10-15", "10:00:00", None, 0),
    ("Einstein", "Albert", "Ulm", 48.3984, 9.9916, "1879-03-14", "11:30:00", None, 0),
    ("Brecht", "Bertolt", "Augsburg", 48.3705, 10.8978, "1898-02-10", "04:30:00", 1, 0),
    ("Dietrich", "Marlene", "Berlin-Schöneberg", 52.4833, 13.3500, "1901-12-27", "21:15:00",
     1, 0),
    ("Kennedy", "John F.", "Brookline", 42.3318, -71.1212, "1917-05-29", "15:00:00", -5, 0),
    ("Monroe", "Marilyn", "Los Angeles", 34.0522, -118.2437, "1926-06-01", "09:30:00", -8, 0),
    ("Windsor", "Charles", "London", 51.5014, -0.1419, "1948-11-14", "21:14:00", 0, 0),
    ("Obama", "Barack", "Honolulu", 21.3069, -157.8583, "1961-08-04", "19:24:00", -10, 0),
    ("Spencer", "Diana", "Sandringham", 52.8311, 0.5054, "1961-07-01", "19:45:00", 0, 1),
]


def row(name, first_name, place, lat, lon, day, clock, zone, summer):
    lon_deg, lon_min = degrees_minutes(lon)
    lat_deg, lat_min = degrees_minutes(lat)
    return [to_latin1(name), to_latin1(first_name), to_latin1(place),
            "%3d.%02d" % (lon_deg, lon_min), "%3d.%02d" % (lat_deg, lat_min), "%2d" % zone,
            "%2d.%2d.%4d" % (day.day, day.month, day.year),
            "%2d:%02d:%02d" % (clock.hour, clock.minute, clock.second), "%2d" % summer]


def earthquake_rows():
    rows = []
    for date, time, lat, lon, magnitude, name, region in EARTHQUAKES:
        moment = datetime.datetime.fromisoformat(f"{date}T{time}")
        rows.append(row(name, f"M {magnitude:.1f}", region, lat, lon, moment.date(),
                        moment.time(), 0, 0))
    return rows


def person_rows():
    """Clock times from before the standard time zones (local mean time) are turned into world
    time and stored with zone 0."""
    rows = []
    for name, first_name, place, lat, lon, date, time, zone, summer in PERSONS:
        moment = datetime.datetime.fromisoformat(f"{date}T{time}")
        if zone is None:
            moment -= datetime.timedelta(seconds=round(lon * 240))   # 4 minutes per degree
            zone = 0
        rows.append(row(name, first_name, place, lat, lon, moment.date(), moment.time(), zone,
                        summer))
    rows.sort(key=lambda r: r[0].lower())   # the order the program keeps person tables in
    return rows


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "data")
    write_table(os.path.join(data, "erdbeben.dbf"), FIELDS, earthquake_rows(), DATA_DATE)
    write_table(os.path.join(data, "personen.dbf"), FIELDS, person_rows(), DATA_DATE)
    print(f"{len(EARTHQUAKES)} earthquakes and {len(PERSONS)} persons written to {data}")


if __name__ == "__main__":
    main()
