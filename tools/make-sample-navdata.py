#!/usr/bin/env python3
"""Writes the sample's navigation files from sample/navdata/airports.csv
(columns icao,name,city,latitude,longitude,altitude; west longitudes
negative): nav_APT.bin with one 90-byte record per airport, and placeholder
beacon and intersection files (nav_VOR.bin, nav_NDB.bin with one 46-byte
record per airport, nav_ISC.bin with one 20-byte record per airport) at the
airports' positions. No airway network is written; a missing network is an
empty one.

usage: tools/make-sample-navdata.py sample/navdata/airports.csv sample/Data
"""
import csv
import os
import struct
import sys


def text(value, width):
    data = value.encode("cp1252")[:width]
    return data + b" " * (width - len(data))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    apt, vor, ndb, isc = bytearray(), bytearray(), bytearray(), bytearray()
    with open(sys.argv[1], newline="", encoding="utf-8") as f:
        for row in csv.DictReader(f):
            lat, lon = float(row["latitude"]), float(row["longitude"])
            icao = row["icao"]
            apt += text(icao, 4) + text(row["name"], 36) + text(row["city"], 26)
            apt += struct.pack("<ffiihih", lat, lon, int(row["altitude"]), 0, 0, 0, 0)
            for table, freq in ((vor, "113.00"), (ndb, "0350.0")):
                table += text(icao[1:], 3) + text(row["city"], 29) + struct.pack("<ff", lat, lon) + text(freq, 6)
            isc += text(icao, 5) + text("", 7) + struct.pack("<ff", lat, lon)
    for name, data in (("nav_APT.bin", apt), ("nav_VOR.bin", vor), ("nav_NDB.bin", ndb), ("nav_ISC.bin", isc)):
        with open(os.path.join(sys.argv[2], name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
