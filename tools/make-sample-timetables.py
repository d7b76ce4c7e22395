#!/usr/bin/env python3
"""Writes the sample timetables from the airports of sample/sources/airports.csv:

  sample/RealWorld.KRX   flights of twelve real airlines from their real hubs
  sample/VirtualAir.KRX  flights of the invented virtual airline TWL (Tarnwell Air)

The schedules are synthetic: routes, frequencies, times, flight numbers and
aircraft are invented (plausible, not copied from any real timetable). Output
is deterministic (fixed random seed).

usage:
  tools/make-sample-timetables.py [--sample DIR]
      write both timetables (DIR defaults to the repository's sample/)
  tools/make-sample-timetables.py [--sample DIR] --check APTDAT
      check the timetables, airports.csv and airlines.csv; APTDAT is an
      apt.dat or apt.dat.gz in the 1000 text format: every airport must be
      there by its ICAO code, near its listed position and inside the region
  tools/make-sample-timetables.py [--sample DIR] --airlines-from AIRLINES_DAT
      rebuild DIR/airlines.csv from the OpenFlights airlines.dat and
      DIR/sources/airline-fixes.csv
"""
import argparse
import csv
import gzip
import math
import random
import re
import sys
import unicodedata
from pathlib import Path

SEED = 20240601
REGION = (36.0, 60.0, -10.0, 20.0)  # latitude south/north, longitude west/east
CRUISE_KT = 430
TAXI_MIN = 30
# Hours ahead of UTC (the same all year for the zone differences: all these
# countries change their clocks on the same dates).
UTC_OFFSET = {"GB": 0, "IE": 0, "PT": 0}
DEFAULT_OFFSET = 1
FIRST_DEPARTURE = 6 * 60
LAST_ARRIVAL = 23 * 60 + 30
LEISURE = set("PMI AGP ALC IBZ FAO DBV CTA NCE SVQ VLC SZG".split())

# Each fleet entry: IATA aircraft code, weight, shortest and longest stage (NM).
FLEETS = {
    "BAW": [("319", 2, 0, 1200), ("320", 4, 0, 1800), ("321", 2, 250, 1800), ("32N", 3, 0, 1800),
            ("32Q", 1, 400, 1800)],
    "DLH": [("319", 2, 0, 1200), ("320", 3, 0, 1800), ("321", 2, 200, 1800), ("32N", 3, 0, 1800),
            ("32Q", 1, 300, 1800), ("CR9", 2, 0, 750), ("E95", 2, 0, 900)],
    "AFR": [("319", 2, 0, 1200), ("320", 3, 0, 1800), ("321", 2, 250, 1800), ("223", 3, 0, 1400),
            ("E90", 1, 0, 700)],
    "KLM": [("73W", 2, 0, 1300), ("73H", 4, 0, 1800), ("73J", 1, 300, 1800), ("E90", 2, 0, 800),
            ("E95", 2, 0, 900), ("295", 3, 0, 1000)],
    "IBE": [("319", 2, 0, 1200), ("320", 4, 0, 1800), ("321", 2, 250, 1800), ("32N", 3, 0, 1800),
            ("CRK", 1, 0, 700)],
    "SWR": [("221", 3, 0, 1100), ("223", 4, 0, 1400), ("320", 2, 0, 1800), ("32N", 2, 0, 1800),
            ("321", 1, 400, 1800)],
    "AUA": [("E95", 4, 0, 900), ("319", 1, 0, 1200), ("320", 3, 0, 1800), ("321", 1, 300, 1800)],
    "EIN": [("320", 4, 0, 1800), ("32N", 2, 0, 1800), ("321", 1, 300, 1800), ("AT7", 1, 0, 300)],
    "TAP": [("319", 2, 0, 1300), ("320", 3, 0, 1800), ("32N", 3, 0, 1800), ("321", 1, 300, 1800),
            ("E95", 2, 0, 900), ("AT7", 1, 0, 300)],
    "SAS": [("32N", 5, 0, 1800), ("320", 2, 0, 1800), ("CR9", 2, 0, 700)],
    "EZY": [("319", 2, 0, 1500), ("320", 4, 0, 1800), ("32N", 3, 0, 1800), ("321", 1, 300, 1800)],
    "RYR": [("73H", 6, 0, 1800), ("7M8", 3, 0, 1800)],
    "TWL": [("AT7", 2, 0, 330), ("E90", 3, 0, 900), ("73H", 3, 0, 1800), ("320", 3, 0, 1800),
            ("32N", 2, 300, 1800)],
}

