"""Writes dBase III tables of character fields, Latin-1 encoded, in the layout the program's
xBase code reads and edits in place (and that dbfread reads)."""

import datetime
import struct


def latin1_text(text, length):
    """Encodes text as Latin-1 and checks that it fits into length - 1 bytes, the most the
    program itself ever writes into a field of that length."""
    data = text.encode("latin-1")
    if len(data) > length - 1:
        raise ValueError(f"{text!r} is longer than {length - 1} bytes")
    return data


def write_table(path, fields, rows, date=None):
    """fields: list of (name, length); rows: lists of str, one value per field."""
    date = date or datetime.date.today()
    year = date.year - 1900          # the program's own rule for the change date
    if year > 100:
        year -= 100
    record_length = 1 + sum(length for _, length in fields)
    header_length = 32 + 32 * len(fields) + 1
    out = bytearray()
    out += struct.pack("<B3BIHH20x", 0x03, year, date.month, date.day,
                       len(rows), header_length, record_length)
    for name, length in fields:
        if not 0 < length < 256:
            raise ValueError(f"field {name}: length {length}")
        out += struct.pack("<11sc4xBB14x", name.encode("ascii"), b"C", length, 0)
    out += b"\r"
    for row in rows:
        if len(row) != len(fields):
            raise ValueError(f"row {row!r} does not match the fields")
        out += b" "
        for value, (_, length) in zip(row, fields):
            out += latin1_text(value, length).ljust(length, b" ")
    out += b"\x1a"
    with open(path, "wb") as f:
        f.write(out)
