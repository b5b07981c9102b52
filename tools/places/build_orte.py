"""Builds the place table orte_ori.dbf from the JSON list that extract_places.js writes.

Fields, in the order the program reads them: place name, country (German name, with the
state or canton for Germany, Austria, Switzerland and the United States), standard time zone in
whole hours east of Greenwich, longitude and latitude as "degrees:minutes" with the minutes
always added (value = degrees + minutes / 60), and the place's IANA zone ("Europe/Berlin"),
with which the program looks up historical zone and summer time in the tz database.

The zone comes from the coordinates (tz-lookup, in extract_places.js). Near borders that lookup
is coarse and sometimes names a neighbour's zone, which has a different history; a zone that the
tz database's zone.tab does not list for the place's country is therefore replaced by the
nearest zone that zone.tab lists for that country.

Each place is also listed under its names in its country's languages and in English (Milano,
Roma, Torino, Alger, Bruxelles; Milan, Rome, ...), as researchers' sources write them. These
come from Debian's libgeonames-common: translations of GeoNames place names, keyed by the same
GeoNames ids the city list carries.

Usage: /usr/bin/python3 build_orte.py places.json orte_ori.dbf
"""

import datetime
import gettext
import json
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from dbf_table import write_table  # noqa: E402
from place_text import (coordinate_text, standard_offset_minutes, to_latin1,  # noqa: E402
                        whole_hour_zone)

DATA_DATE = datetime.date(2025, 6, 1)   # date stamped into the shipped table
FIELDS = [("NAME", 40), ("LAND", 40), ("ZONE", 4), ("LAENGE", 8), ("BREITE", 8),
          ("IANAZONE", 40)]