# Minutes on the ground at the far end of a rotation.
TURNAROUND = {"EZY": 30, "RYR": 25, "TWL": 35}
DEFAULT_TURNAROUND = 45

# airline -> [(base, first flight number, destinations)]. A destination is an
# IATA code with the number of daily rotations ("EDI4"); without a number it
# is one rotation that may run on fewer days than every day.
NETWORKS = {
    "BAW": [
        ("LHR", 300, "EDI3 GLA3 MAN2 ABZ1 NCL1 BFS1 DUB2 AMS3 BRU1 LUX CDG3 NCE1 LYS MRS TLS FRA2 MUC2 "
                     "BER1 HAM1 DUS1 STR ZRH2 GVA2 VIE1 CPH1 ARN1 PRG BUD KRK FCO2 MXP1 VCE NAP MAD2 "
                     "BCN2 PMI AGP LIS1 OPO BIO"),
        ("LGW", 2600, "EDI1 GLA BFS AMS NCE BOD GVA1 SZG FCO VCE NAP CTA BCN PMI AGP ALC IBZ FAO LIS "
                      "DBV SVQ VLC"),
    ],
    "DLH": [
        ("FRA", 900, "LHR3 MAN1 BHX EDI DUB1 AMS2 BRU1 CDG3 LYS1 NCE MRS TLS HAM3 BER3 MUC3 DUS2 "
                     "ZRH2 GVA1 VIE2 CPH1 ARN1 PRG1 BUD1 KRK FCO2 MXP1 VCE1 NAP MAD2 BCN2 PMI LIS1 "
                     "OPO BIO VLC AGP"),
        ("MUC", 1900, "LHR2 MAN DUB AMS1 BRU1 CDG2 NCE LYS HAM3 BER3 DUS2 CGN1 VIE1 GVA CPH1 ARN PRG "
                      "BUD KRK FCO1 MXP VCE MAD1 BCN1 PMI LIS OPO"),
    ],
    "AFR": [
        ("CDG", 1000, "LHR3 MAN1 BHX EDI1 GLA NCL DUB1 AMS3 LUX1 NCE3 LYS1 MRS2 TLS2 BOD1 FRA2 MUC1 "
                      "BER1 HAM1 DUS1 STR ZRH1 GVA1 VIE1 CPH1 ARN PRG BUD KRK FCO2 MXP1 VCE1 NAP "
                      "CTA MAD2 BCN2 PMI AGP VLC BIO LIS1 OPO DBV SVQ"),
        ("ORY", 6000, "NCE3 TLS3 MRS3 BOD2"),
    ],
    "KLM": [
        ("AMS", 1000, "LHR3 MAN2 BHX2 LBA NCL1 EDI2 GLA1 ABZ1 BRS1 DUB2 ORK CDG3 NCE LYS1 MRS TLS1 "
                      "BOD FRA2 MUC2 BER2 HAM2 STR1 ZRH2 GVA1 VIE1 CPH2 ARN1 PRG1 BUD1 KRK FCO1 "
                      "MXP1 VCE1 NAP MAD2 BCN2 PMI AGP VLC BIO ALC LIS1 OPO FAO LUX SVQ"),
    ],
    "IBE": [
        ("MAD", 3100, "LHR3 MAN DUB1 AMS1 BRU1 CDG2 ORY1 NCE MRS TLS FRA1 MUC1 BER DUS HAM ZRH1 "
                      "GVA VIE CPH ARN PRG BUD FCO2 MXP1 VCE NAP BCN4 PMI2 AGP2 VLC1 BIO2 ALC1 "
                      "IBZ1 SVQ3 LIS2 OPO1"),
    ],
    "SWR": [
        ("ZRH", 300, "LHR3 MAN EDI DUB AMS2 BRU1 CDG2 NCE BOD FRA1 MUC1 BER2 HAM2 DUS1 VIE2 CPH1 "
                     "ARN PRG1 BUD KRK FCO2 VCE NAP CTA MAD1 BCN2 PMI AGP VLC BIO LIS1 OPO FAO "
                     "DBV"),
        ("GVA", 2800, "LHR2 AMS BRU CDG1 NCE BCN LIS MAD FCO NAP OPO"),
    ],
    "AUA": [
        ("VIE", 100, "LHR2 MAN DUB AMS2 BRU1 CDG2 NCE LYS FRA3 MUC2 BER2 HAM2 DUS2 CGN1 STR1 ZRH2 "
                     "GVA CPH1 ARN PRG KRK FCO1 MXP1 VCE NAP CTA MAD BCN1 PMI LIS DBV"),
    ],
    "EIN": [
        ("DUB", 100, "LHR5 LGW1 MAN1 BHX1 BRS EDI1 GLA AMS2 BRU1 CDG2 NCE LYS TLS BOD FRA1 MUC1 "
                     "BER HAM DUS ZRH GVA VIE CPH PRG BUD KRK FCO1 MXP VCE NAP MAD BCN1 PMI AGP1 "
                     "ALC1 IBZ LIS FAO1 DBV"),
        ("ORK", 700, "LHR1 AMS FAO ALC"),
    ],
    "TAP": [
        ("LIS", 300, "LHR2 LGW MAN BHX EDI DUB AMS1 BRU1 LUX CDG2 ORY2 NCE LYS1 MRS TLS BOD FRA1 "
                     "MUC1 BER HAM DUS ZRH1 GVA1 VIE CPH PRG BUD FCO1 MXP VCE MAD3 BCN2 VLC "
                     "BIO OPO3 FAO2 SVQ"),
        ("OPO", 1900, "ORY1 CDG LUX GVA ZRH LHR BRU MAD"),
    ],
    "SAS": [
        ("CPH", 500, "LHR3 MAN BHX EDI DUB AMS2 BRU1 CDG2 NCE FRA2 MUC1 BER1 HAM1 DUS1 STR ZRH1 "
                     "GVA VIE PRG BUD KRK FCO MXP VCE MAD BCN1 PMI AGP ALC LIS ARN4"),
        ("ARN", 1400, "LHR2 MAN DUB AMS1 BRU CDG1 NCE FRA1 MUC BER1 HAM DUS ZRH GVA VIE PRG BUD "
                      "FCO MAD BCN PMI AGP"),
    ],
    "EZY": [
        ("LGW", 8000, "EDI2 GLA1 BFS1 ABZ AMS1 BER NCE1 LYS BOD TLS MRS GVA2 FCO VCE NAP CTA PMI1 "
                      "AGP1 ALC1 IBZ FAO1 LIS OPO BCN1 MAD BIO SVQ DBV KRK BUD PRG SZG VLC"),
        ("LTN", 2000, "EDI1 GLA1 BFS1 AMS BER1 GVA1 NCE MXP VCE NAP PMI AGP ALC FAO LIS BCN "
                      "KRK BUD"),
        ("BRS", 6100, "EDI1 GLA BFS1 AMS GVA1 NCE BOD PMI AGP ALC FAO LIS BCN FCO VCE KRK BER DBV"),
    ],
    "RYR": [
        ("STN", 2000, "DUB3 ORK EDI1 GLA BER1 HAM CGN BGY1 FCO NAP CTA PMI AGP ALC IBZ VLC SVQ "
                      "BCN MAD FAO LIS OPO KRK1 BUD PRG BOD MRS"),
        ("DUB", 7000, "STN3 LTN1 MAN2 BHX1 BRS1 EDI1 GLA1 LBA BGY FCO NAP CTA PMI AGP1 ALC1 "
                      "IBZ VLC SVQ BCN MAD1 FAO1 LIS OPO KRK1 BUD BER HAM CGN BOD MRS TLS VIE"),
        ("BGY", 4800, "STN1 DUB MAN EDI BCN1 MAD VLC PMI AGP IBZ LIS OPO KRK BUD CTA1 NAP BER"),
    ],
    "TWL": [
        ("LBA", 100, "EDI4 GLA2 ABZ2 BFS3 DUB4 ORK2 AMS5 BRU3 CDG4 FRA3 MUC2 DUS2 HAM2 BER2 ZRH2 "
                     "GVA2 CPH2 VIE2 PRG2 BUD2 KRK BCN2 MAD2 PMI3 AGP3 ALC3 IBZ2 FAO3 LIS2 OPO "
                     "NCE2 FCO2 MXP VCE NAP DBV SZG TLS CGN1 STR1 LYS1 BOD MRS CTA BIO VLC SVQ"),
        ("EDI", 700, "LBA3 BFS2 DUB3 AMS4 BRU2 CDG3 FRA2 MUC2 CPH2 ARN1 ZRH2 GVA2 BER2 HAM2 PRG "
                     "BUD KRK BCN1 MAD PMI2 AGP2 ALC2 FAO2 LIS NCE FCO VCE DUS1 BHX1 BRS1 ORK LHR2 "
                     "LGW1 IBZ VLC OPO"),
    ],
}

