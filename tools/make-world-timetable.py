#!/usr/bin/env python3
"""Writes a world-wide timetable for the virtual airline TWL from the airports
of an imported navigation database (Data/nav_APT.bin, as import-navdata
writes it), for timing whole-world compiles.

By default: 100,001 flights (the most a compile takes) between 3,000 airports
spread over the world, on 25,000 city pairs (12,500 airport pairs flown both
ways), 15% of them long-haul (3,000 to 7,500 NM apart, great circle), the
others 100 to 3,000 NM apart. Every city pair has two flights or more.

The airports have four-letter ICAO codes of letters only and are open; when
Data/nv_apt3.nv2 is there, only airports with a runway of 6,000 ft or more are
taken (the longest first, should fewer than that be needed). They are spread
by taking in turn the best airport of every cell of an equal-area grid, then
the second best, and so on. Each gets a unique three-character code: the last
three letters of its ICAO code where free, else another choice of its letters,
else two of its letters and a digit.

Output is deterministic (fixed random seed); it prints a summary on stdout.

usage:
  tools/make-world-timetable.py DATA_FOLDER TIMETABLE [--flights N] [--airports N]
                                [--pairs N] [--long-share F] [--seed N]
"""
import argparse
import math
import random
import re
import struct
import sys
from pathlib import Path

SEED = 20250118
AIRPORT_RECORD = 90  # ICAO 4, name 36, city 26, latitude f32, longitude f32, altitude i32, reserved 12
RUNWAY_RECORD = 56  # code 4, designator 5, length in feet i32, ...
MIN_RUNWAY_FT = 6000
EARTH_RADIUS_NM = 3440.065
SHORT_HAUL = (100.0, 3000.0)  # NM, the upper bound excluded
LONG_HAUL = (3000.0, 7500.0)  # NM, both bounds included
LONG_HAUL_FLIGHTS = 2  # per city pair; the short-haul pairs share the rest
GRID_BANDS = 18  # latitude bands of equal area
GRID_COLUMNS = 18  # 20 degrees of longitude each
PARTNER_TRIES = 5000
CRUISE_KT = 450
TAXI_MIN = 30
TURNAROUND_MIN = 60
FIRST_DEPARTURE = 6 * 60
LAST_DEPARTURE = 22 * 60
# The days a city pair is flown (Monday to Sunday).
SHORT_HAUL_DAYS = ["1,1,1,1,1,1,1", "1,1,1,1,1,0,0", "1,1,1,1,1,0,1", "1,1,1,1,1,1,0"]
LONG_HAUL_DAYS = ["1,1,1,1,1,1,1", "1,0,1,0,1,0,1", "0,1,0,1,0,1,1", "1,1,0,1,1,0,1"]
FLAGS = "1,0,0,0,0,1,0,0"  # letter flags X, Y, Z and masks 16, 8, 1, 2, 4


class Airport:
    __slots__ = ("icao", "lat", "lon", "runway", "code")

    def __init__(self, icao, lat, lon, runway):
        self.icao = icao
        self.lat = lat
        self.lon = lon
        self.runway = runway
        self.code = ""


def read_airports(data):
    """Open airports with a four-letter ICAO code, first of their code."""
    raw = (data / "nav_APT.bin").read_bytes()
    if len(raw) % AIRPORT_RECORD:
        sys.exit(f"{data / 'nav_APT.bin'}: {len(raw)} bytes is not a whole number of {AIRPORT_RECORD}-byte records")
    runways = {}
    runway_file = data / "nv_apt3.nv2"
    if runway_file.exists():
        rw = runway_file.read_bytes()
        for at in range(0, len(rw) - RUNWAY_RECORD + 1, RUNWAY_RECORD):
            code = rw[at:at + 4].decode("latin-1")
            (length,) = struct.unpack_from("<i", rw, at + 9)
            runways[code] = max(runways.get(code, 0), length)
    airports, seen = [], set()
    for at in range(0, len(raw), AIRPORT_RECORD):
        icao = raw[at:at + 4].decode("latin-1")
        name = raw[at + 4:at + 40].decode("latin-1")
        lat, lon = struct.unpack_from("<ff", raw, at + 66)
        if not re.fullmatch("[A-Z]{4}", icao) or icao in seen:
            continue
        seen.add(icao)
        if name.startswith("[X]") or "CLOSED" in name.upper():
            continue
        if not (-90 <= lat <= 90 and -180 <= lon <= 180):
            continue
        airports.append(Airport(icao, lat, lon, runways.get(icao, 0)))
    return airports, bool(runways)


