#!/usr/bin/env python3
"""Fills a seed corpus folder per fuzz target (fuzz/*.cpp) from the sample.

    tools/fuzz-seeds.py TARNWELL_BIN OUT_DIR

Takes the sample's files whole or cut to a few records, compiles two route
sets of the sample with TARNWELL_BIN (in a scratch copy of the sample), and writes the
simulator text files (nav.dat, fix.dat, awy.dat, apt.dat) that the sample's
navigation data and airport database were made of. Inputs holding several
files join them with the separator of fuzz/FuzzSupport.h.
"""
import gzip
import os
import shutil
import struct
import subprocess
import sys
import tempfile

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
SAMPLE = os.path.join(ROOT, "sample")
SEPARATOR = b"\n=tarnwell-next-file=\n"


def read(*parts):
    with open(os.path.join(*parts), "rb") as f:
        return f.read()


def lines(data, count):
    return b"".join(data.splitlines(keepends=True)[:count])


def text(raw):
    return raw.rstrip(b" \0").decode("latin-1")


def records(data, length):
    return [data[k:k + length] for k in range(0, len(data) - length + 1, length)]


def network_prefix(data, nodes):
    """The first `nodes` nodes of an airway network file."""
    p = 0
    for _ in range(nodes):
        if p + 20 > len(data):
            break
        p += 20 + 15 * struct.unpack_from("<h", data, p + 18)[0]
    return data[:p]


def network_legs(data):
    """(ident, lat, lon) of every node and (from, to, airway) of every leg."""
    nodes, legs, p = [], [], 0
    while p + 20 <= len(data):
        ident = text(data[p:p + 7])
        lat, lon = struct.unpack_from("<ff", data, p + 7)
        count = struct.unpack_from("<h", data, p + 18)[0]
        nodes.append((ident, lat, lon))
        for k in range(count):
            to = struct.unpack_from("<h", data, p + 20 + 15 * k)[0]
            legs.append((len(nodes), to, text(data[p + 22 + 15 * k:p + 27 + 15 * k])))
        p += 20 + 15 * count
    return nodes, legs


def header(version):
    return b"I\r\n%d Version - made from the Tarnwell sample.\r\n\r\n" % version


def nav_dat(vors, ndbs, version):
    out = [header(version)]
    for code, table in ((3, vors), (2, ndbs)):
        for r in table:
            lat, lon = struct.unpack_from("<ff", r, 32)
            freq = float(text(r[40:46]) or 0)
            freq = int(round(freq * 100)) if code == 3 else int(freq)
            region = " ENRT XX" if version >= 1100 else ""
            out.append(("%d %.8f %.8f 0 %d 130 0.0 %s%s %s\r\n" % (
                code, lat, lon, freq, text(r[0:3]), region, text(r[3:32]))).encode("latin-1"))
    out.append(b"99\r\n")
    return b"".join(out)


def fix_dat(fixes, version):
    out = [header(version)]
    for r in fixes:
        lat, lon = struct.unpack_from("<ff", r, 12)
        region = " ENRT XX 2105430" if version >= 1100 else ""
        out.append(("%.6f %.6f %s%s\r\n" % (lat, lon, text(r[0:5]), region)).encode("latin-1"))
    out.append(b"99\r\n")
    return b"".join(out)


def awy_dat(network, count):
    nodes, legs = network_legs(network)
    out = [header(640)]
    for a, b, airway in legs[:count]:
        if 1 <= b <= len(nodes) and a < b:
            (i1, la1, lo1), (i2, la2, lo2) = nodes[a - 1], nodes[b - 1]
            out.append(("%s %.6f %.6f %s %.6f %.6f 2 180 450 %s\r\n" % (
                i1, la1, lo1, i2, la2, lo2, airway or "UL1")).encode("latin-1"))
    out.append(b"99\r\n")
    return b"".join(out)


def apt_dat(apt1, apt2, apt3, count, version):
    out = [header(version)]
    for r in records(apt1, 25)[:count]:
        icao = text(r[0:4])
        runway_pos, values_pos = struct.unpack_from("<ii", r, 12)
        runways = struct.unpack_from("<i", r, 21)[0]
        v = apt2[values_pos - 1:values_pos - 1 + 78]
        name = text(v[4:40]) if len(v) == 78 else icao
        out.append(("1 100 0 0 %s %s\r\n" % (icao, name)).encode("latin-1"))
        ends = records(apt3[runway_pos - 1:runway_pos - 1 + 56 * runways], 56) if runways > 0 else []
        for e1, e2 in zip(ends[0::2], ends[1::2]):
            width = struct.unpack_from("<i", e1, 13)[0] * 0.3048
            row = "100 %.2f %d 0 0.25 0 2 1" % (width, struct.unpack_from("<i", e1, 17)[0])
            for e in (e1, e2):
                lat, lon = struct.unpack_from("<ff", e, 29)
                row += " %s %.8f %.8f 0 0 3 0 1 0" % (text(e[4:9]), lat, lon)
            out.append((row + "\r\n").encode("latin-1"))
        if version >= 1100:
            out.append(("1302 city %s\r\n1302 icao_code %s\r\n" % (name, icao)).encode("latin-1"))
        if len(v) == 78:
            for kind, value in enumerate(struct.unpack_from("<7f", v, 50)):
                if value:
                    out.append(b"%d %d\r\n" % ((1050 + kind, round(value * 1000)) if version >= 1100
                                               else (50 + kind, round(value * 100))))
    out.append(b"99\r\n")
    return b"".join(out)


