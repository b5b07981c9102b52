"""Checks the shipped place table with dbfread: six fields, Latin-1 names, whole-hour zones,
coordinates "degrees:minutes" with value = degrees + minutes / 60 (minutes always added) and an
IANA zone that the system tz database knows."""

import re
import sys
import zoneinfo

import dbfread

COORDINATE = re.compile(r"^-?\d{1,3}:[0-5]\d$")
problems = []
table = dbfread.DBF(sys.argv[1], encoding="latin-1", char_decode_errors="strict")
known_zones = zoneinfo.available_timezones()
if len(table.fields) != 6:
    problems.append(f"{len(table.fields)} fields")
rows = {}
count = 0
for record in table:
    name, land, zone, lon, lat, iana = record.values()
    count += 1
    rows.setdefault(name, []).append((land, zone, lon, lat, iana))
    if iana not in known_zones:
        problems.append(f"{name!r}: IANA zone {iana!r}")
    if not name or not re.fullmatch(r"-?\d{1,2}", zone) or not -12 <= int(zone) <= 14:
        problems.append(f"{name!r}: zone {zone!r}")
    for text, limit in ((lon, 180), (lat, 90)):
        if not COORDINATE.match(text):
            problems.append(f"{name!r}: coordinate {text!r}")
            continue
        degrees, minutes = (int(part) for part in text.split(":"))
        if not -limit <= degrees + minutes / 60 <= limit:
            problems.append(f"{name!r}: coordinate {text!r} out of range")


def expect(name, land, zone, lon, lat, iana):
    if (land, zone, lon, lat, iana) not in rows.get(name, []):
        problems.append(f"{name}: {rows.get(name)}")


expect("Berlin", "Deutschland, Berlin", "1", "13:25", "52:31", "Europe/Berlin")
expect("Wien", "Österreich, Wien", "1", "16:22", "48:13", "Europe/Vienna")
expect("Zürich", "Schweiz, Zürich", "1", "8:33", "47:22", "Europe/Zurich")
expect("New York", "Vereinigte Staaten, NY", "-5", "-74:00", "40:43", "America/New_York")  # 74 deg 0.4 min W
expect("Los Angeles", "Vereinigte Staaten, CA", "-8", "-119:45", "34:03", "America/Los_Angeles")  # 118 deg 15 min W
expect("Sydney", "Australien", "10", "151:12", "-34:08", "Australia/Sydney")  # 33 deg 52 min S
expect("Buenos Aires", "Argentinien", "-3", "-59:37", "-35:23", "America/Argentina/Buenos_Aires")
expect("Mumbai", "Indien", "5", "72:53", "19:04", "Asia/Kolkata")  # +5:30 toward zero
if count < 15000:
    problems.append(f"only {count} places")
for p in problems[:20]:
    print(p)
print("ok" if not problems else f"{len(problems)} problems")
sys.exit(1 if problems else 0)
