#!/usr/bin/env python3
"""Writes a real-world airline list (66-byte records: code 3, name 39, extra 24,
blank-padded) from a CSV with the columns code,name,extra and a header row.

usage: tools/make-airline-list.py airlines.csv Data/airline.kr1
"""
import csv
import sys


def field(text, width):
    data = text.encode("cp1252")[:width]
    return data + b" " * (width - len(data))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    out = bytearray()
    with open(sys.argv[1], newline="", encoding="utf-8") as f:
        for row in csv.DictReader(f):
            out += field(row["code"], 3) + field(row["name"], 39) + field(row["extra"], 24)
    with open(sys.argv[2], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
