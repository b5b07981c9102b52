"""Text and number rules shared by the table generators: Latin-1 transliteration, the
program's degrees-and-minutes rule, and whole-hour standard time zones from the tz database."""

import datetime
import math
import unicodedata
import zoneinfo

# Letters that Latin-1 lacks and that do not decompose into a Latin-1 letter and accents.
SPECIAL_LETTERS = {
    "ł": "l", "Ł": "L", "đ": "d", "Đ": "D", "ı": "i", "ħ": "h", "Ħ": "H", "œ": "oe",
    "Œ": "OE", "ŋ": "ng", "ŀ": "l", "Ŀ": "L", "ſ": "s", "ə": "a", "Ə": "A", "ʻ": "'",
    "ʼ": "'", "’": "'", "‘": "'", "ʿ": "'", "ʾ": "'", "`": "'", "“": '"', "”": '"',
    "–": "-", "—": "-", "‐": "-",
}


def to_latin1(text):
    """Keeps every Latin-1 character, spells out the letters above and drops the accents of
    the rest ("Łódź" -> "Lódz", "Plzeň" -> "Plzen")."""
    out = []
    for ch in text:
        if ord(ch) < 256:
            out.append(ch)
        elif ch in SPECIAL_LETTERS:
            out.append(SPECIAL_LETTERS[ch])
        else:
            base = unicodedata.normalize("NFKD", ch)
            kept = "".join(c for c in base if ord(c) < 256 and not unicodedata.combining(c))
            out.append(kept)
    return "".join(out)


def degrees_minutes(value):
    """Degrees and minutes with value = degrees + minutes / 60 and 0 <= minutes < 60, also for
    negative values: 73 deg 59 min west (-73.983) gives (-74, 1)."""
    total = round(value * 60)          # whole minutes
    degrees = math.floor(total / 60)
    return degrees, total - 60 * degrees


def coordinate_text(value, separator=":"):
    degrees, minutes = degrees_minutes(value)
    return f"{degrees}{separator}{minutes:02d}"


def standard_offset_minutes(zone_name, year=2025):
    """The lower of the UTC offsets the zone uses during the year: its standard (winter) time
    without summer time. Sampled daily at noon UTC."""
    zone = zoneinfo.ZoneInfo(zone_name)
    day = datetime.datetime(year, 1, 1, 12, tzinfo=datetime.timezone.utc)
    offsets = set()
    while day.year == year:
        offsets.add(day.astimezone(zone).utcoffset())
        day += datetime.timedelta(days=1)
    return round(min(offsets).total_seconds() / 60)


def whole_hour_zone(offset_minutes):
    """Nearest whole hour; an exact half hour is rounded toward zero (+5:30 -> 5, -3:30 -> -3,
    +5:45 -> 6, +9:30 -> 9)."""
    hours, rest = divmod(abs(offset_minutes), 60)
    if rest > 30:
        hours += 1
    return hours if offset_minutes >= 0 else -hours
