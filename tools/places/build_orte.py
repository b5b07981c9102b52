"""Builds the place table orte_ori.dbf from the JSON list that extract_places.js writes.

Fields, in the order the program reads them: place name, country (German name, with the
state or canton for Germany, Austria, Switzerland and the United States), standard time zone in
whole hours east of Greenwich, longitude and latitude as "degrees:minutes" with the minutes
always added (value = degrees + minutes / 60).

Usage: /usr/bin/python3 build_orte.py places.json orte_ori.dbf
"""

import datetime
import gettext
import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from dbf_table import write_table  # noqa: E402
from place_text import (coordinate_text, standard_offset_minutes, to_latin1,  # noqa: E402
                        whole_hour_zone)

DATA_DATE = datetime.date(2025, 6, 1)   # date stamped into the shipped table
FIELDS = [("NAME", 40), ("LAND", 40), ("ZONE", 4), ("LAENGE", 8), ("BREITE", 8)]

# GeoNames first-level divisions (admin1 codes) in German.
REGIONS = {
    "DE": {"01": "Baden-Württemberg", "02": "Bayern", "03": "Bremen", "04": "Hamburg",
           "05": "Hessen", "06": "Niedersachsen", "07": "Nordrhein-Westfalen",
           "08": "Rheinland-Pfalz", "09": "Saarland", "10": "Schleswig-Holstein",
           "11": "Brandenburg", "12": "Mecklenburg-Vorpommern", "13": "Sachsen",
           "14": "Sachsen-Anhalt", "15": "Thüringen", "16": "Berlin"},
    "AT": {"01": "Burgenland", "02": "Kärnten", "03": "Niederösterreich",
           "04": "Oberösterreich", "05": "Salzburg", "06": "Steiermark", "07": "Tirol",
           "08": "Vorarlberg", "09": "Wien"},
    "CH": {"AG": "Aargau", "AI": "Appenzell Innerrhoden", "AR": "Appenzell Ausserrhoden",
           "BE": "Bern", "BL": "Basel-Landschaft", "BS": "Basel-Stadt", "FR": "Freiburg",
           "GE": "Genf", "GL": "Glarus", "GR": "Graubünden", "JU": "Jura", "LU": "Luzern",
           "NE": "Neuenburg", "NW": "Nidwalden", "OW": "Obwalden", "SG": "St. Gallen",
           "SH": "Schaffhausen", "SO": "Solothurn", "SZ": "Schwyz", "TG": "Thurgau",
           "TI": "Tessin", "UR": "Uri", "VD": "Waadt", "VS": "Wallis", "ZG": "Zug",
           "ZH": "Zürich"},
}