ZONE_TAB = "/usr/share/zoneinfo/zone.tab"   # Debian package tzdata
# zone.tab zones never given to a place by distance: Büsingen is an exclave of a few square
# kilometres on Swiss time; the rest of Germany keeps Europe/Berlin.
EXCLAVE_ZONES = {"Europe/Busingen"}
EARTH_RADIUS_KM = 6371

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
    # larger cities of the world and of the former German east, by the names German sources use
    ("Havanna", "Havana", "CU"), ("Algier", "Algiers", "DZ"),
    ("Königsberg", "Kaliningrad", "RU"), ("Lemberg", "Lviv", "UA"),
    ("Montreal", "Montréal", "CA"), ("Quebec", "Québec", "CA"), ("Brügge", "Brugge", "BE"),
    ("Löwen", "Leuven", "BE"), ("Kalkutta", "Kolkata", "IN"), ("Bombay", "Mumbai", "IN"),
    ("Madras", "Chennai", "IN"), ("Charkiw", "Kharkiv", "UA"), ("Czernowitz", "Chernivtsi", "UA"),
    ("Singapur", "Singapore", "SG"), ("Riad", "Riyadh", "SA"), ("Mekka", "Mecca", "SA"),
    ("Tripolis", "Tripoli", "LY"), ("Daressalam", "Dar es Salaam", "TZ"),
    ("Addis Abeba", "Addis Ababa", "ET"), ("Nikosia", "Nicosia", "CY"),
    ("Saloniki", "Thessaloníki", "GR"), ("Thessaloniki", "Thessaloníki", "GR"),
    ("Wolgograd", "Volgograd", "RU"), ("Nischni Nowgorod", "Nizhniy Novgorod", "RU"),
    ("Jekaterinburg", "Yekaterinburg", "RU"), ("Nowosibirsk", "Novosibirsk", "RU"),
    ("Kasan", "Kazan", "RU"), ("Rostow am Don", "Rostov-na-Donu", "RU"),
    ("Wladiwostok", "Vladivostok", "RU"), ("Sao Paulo", "São Paulo", "BR"),
    ("Bogota", "Bogotá", "CO"), ("Brasilia", "Brasília", "BR"), ("Lodz", "Łódź", "PL"),
    ("Reykjavik", "Reykjavík", "IS"), ("Kattowitz", "Katowice", "PL"),
    ("Gleiwitz", "Gliwice", "PL"), ("Oppeln", "Opole", "PL"), ("Thorn", "Toruń", "PL"),
    ("Bromberg", "Bydgoszcz", "PL"), ("Allenstein", "Olsztyn", "PL"), ("Elbing", "Elbląg", "PL"),
    ("Liegnitz", "Legnica", "PL"), ("Beuthen", "Bytom", "PL"), ("Gdingen", "Gdynia", "PL"),
    ("Königshütte", "Chorzów", "PL"), ("Landsberg an der Warthe", "Gorzów Wielkopolski", "PL"),
    ("Stolp", "Słupsk", "PL"), ("Köslin", "Koszalin", "PL"), ("Kolberg", "Kołobrzeg", "PL"),
    ("Graudenz", "Grudziądz", "PL"), ("Kalisch", "Kalisz", "PL"), ("Olmütz", "Olomouc", "CZ"),
    ("Ostrau", "Ostrava", "CZ"), ("Budweis", "České Budějovice", "CZ"),
    ("Reichenberg", "Liberec", "CZ"), ("Aussig", "Ústí nad Labem", "CZ"),
    ("Iglau", "Jihlava", "CZ"), ("Znaim", "Znojmo", "CZ"), ("Teplitz-Schönau", "Teplice", "CZ"),
    ("Marienbad", "Mariánské Lázně", "CZ"), ("Komotau", "Chomutov", "CZ"),
    ("Gablonz", "Jablonec nad Nisou", "CZ"), ("Hermannstadt", "Sibiu", "RO"),
    ("Klausenburg", "Cluj-Napoca", "RO"), ("Kronstadt", "Braşov", "RO"),
    ("Temeswar", "Timişoara", "RO"), ("Agram", "Zagreb", "HR"),
    ("Marburg an der Drau", "Maribor", "SI"), ("Cilli", "Celje", "SI"), ("Pettau", "Ptuj", "SI"),
    ("Fünfkirchen", "Pécs", "HU"), ("Szegedin", "Szeged", "HU"), ("Padua", "Padova", "IT"),
    ("Syrakus", "Siracusa", "IT"), ("Trient", "Trento", "IT"), ("Brixen", "Bressanone", "IT"),
    ("Mantua", "Mantova", "IT"), ("Mülhausen", "Mulhouse", "FR"), ("Kolmar", "Colmar", "FR"),
    ("Diedenhofen", "Thionville", "FR"), ("Saargemünd", "Sarreguemines", "FR"),
    ("Hagenau", "Haguenau", "FR"), ("Saragossa", "Zaragoza", "ES"), ("Wilna", "Vilnius", "LT"),
    ("Kowno", "Kaunas", "LT"), ("Memel", "Klaipėda", "LT"), ("Dorpat", "Tartu", "EE"),
    ("Reval", "Tallinn", "EE"), ("Kischinau", "Chisinau", "MD"), ("Hongkong", "Hong Kong", "HK"),
    ("Kanton", "Guangzhou", "CN"), ("Taipeh", "Taipei", "TW"), ("Saigon", "Ho Chi Minh City", "VN"),
    ("Taschkent", "Tashkent", "UZ"), ("Tiflis", "Tbilisi", "GE"), ("Eriwan", "Yerevan", "AM"),
    ("Marrakesch", "Marrakesh", "MA"), ("Washington", "Washington, D.C.", "US"),
]


# Translations of GeoNames place names (Debian package libgeonames-common): one gettext
# catalogue per language, the message ids being GeoNames ids.
GEONAMES_LOCALE_DIR = "/usr/share/locale"
# The languages of each country whose place names Latin-1 can write (English is added for all).
LOCAL_LANGUAGES = {
    "AT": ["de"], "BE": ["fr", "nl"], "CH": ["de", "fr", "it"], "CZ": ["cs"], "DE": ["de"],
    "DK": ["da"], "DZ": ["fr"], "EE": ["et"], "ES": ["es", "ca"], "FI": ["fi", "sv"],
    "FR": ["fr"], "HR": ["hr"], "HU": ["hu"], "IE": ["en"], "IS": ["is"], "IT": ["it"],
    "LI": ["de"], "LT": ["lt"], "LU": ["fr", "de"], "LV": ["lv"], "MA": ["fr"], "MC": ["fr"],
    "NL": ["nl"], "NO": ["nb"], "PL": ["pl"], "PT": ["pt"], "RO": ["ro"], "SE": ["sv"],
    "SI": ["sl"], "SK": ["sk"], "TN": ["fr"], "TR": ["tr"], "AR": ["es"], "BO": ["es"],
    "BR": ["pt"], "CA": ["fr"], "CL": ["es"], "CO": ["es"], "CU": ["es"], "EC": ["es"],
    "MX": ["es"], "PE": ["es"], "PY": ["es"], "UY": ["es"], "VE": ["es"],
}