# (days, weight) for a route flown once a day or less; Day1 is Monday.
ONCE_PATTERNS = [
    ("1111111", 30), ("1111101", 8), ("1111110", 5), ("1111100", 9), ("1010100", 10),
    ("0101010", 7), ("1001001", 5), ("0100101", 5), ("1000101", 4), ("0010110", 3),
]
LEISURE_PATTERNS = [
    ("1111111", 10), ("1010101", 8), ("0100110", 6), ("1001011", 6), ("0000011", 4),
    ("1010100", 5), ("0010011", 4), ("0000010", 3), ("1000001", 3),
]
# Early and late rotations of a route flown several times a day.
EDGE_PATTERNS = [("1111111", 10), ("1111101", 4), ("1111110", 3), ("1111100", 4)]


def repo_root():
    return Path(__file__).resolve().parent.parent


def read_airports(sample):
    with open(sample / "sources" / "airports.csv", newline="", encoding="utf-8") as f:
        rows = list(csv.DictReader(f))
    airports = {}
    for r in rows:
        r["latitude"] = float(r["latitude"])
        r["longitude"] = float(r["longitude"])
        r["offset"] = UTC_OFFSET.get(r["country"], DEFAULT_OFFSET) * 60
        airports[r["iata"]] = r
    return airports