# German names of places whose list name is English or local: (German, list name, country).
# Each adds a second row for the same place.
GERMAN_NAMES = [
    ("Wien", "Vienna", "AT"), ("München", "Munich", "DE"),
    ("Klagenfurt", "Klagenfurt am Wörthersee", "AT"), ("Genf", "Genève", "CH"),
    ("Neuenburg", "Neuchâtel", "CH"), ("Biel", "Biel/Bienne", "CH"),
    ("St. Gallen", "Sankt Gallen", "CH"), ("Rom", "Rome", "IT"), ("Mailand", "Milan", "IT"),
    ("Neapel", "Naples", "IT"), ("Venedig", "Venice", "IT"), ("Florenz", "Florence", "IT"),
    ("Genua", "Genoa", "IT"), ("Bozen", "Bolzano", "IT"), ("Meran", "Merano", "IT"),
    ("Triest", "Trieste", "IT"), ("Prag", "Prague", "CZ"), ("Pilsen", "Pilsen", "CZ"),
    ("Brünn", "Brno", "CZ"), ("Karlsbad", "Karlovy Vary", "CZ"), ("Warschau", "Warsaw", "PL"),
    ("Krakau", "Kraków", "PL"), ("Breslau", "Wrocław", "PL"), ("Danzig", "Gdańsk", "PL"),
    ("Stettin", "Szczecin", "PL"), ("Posen", "Poznań", "PL"), ("Pressburg", "Bratislava", "SK"),
    ("Ödenburg", "Sopron", "HU"), ("Laibach", "Ljubljana", "SI"), ("Brüssel", "Brussels", "BE"),
    ("Lüttich", "Liège", "BE"), ("Den Haag", "The Hague", "NL"),
    ("Kopenhagen", "Copenhagen", "DK"), ("Straßburg", "Strasbourg", "FR"),
    ("Nizza", "Nice", "FR"), ("Luxemburg", "Luxembourg", "LU"), ("Lissabon", "Lisbon", "PT"),
    ("Athen", "Athens", "GR"), ("Belgrad", "Belgrade", "RS"), ("Bukarest", "Bucharest", "RO"),
    ("Moskau", "Moscow", "RU"), ("Sankt Petersburg", "Saint Petersburg", "RU"),
    ("Kiew", "Kyiv", "UA"), ("Kairo", "Cairo", "EG"), ("Peking", "Beijing", "CN"),
    ("Tokio", "Tokyo", "JP"), ("Neu-Delhi", "New Delhi", "IN"),
    ("Mexiko-Stadt", "Mexico City", "MX"), ("New York", "New York City", "US"),
    ("Teheran", "Tehran", "IR"), ("Bagdad", "Baghdad", "IQ"), ("Damaskus", "Damascus", "SY"),
    ("Kapstadt", "Cape Town", "ZA"),
]


def country_names():
    """German names of the ISO 3166 countries, from Debian's iso-codes package."""
    with open("/usr/share/iso-codes/json/iso_3166-1.json", encoding="utf-8") as f:
        entries = json.load(f)["3166-1"]
    german = gettext.translation("iso_3166-1", localedir="/usr/share/locale", languages=["de"],
                                 fallback=True)
    names = {}
    for entry in entries:
        names[entry["alpha_2"]] = german.gettext(entry.get("common_name") or entry["name"])
    names["XK"] = "Kosovo"
    return names


def shorter(text, limit):
    """Cuts a text to the limit at a word or comma boundary where possible."""
    if len(text) <= limit:
        return text
    cut = text[:limit]
    space = max(cut.rfind(" "), cut.rfind(","))
    return (cut[:space] if space > limit // 2 else cut).rstrip(" ,/")


def second_column(place, countries):
    country = countries.get(place["country"], place["country"])
    country = shorter(country, 39)
    region = REGIONS.get(place["country"], {}).get(place["admin"], "")
    if place["country"] == "US" and place["admin"]:
        region = place["admin"]
    text = f"{country}, {region}" if region else country
    return to_latin1(shorter(text, 39))


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        places = json.load(f)
    countries = country_names()
    zones = {}
    by_name = {}
    for place in places:
        by_name.setdefault((place["name"], place["country"]), []).append(place)

    entries = []
    for place in places:
        entries.append((place["name"], place))
    for german, listed, country in GERMAN_NAMES:
        matches = by_name.get((listed, country))
        if not matches:
            raise SystemExit(f"no place {listed} in {country} for the German name {german}")
        entries.append((german, max(matches, key=lambda p: p["population"])))

    rows = {}
    for name, place in entries:
        if place["tz"] not in zones:
            zones[place["tz"]] = whole_hour_zone(standard_offset_minutes(place["tz"]))
        row = (to_latin1(shorter(name, 39)), second_column(place, countries),
               str(zones[place["tz"]]), coordinate_text(place["lon"]),
               coordinate_text(place["lat"]))
        if not row[0].strip():
            continue
        # identical rows (districts listed twice) are kept once, the larger population wins
        if row not in rows or rows[row] < place["population"]:
            rows[row] = place["population"]

    ordered = sorted(rows, key=lambda r: (r[0].lower(), -rows[r], r[1]))
    write_table(target, FIELDS, [list(r) for r in ordered], DATA_DATE)
    print(f"{len(ordered)} places written to {target}")


if __name__ == "__main__":
    main()