def choose_airports(airports, count, have_runways):
    """`count` airports spread over the world, the best of each grid cell first."""
    pool = sorted(airports, key=lambda a: (-a.runway, a.icao))
    if have_runways:
        long_runways = [a for a in pool if a.runway >= MIN_RUNWAY_FT]
        pool = long_runways if len(long_runways) >= count else pool[:count]
    if len(pool) < count:
        sys.exit(f"only {len(pool)} airports qualify; {count} are wanted")
    cells = {}
    for a in pool:  # best first, so each cell's list is in order
        band = min(GRID_BANDS - 1, int((math.sin(math.radians(a.lat)) + 1) / 2 * GRID_BANDS))
        column = min(GRID_COLUMNS - 1, int((a.lon + 180) / 360 * GRID_COLUMNS))
        cells.setdefault((band, column), []).append(a)
    chosen = []
    rank = 0
    while len(chosen) < count:
        turn = [c[rank] for _, c in sorted(cells.items()) if rank < len(c)]
        turn.sort(key=lambda a: (-a.runway, a.icao))
        chosen.extend(turn[:count - len(chosen)])
        rank += 1
    return sorted(chosen, key=lambda a: a.icao)


def assign_codes(airports):
    """Unique three-character codes, taken in ICAO order."""
    taken = set()
    for a in airports:
        i = a.icao
        choices = [i[1:], i[0] + i[2:], i[:2] + i[3], i[:3], i[1] + i[3] + i[2], i[2] + i[3] + i[1]]
        choices += [i[1:3] + d for d in "0123456789"] + [i[2:] + d for d in "0123456789"]
        choices += [i[1] + d + e for d in "0123456789" for e in "0123456789"]
        a.code = next((c for c in choices if c not in taken), "")
        if not a.code:
            sys.exit(f"no free three-character code for {i}")
        taken.add(a.code)


def miles(a, b):
    """Great-circle distance in nautical miles."""
    la, lb = math.radians(a.lat), math.radians(b.lat)
    dlat, dlon = lb - la, math.radians(b.lon - a.lon)
    h = math.sin(dlat / 2) ** 2 + math.cos(la) * math.cos(lb) * math.sin(dlon / 2) ** 2
    return 2 * EARTH_RADIUS_NM * math.asin(min(1.0, math.sqrt(h)))


def choose_pairs(airports, wanted, band, used, rng):
    """`wanted` new airport pairs within the distance band: each airport in
    turn (in a shuffled order) looks for a random partner in the band."""
    low, high = band
    inside = (lambda d: low <= d <= high) if band == LONG_HAUL else (lambda d: low <= d < high)
    order = list(range(len(airports)))
    rng.shuffle(order)
    pairs, misses, k = [], 0, 0
    while len(pairs) < wanted:
        a = order[k % len(order)]
        k += 1
        for _ in range(PARTNER_TRIES):
            b = rng.randrange(len(airports))
            key = (min(a, b), max(a, b))
            if b != a and key not in used and inside(miles(airports[a], airports[b])):
                used.add(key)
                pairs.append((a, b))
                misses = 0
                break
        else:
            misses += 1
            if misses > len(order):
                sys.exit(f"cannot find {wanted} airport pairs {low:.0f} to {high:.0f} NM apart")
    return pairs


def clock(minutes):
    minutes %= 24 * 60
    return f"{minutes // 60:02d}{minutes % 60:02d}"