def distance_nm(a, b):
    la1, lo1, la2, lo2 = map(math.radians, (a["latitude"], a["longitude"], b["latitude"], b["longitude"]))
    h = math.sin((la2 - la1) / 2) ** 2 + math.cos(la1) * math.cos(la2) * math.sin((lo2 - lo1) / 2) ** 2
    return 2 * math.asin(math.sqrt(h)) * 3440.065


def block_minutes(a, b):
    """Gate to gate: the great-circle distance at the cruise speed, plus taxi
    and climb allowance, rounded up to 5 minutes."""
    minutes = distance_nm(a, b) / CRUISE_KT * 60 + TAXI_MIN
    return int(math.ceil(minutes / 5.0) * 5)


def hhmm(minutes):
    if not 0 <= minutes < 24 * 60:
        raise ValueError("time outside the day: %d" % minutes)
    return (minutes // 60) * 100 + minutes % 60


def weighted(rng, choices):
    total = sum(w for _, w in choices)
    pick = rng.uniform(0, total)
    for value, w in choices:
        pick -= w
        if pick <= 0:
            return value
    return choices[-1][0]


def shift_days(days):
    """The days of a flight that leaves the morning after one flying on days."""
    return days[-1] + days[:-1]


def parse_destinations(text):
    out = []
    for token in text.split():
        m = re.fullmatch(r"([A-Z]{3})(\d*)", token)
        if not m:
            raise ValueError("bad destination " + token)
        out.append((m.group(1), int(m.group(2)) if m.group(2) else 0))
    return out


class Flight:
    def __init__(self, origin, dest, airline, number, equipment, depart, arrive, days, flags):
        self.origin, self.dest, self.airline, self.number = origin, dest, airline, number
        self.equipment, self.depart, self.arrive, self.days, self.flags = equipment, depart, arrive, days, flags

    def line(self):
        fields = [self.origin["iata"], self.dest["iata"], self.origin["icao"], self.dest["icao"], self.airline,
                  str(self.number), self.equipment, str(hhmm(self.depart)), str(hhmm(self.arrive))]
        fields += list(self.days)
        fields += [str(v) for v in self.flags]
        return ",".join(fields)


def random_flags(rng):
    """LetterFlagX/Y/Z then Mask16, Mask8, Mask1, Mask2, Mask4: no meaning in
    the sample, set now and then so a compile carries every bit through."""
    letters = [0, 0, 0]
    if rng.random() < 0.4:
        letters = list(weighted(rng, [((1, 0, 0), 4), ((0, 1, 0), 3), ((0, 0, 1), 2), ((1, 1, 0), 1),
                                      ((1, 0, 1), 1), ((0, 1, 1), 1), ((1, 1, 1), 1)]))
    masks = [1 if rng.random() < 0.2 else 0 for _ in range(5)]
    return letters + masks


def choose_equipment(rng, airline, nm):
    fleet = [(code, w) for code, w, lo, hi in FLEETS[airline] if lo <= nm <= hi]
    if not fleet:
        raise ValueError("no %s aircraft for %d NM" % (airline, nm))
    return weighted(rng, fleet)


def route_flights(rng, airline, base, dest, rotations, first_number):
    """The flights of one route: rotations out of base and back, the first
    flight number given to the first one out, each return one higher."""
    nm = distance_nm(base, dest)
    block = block_minutes(base, dest)
    turn = TURNAROUND.get(airline, DEFAULT_TURNAROUND)
    zone = dest["offset"] - base["offset"]  # dest local = base local + zone
    length = block + turn + block
    # Base-local departure window: the rotation is back by LAST_ARRIVAL and
    # every far-end time stays inside the far end's day.
    earliest = max(FIRST_DEPARTURE, FIRST_DEPARTURE - zone)
    latest = min(LAST_ARRIVAL - length, LAST_ARRIVAL - zone - block - turn)
    if latest < earliest:
        raise ValueError("%s %s-%s does not fit a day" % (airline, base["iata"], dest["iata"]))

    leisure = dest["iata"] in LEISURE or base["iata"] in LEISURE
    count = max(rotations, 1)
    night_stop = count >= 3 and rng.random() < 0.5
    departures = []
    if count == 1:
        hi = max(earliest, min(latest, 19 * 60))
        departures.append(rng.randint(earliest // 5, hi // 5) * 5)
    else:
        # Spread over the day: the first out within an hour of the earliest,
        # the last back up to an hour and a half before the latest.
        first = min(earliest + rng.randint(0, 12) * 5, latest)
        last = max(first, latest - rng.randint(0, 18) * 5)
        for i in range(count):
            t = first + (last - first) * i / (count - 1) + rng.randint(-2, 2) * 5
            departures.append(int(min(max(t, earliest), latest)) // 5 * 5)

    flights = []
    number = first_number
    for i, dep in enumerate(departures):
        equipment = choose_equipment(rng, airline, nm)
        flags = random_flags(rng)
        if rotations == 0:
            days = weighted(rng, LEISURE_PATTERNS if leisure else ONCE_PATTERNS)
        elif i in (0, count - 1):
            days = weighted(rng, EDGE_PATTERNS)
        else:
            days = "1111111"
        if night_stop and i == count - 1:
            # The last one out stays the night; it comes back first thing.
            late = LAST_ARRIVAL - zone - block
            dep_out = min(late, max(dep, 20 * 60 - zone)) // 5 * 5
            arr_out = dep_out + block + zone
            dep_back = FIRST_DEPARTURE + rng.randint(0, 9) * 5 + max(0, zone)
            arr_back = dep_back + block - zone
            flights.append(Flight(base, dest, airline, number, equipment, dep_out, arr_out, days, flags))
            flights.append(Flight(dest, base, airline, number + 1, equipment, dep_back, arr_back,
                                  shift_days(days), flags))
        else:
            arr_out = dep + block + zone
            dep_back = arr_out + turn
            arr_back = dep_back + block - zone
            flights.append(Flight(base, dest, airline, number, equipment, dep, arr_out, days, flags))
            flights.append(Flight(dest, base, airline, number + 1, equipment, dep_back, arr_back, days, flags))
        number += 2
    return flights


def make_timetable(rng, airports, airlines):
    flights = []
    for airline in airlines:
        used = set()
        for base_code, first, text in NETWORKS[airline]:
            base = airports[base_code]
            number = first
            for dest_code, rotations in parse_destinations(text):
                if dest_code == base_code:
                    raise ValueError("%s flies %s to itself" % (airline, base_code))
                route = route_flights(rng, airline, base, airports[dest_code], rotations, number)
                for f in route:
                    if f.number in used:
                        raise ValueError("%s flight number %d used twice" % (airline, f.number))
                    used.add(f.number)
                flights += route
                # The next route starts at the next multiple of ten.
                number = (number + 2 * max(rotations, 1) + 9) // 10 * 10
    flights.sort(key=lambda f: (f.airline, f.number))
    return flights


def write_timetable(path, flights):
    with open(path, "w", newline="", encoding="ascii") as f:
        for fl in flights:
            f.write(fl.line() + "\r\n")


def generate(sample):
    airports = read_airports(sample)
    rng = random.Random(SEED)
    real = make_timetable(rng, airports, [a for a in NETWORKS if a != "TWL"])
    virtual = make_timetable(rng, airports, ["TWL"])
    write_timetable(sample / "RealWorld.KRX", real)
    write_timetable(sample / "VirtualAir.KRX", virtual)
    for name, flights in (("RealWorld.KRX", real), ("VirtualAir.KRX", virtual)):
        per = {}
        for fl in flights:
            per[fl.airline] = per.get(fl.airline, 0) + 1
        print("%s: %d flights (%s)" % (name, len(flights), ", ".join("%s %d" % kv for kv in sorted(per.items()))))


# ---------------------------------------------------------------- checking

def read_aptdat(path):
    """ICAO -> (latitude, longitude) of the middle of its runways, from the
    airport (1, 16, 17) and land runway (100) rows."""
    opener = gzip.open if str(path).endswith(".gz") else open
    found, current = {}, None
    with opener(path, "rt", encoding="latin-1") as f:
        for line in f:
            p = line.split()
            if not p:
                continue
            if p[0] in ("1", "16", "17") and len(p) >= 5:
                current = p[4]
                found.setdefault(current, [])
            elif p[0] == "100" and current is not None and len(p) >= 20:
                found[current] += [(float(p[9]), float(p[10])), (float(p[18]), float(p[19]))]
    out = {}
    for icao, ends in found.items():
        if ends:
            out[icao] = (sum(a for a, _ in ends) / len(ends), sum(b for _, b in ends) / len(ends))
        else:
            out[icao] = None
    return out


def check_airports(airports, apt, problems):
    south, north, west, east = REGION
    icaos = set()
    for iata, a in airports.items():
        where = "airports.csv %s/%s" % (iata, a["icao"])
        if not re.fullmatch(r"[A-Z]{3}", iata) or not re.fullmatch(r"[A-Z]{4}", a["icao"]):
            problems.append(where + ": bad code")
        if a["icao"] in icaos:
            problems.append(where + ": ICAO code listed twice")
        icaos.add(a["icao"])
        if not (south <= a["latitude"] <= north and west <= a["longitude"] <= east):
            problems.append(where + ": listed position outside the region")
        if apt is None:
            continue
        if a["icao"] not in apt:
            problems.append(where + ": not in the airport file")
            continue
        pos = apt[a["icao"]]
        if pos is None:
            problems.append(where + ": no runway in the airport file")
            continue
        if not (south <= pos[0] <= north and west <= pos[1] <= east):
            problems.append(where + ": outside the region in the airport file")
        off = distance_nm(a, {"latitude": pos[0], "longitude": pos[1]})
        if off > 5:
            problems.append(where + ": %.1f NM from its position in the airport file" % off)


def check_timetable(path, airports, airline_codes, problems):
    data = path.read_bytes()
    if data and not data.endswith(b"\r\n"):
        problems.append("%s: last line not ended by CR LF" % path.name)
    text = data.decode("ascii")
    lines = text.split("\r\n")
    if lines and lines[-1] == "":
        lines.pop()
    by_icao = {a["icao"]: iata for iata, a in airports.items()}
    numbers = set()
    for n, line in enumerate(lines, 1):
        where = "%s line %d" % (path.name, n)
        if "\n" in line or "\r" in line:
            problems.append(where + ": bare CR or LF")
        f = [x.strip() for x in line.split(",")]
        if len(f) != 24:
            problems.append(where + ": %d fields" % len(f))
            continue
        bad = [i + 1 for i in range(5, 24)
               if i != 6 and not (re.fullmatch(r"-?\d+", f[i]) and -32768 <= int(f[i]) <= 32767)]
        if bad:
            problems.append(where + ": fields %s are not 16-bit numbers" % bad)
            continue
        org, dst, oicao, dicao, airline, number, equip = f[:7]
        for iata, icao in ((org, oicao), (dst, dicao)):
            if not re.fullmatch(r"[A-Z]{3}", iata) or not re.fullmatch(r"[A-Z]{4}", icao):
                problems.append(where + ": bad airport code %s/%s" % (iata, icao))
            elif by_icao.get(icao) != iata:
                problems.append(where + ": %s/%s is not a listed airport" % (iata, icao))
        if org == dst:
            problems.append(where + ": flies to where it starts")
        if not re.fullmatch(r"[A-Z]{3}", airline) or (airline_codes is not None and airline not in airline_codes):
            problems.append(where + ": airline %s not in airlines.csv" % airline)
        if not re.fullmatch(r"[0-9A-Z]{3}", equip):
            problems.append(where + ": bad equipment %r" % equip)
        if (airline, number) in numbers:
            problems.append(where + ": flight %s %s twice" % (airline, number))
        numbers.add((airline, number))
        dep, arr = int(f[7]), int(f[8])
        for t in (dep, arr):
            if not (0 <= t <= 2359 and t % 100 < 60):
                problems.append(where + ": %d is not a time hhmm" % t)
        days = [int(x) for x in f[9:16]]
        if any(d not in (0, 1) for d in days + [int(x) for x in f[16:24]]):
            problems.append(where + ": a day, flag or mask is not 0 or 1")
        if not any(days):
            problems.append(where + ": flies on no day")
        if org in airports and dst in airports:
            elapsed = (arr // 100 * 60 + arr % 100) - (dep // 100 * 60 + dep % 100)
            elapsed -= airports[dst]["offset"] - airports[org]["offset"]
            if elapsed != block_minutes(airports[org], airports[dst]):
                problems.append(where + ": arrival does not match the distance")
    return len(lines)


def read_airline_codes(path, problems):
    codes = set()
    with open(path, newline="", encoding="utf-8") as f:
        reader = csv.reader(f)
        if next(reader, None) != ["code", "name", "extra"]:
            problems.append("airlines.csv: header is not code,name,extra")
        for n, row in enumerate(reader, 2):
            where = "airlines.csv line %d" % n
            if len(row) != 3:
                problems.append(where + ": %d columns" % len(row))
                continue
            code, name, extra = row
            if not re.fullmatch(r"[A-Z]{3}", code):
                problems.append(where + ": bad code %r" % code)
            if code in codes:
                problems.append(where + ": %s twice" % code)
            codes.add(code)
            if not name.strip() or len(name) > 39 or len(extra) > 24:
                problems.append(where + ": name empty or too long, or extra too long")
            if any(not (32 <= ord(c) < 127 or 0xA0 <= ord(c) <= 0xFF) for c in name + extra):
                problems.append(where + ": characters outside Latin-1")
    return codes


def check(sample, aptdat):
    problems = []
    airports = read_airports(sample)
    apt = read_aptdat(aptdat)
    check_airports(airports, apt, problems)
    codes = read_airline_codes(sample / "airlines.csv", problems)
    if "TWL" in codes:
        problems.append("airlines.csv: holds the virtual airline TWL")
    real = check_timetable(sample / "RealWorld.KRX", airports, codes, problems)
    virtual = check_timetable(sample / "VirtualAir.KRX", airports, {"TWL"}, problems)
    for p in problems:
        print(p)
    print("%d airports, %d airlines, RealWorld.KRX %d flights, VirtualAir.KRX %d flights: %d problems"
          % (len(airports), len(codes), real, virtual, len(problems)))
    return 1 if problems else 0


# ------------------------------------------------------------ airline list

def latin1_text(text):
    """text with characters outside Latin-1 spelled without their accents;
    None when that is not enough."""
    out = []
    for c in text:
        if 32 <= ord(c) < 127 or 0xA0 <= ord(c) <= 0xFF:
            out.append(c)
        else:
            plain = unicodedata.normalize("NFKD", c).encode("ascii", "ignore").decode()
            if not plain:
                return None
            out.append(plain)
    return "".join(out)


def clean_callsign(text):
    text = text.strip().upper()
    if text in ("\\N", "INC.", "S.A.") or not re.fullmatch(r"[A-Z0-9][A-Z0-9 .'-]*", text):
        return ""
    return text


def airlines_from(sample, dat):
    """Active airlines of the OpenFlights list with a 3-letter ICAO code and an
    IATA code, less the dropped ones, with the fixes and additions applied."""
    with open(dat, newline="", encoding="utf-8") as f:
        source = [r for r in csv.reader(f) if len(r) == 8]
    with open(sample / "sources" / "airline-fixes.csv", newline="", encoding="utf-8") as f:
        fixes = list(csv.DictReader(f))
    drop = {r["code"] for r in fixes if r["action"] == "drop"}
    by_code = {}
    for _, name, _, iata, icao, callsign, _, active in source:
        if re.fullmatch(r"[A-Z]{3}", icao):
            # The first active entry of a code wins, else its first entry.
            if icao not in by_code or (by_code[icao][2] != "Y" and active == "Y"):
                by_code[icao] = [name.strip(), clean_callsign(callsign), active, iata]
    chosen = {}
    for code, (name, callsign, active, iata) in by_code.items():
        if active == "Y" and re.fullmatch(r"[A-Z0-9]{2}", iata) and code not in drop:
            chosen[code] = [name, callsign]
    for r in fixes:
        code = r["code"]
        if r["action"] == "set":
            base = chosen.get(code) or by_code.get(code, ["", ""])[:2]
            chosen[code] = [r["name"] or base[0], r["extra"] or base[1]]
        elif r["action"] == "add":
            chosen[code] = [r["name"], r["extra"]]
        elif r["action"] != "drop":
            raise ValueError("unknown action " + r["action"])
    chosen.pop("TWL", None)
    rows = []
    for code in sorted(chosen):
        name, extra = (latin1_text(x) for x in chosen[code])
        if not name or extra is None:
            print("skipped %s: name not in Latin-1 letters" % code)
            continue
        if len(name) > 39:
            name = name[:39].rsplit(" ", 1)[0]
        rows.append([code, name, extra[:24].strip()])
    with open(sample / "airlines.csv", "w", newline="", encoding="utf-8") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["code", "name", "extra"])
        w.writerows(rows)
    print("airlines.csv: %d airlines" % len(rows))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--sample", type=Path, default=repo_root() / "sample")
    ap.add_argument("--check", metavar="APTDAT", type=Path)
    ap.add_argument("--airlines-from", metavar="AIRLINES_DAT", type=Path)
    args = ap.parse_args()
    if args.check:
        return check(args.sample, args.check)
    if args.airlines_from:
        airlines_from(args.sample, args.airlines_from)
        return 0
    generate(args.sample)
    return 0


if __name__ == "__main__":
    sys.exit(main())