def geonames_translations(languages):
    """The catalogue of each language: GeoNames id (text) -> name."""
    catalogues = {}
    for language in sorted(languages):
        path = os.path.join(GEONAMES_LOCALE_DIR, language, "LC_MESSAGES", "geonames.mo")
        with open(path, "rb") as f:
            catalogues[language] = gettext.GNUTranslations(f)._catalog
    return catalogues


def other_names(place, catalogues):
    """The place's names in its country's languages and in English, in that order."""
    names = []
    for language in LOCAL_LANGUAGES.get(place["country"], []) + ["en"]:
        name = catalogues[language].get(str(place["id"]))
        if name and name not in names:
            names.append(name)
    return names


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


def zone_tab_coordinate(text):
    """"+4716" or "+471639" (degrees, minutes, seconds) as decimal degrees."""
    sign = -1 if text[0] == "-" else 1
    digits = text[1:]
    width = 2 if len(digits) in (4, 6) else 3
    value = int(digits[:width]) + int(digits[width:width + 2]) / 60
    if len(digits) > width + 2:
        value += int(digits[width + 2:]) / 3600
    return sign * value


def country_zones():
    """Zones of each country with their principal coordinates, from tzdata's zone.tab."""
    zones = {}
    with open(ZONE_TAB, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            country, coordinates, zone = line.rstrip("\n").split("\t")[:3]
            cut = max(coordinates.rfind("+"), coordinates.rfind("-"))
            lat = zone_tab_coordinate(coordinates[:cut])
            lon = zone_tab_coordinate(coordinates[cut:])
            zones.setdefault(country, []).append((zone, lat, lon))
    return zones


def distance(lat1, lon1, lat2, lon2):
    """Great-circle distance in radians."""
    p1, p2 = math.radians(lat1), math.radians(lat2)
    dl = math.radians(lon2 - lon1)
    c = math.sin(p1) * math.sin(p2) + math.cos(p1) * math.cos(p2) * math.cos(dl)
    return math.acos(max(-1.0, min(1.0, c)))


def place_zone(place, zones_of_country):
    """The zone of a place: the zone of its own country whose principal location (zone.tab) lies
    within 10 km (Nicosia keeps Asia/Nicosia, which the coordinate lookup merges into
    Asia/Famagusta); else the coordinate lookup's zone when zone.tab lists it for the country;
    else the country's nearest zone. Countries zone.tab does not know (Kosovo) keep the lookup's
    zone."""
    listed = zones_of_country.get(place["country"])
    if not listed:
        return place["tz"]
    candidates = [z for z in listed if z[0] not in EXCLAVE_ZONES] or listed
    nearest = min(candidates, key=lambda z: (distance(place["lat"], place["lon"], z[1], z[2]), z[0]))
    if distance(place["lat"], place["lon"], nearest[1], nearest[2]) * EARTH_RADIUS_KM < 10:
        return nearest[0]
    if any(zone == place["tz"] for zone, _, _ in listed):
        return place["tz"]
    return nearest[0]


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
    zones_of_country = country_zones()
    zones = {}
    by_name = {}
    for place in places:
        by_name.setdefault((place["name"], place["country"]), []).append(place)

    catalogues = geonames_translations({l for ls in LOCAL_LANGUAGES.values() for l in ls} | {"en"})
    entries = []
    for place in places:
        entries.append((place["name"], place))
        for name in other_names(place, catalogues):
            entries.append((name, place))
    for german, listed, country in GERMAN_NAMES:
        matches = by_name.get((listed, country))
        if not matches:
            raise SystemExit(f"no place {listed} in {country} for the German name {german}")
        entries.append((german, max(matches, key=lambda p: p["population"])))

    rows = {}
    for name, place in entries:
        zone = place_zone(place, zones_of_country)
        if zone not in zones:
            zones[zone] = whole_hour_zone(standard_offset_minutes(zone))
        row = (to_latin1(shorter(name, 39)), second_column(place, countries),
               str(zones[zone]), coordinate_text(place["lon"]),
               coordinate_text(place["lat"]), zone)
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