def equipment(nm, rng):
    if nm < 600:
        return rng.choice(["E90", "AT7", "73H"])
    if nm < 2000:
        return rng.choice(["320", "73H", "32N"])
    if nm < 3000:
        return rng.choice(["321", "75W"])
    if nm < 5500:
        return rng.choice(["788", "332"])
    return rng.choice(["77W", "359"])


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    p.add_argument("data", type=Path, help="the Data folder holding nav_APT.bin")
    p.add_argument("timetable", type=Path, help="the timetable to write")
    p.add_argument("--flights", type=int, default=100001)
    p.add_argument("--airports", type=int, default=3000)
    p.add_argument("--pairs", type=int, default=25000, help="city pairs (even: every airport pair is flown both ways)")
    p.add_argument("--long-share", type=float, default=0.15)
    p.add_argument("--seed", type=int, default=SEED)
    args = p.parse_args()
    if args.pairs < 2 or args.pairs % 2:
        sys.exit("--pairs must be even and at least 2")
    if args.flights < 2 * args.pairs:
        sys.exit("--flights must be at least twice --pairs (every city pair has two flights or more)")

    rng = random.Random(args.seed)
    found, have_runways = read_airports(args.data)
    airports = choose_airports(found, args.airports, have_runways)
    assign_codes(airports)

    undirected = args.pairs // 2
    long_count = round(undirected * args.long_share)
    used = set()
    long_pairs = choose_pairs(airports, long_count, LONG_HAUL, used, rng)
    short_pairs = choose_pairs(airports, undirected - long_count, SHORT_HAUL, used, rng)

    # Flights per city pair (each direction): long-haul pairs a fixed number,
    # short-haul pairs an even share of the rest, the remainder spread at random.
    short_flights = args.flights - 2 * len(long_pairs) * LONG_HAUL_FLIGHTS
    each, extra = divmod(short_flights, 2 * len(short_pairs))
    if each < 2:
        sys.exit("too few flights for the city pairs")
    one_more = set(rng.sample(range(2 * len(short_pairs)), extra))
    routes = [(a, b, LONG_HAUL_FLIGHTS) for a, b in long_pairs]
    routes += [(a, b, each + (2 * i in one_more), each + (2 * i + 1 in one_more)) for i, (a, b) in
               enumerate(short_pairs)]
    rng.shuffle(routes)

    lines = []
    number = 0
    distances = []
    for route in routes:
        a, b = airports[route[0]], airports[route[1]]
        out_count, back_count = (route[2], route[2]) if len(route) == 3 else route[2:]
        nm = miles(a, b)
        distances += [nm, nm]
        long_haul = nm >= LONG_HAUL[0]
        aircraft = equipment(nm, rng)
        days = rng.choice(LONG_HAUL_DAYS if long_haul else SHORT_HAUL_DAYS)
        block = 5 * round((nm / CRUISE_KT * 60 + TAXI_MIN) / 5)
        for k in range(max(out_count, back_count)):
            depart = FIRST_DEPARTURE + 5 * rng.randrange((LAST_DEPARTURE - FIRST_DEPARTURE) // 5)
            back = depart + block + TURNAROUND_MIN
            for origin, dest, leaves, flown in ((a, b, depart, out_count), (b, a, back, back_count)):
                if k >= flown:
                    continue
                number = number % 9999 + 1
                lines.append(f"{origin.code},{dest.code},{origin.icao},{dest.icao},TWL,{number},{aircraft},"
                             f"{clock(leaves)},{clock(leaves + block)},{days},{FLAGS}\r\n")
    args.timetable.parent.mkdir(parents=True, exist_ok=True)
    args.timetable.write_text("".join(lines), encoding="ascii", newline="")

    used_airports = {i for route in routes for i in route[:2]}
    distances.sort()
    long_pairs_count = sum(1 for d in distances if d >= LONG_HAUL[0])
    print(f"{args.timetable}: {len(lines)} flights, {len(distances)} city pairs between {len(used_airports)} "
          f"of {len(airports)} airports ({len(found)} candidates)")
    print(f"  long-haul ({LONG_HAUL[0]:.0f} to {LONG_HAUL[1]:.0f} NM): {long_pairs_count} city pairs "
          f"({100 * long_pairs_count / len(distances):.1f}%); distances {distances[0]:.0f} to {distances[-1]:.0f} NM, "
          f"median {distances[len(distances) // 2]:.0f} NM")


if __name__ == "__main__":
    main()