def airport_database(apt1, apt2, apt3, altitudes, count):
    airports = records(apt1, 25)[:count]
    values_end = runways_end = 0
    for r in airports:
        runway_pos, values_pos = struct.unpack_from("<ii", r, 12)
        runways = struct.unpack_from("<i", r, 21)[0]
        values_end = max(values_end, values_pos - 1 + 78)
        if runways > 0:
            runways_end = max(runways_end, runway_pos - 1 + 56 * runways)
    codes = {r[0:4] for r in airports}
    heights = b"".join(l for l in altitudes.splitlines(keepends=True) if l[:4] in codes)
    return SEPARATOR.join([b"".join(airports), apt2[:values_end], apt3[:runways_end], heights])


def compile_sample(tarnwell, run):
    """Two route sets of the sample and the add file of a merge."""
    shutil.copytree(SAMPLE, run)
    timetable = os.path.join(run, "VirtualAir.KRX")
    small = os.path.join(run, "Small.KRX")
    with open(small, "wb") as f:
        f.write(lines(read(timetable), 12))
    quiet = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL, "check": True}
    subprocess.run([tarnwell, "--root", run, "merge", timetable, "--real-world-airline", "BAW"], **quiet)
    add = read(run, "Data", "Defaults", "carrierADD.txt")
    sets = {}
    for name, source in (("Full", timetable), ("Small", small)):
        subprocess.run([tarnwell, "--root", run, "compile", source, "--set-name", name, "--airline-iata", "TWL",
                        "--airline-name", "Tarnwell Air", "--real-world-airline", "EZY"], **quiet)
        files = ["index.kr1", "routes.kr1", "airline.kr1", "arrivals.kr1", "APT.kr1", "PLANS.kr1"]
        sets[name] = [read(run, "Data", name, f) for f in files] + [read(run, "Data", "UniqueRoutes.txt")]
    return add, sets


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    tarnwell, out = sys.argv[1], sys.argv[2]
    data = os.path.join(SAMPLE, "Data")
    nav = {n: read(data, n) for n in os.listdir(data) if os.path.isfile(os.path.join(data, n))}
    defaults = os.path.join(data, "Defaults")
    virtual, real = read(SAMPLE, "VirtualAir.KRX"), read(SAMPLE, "RealWorld.KRX")
    with tempfile.TemporaryDirectory(prefix="tarnwell-seeds-") as scratch:
        add, sets = compile_sample(tarnwell, os.path.join(scratch, "sample"))
    vors, ndbs = records(nav["nav_VOR.bin"], 46), records(nav["nav_NDB.bin"], 46)
    fixes = records(nav["nav_ISC.bin"], 20)
    apt = (nav["nv_apt1.nv2"], nav["nv_apt2.nv2"], nav["nv_apt3.nv2"])
    nav_small = nav_dat(vors[:30], ndbs[:30], 810)

    seeds = {
        "timetable": [virtual, real, lines(virtual, 12)],
        "add_file": [add, lines(add, 20), lines(virtual, 12)],
        "unique_routes": [sets["Full"][6], sets["Small"][6]],
        "altitudes": [nav["Altitudes.txt"], lines(nav["Altitudes.txt"], 30)],
        "airline_csv": [read(SAMPLE, "airlines.csv"), lines(read(SAMPLE, "airlines.csv"), 10),
                        read(SAMPLE, "sources", "airline-fixes.csv")],
        "airline_list": [nav["airline.kr1"], nav["airline.kr1"][:66 * 10], sets["Full"][2]],
        "nav_records": [nav[n][:length * 40] for n, length in
                        (("nav_APT.bin", 90), ("nav_VOR.bin", 46), ("nav_NDB.bin", 46), ("nav_ISC.bin", 20))]
                       + [nav["nav_VOR.bin"]],
        "airway_network": [network_prefix(nav[n], count) for n in ("HighAlt.ab1", "LowAlt.ab1") for count in (30, 300)],
        "airport_database": [airport_database(*apt, nav["Altitudes.txt"], count) for count in (20, 120)],
        "nav_dat": [nav_small, nav_dat(vors[:150], ndbs[:150], 1150), gzip.compress(nav_small, mtime=0)],
        "fix_dat": [fix_dat(fixes[:50], 600), fix_dat(fixes[:400], 1101), gzip.compress(fix_dat(fixes[:50], 600), mtime=0)],
        "awy_dat": [awy_dat(nav["HighAlt.ab1"], 60), awy_dat(nav["LowAlt.ab1"], 600),
                    header(1100) + b"ALPHA ED 11 BRAVO ED 11 N 2 180 450 UL1-UM2\r\n"
                    b"FFM ED 3 FW ED 2 F 1 50 180 T1\r\nCHARL EG 11 DELTA EG 11 B 2 180 450 UN5\r\n99\r\n"],
        "apt_dat": [apt_dat(*apt, 15, 1000), apt_dat(*apt, 80, 1100)],
        "realworld_routes": [SEPARATOR.join([read(defaults, "Routes.kr1"), read(defaults, "index.kr1")]),
                             SEPARATOR.join([read(defaults, "Routes.kr1")[:32 * 40], read(defaults, "index.kr1")])],
        "route_set": [SEPARATOR.join(sets[name][:6]) for name in ("Small", "Full")],
        "route_set_map": [SEPARATOR.join(sets[name][:6]) for name in ("Small", "Full")],
        "phpvms_flights": [SEPARATOR.join([read(SAMPLE, "phpvms", "flights.csv"),
                                           read(SAMPLE, "phpvms", "airports.csv")]),
                           read(SAMPLE, "phpvms", "flights.csv")],
    }
    for target, inputs in seeds.items():
        folder = os.path.join(out, target)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        for k, content in enumerate(inputs):
            with open(os.path.join(folder, "sample-%d" % (k + 1)), "wb") as f:
                f.write(content)
    print("seeds: %d targets, %d inputs in %s" % (len(seeds), sum(len(v) for v in seeds.values()), out))


if __name__ == "__main__":
    main()
