#!/usr/bin/env python3
"""Makes data/coastlines.bin, the shorelines the map draws, from the GSHHG
shoreline database through GMT's `gmt coast` (Debian: apt-get install gmt
gmt-gshhg-low; only needed to run this script, never to build).

    tools/make-coastlines.py [--resolution l] [--tolerance 0.02] [--min-area 20] [OUT]

It prints the shorelines (level 1, land against sea) as multi-segment text,
joins the pieces GMT cuts at its bins back into lines, simplifies each line
(Douglas-Peucker with TOLERANCE degrees), splits a line where it would jump
across the 180th meridian, and writes them in this format (little-endian):

    offset 0   4 bytes   "TWCL"
    offset 4   uint16    format version, 1
    offset 6   uint32    number of lines L
    then L lines, each:
               uint16    number of points n (2 or more)
               n x (int16 latitude, int16 longitude), in hundredths of a degree
                         (-9000..9000 and -18000..18000)

The file is turned into a C++ source at build time (cmake/EmbedFile.cmake)
and read by src/map/Coastlines.cpp. Its licence notice is
data/coastlines-NOTICE.txt.
"""
import argparse
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, ".."))


def read_segments(resolution, min_area):
    # In a scratch folder: gmt leaves its history file where it runs.
    with tempfile.TemporaryDirectory() as scratch:
        text = subprocess.run(["gmt", "coast", "-R-180/180/-90/90", "-D" + resolution, "-A%g/1/1" % min_area,
                               "-W", "-M"], check=True, capture_output=True, text=True, cwd=scratch).stdout
    segments, current = [], []
    for line in text.splitlines():
        if line.startswith(">"):
            if len(current) > 1:
                segments.append(current)
            current = []
            continue
        fields = line.split()
        if len(fields) >= 2:
            current.append((float(fields[1]), float(fields[0])))  # (lat, lon)
    if len(current) > 1:
        segments.append(current)
    return segments


def join_segments(segments):
    """Joins pieces whose end is another piece's start (GMT cuts lines at its bins)."""
    key = lambda p: (round(p[0], 6), round(p[1], 6))
    starts = {}
    for i, s in enumerate(segments):
        starts.setdefault(key(s[0]), []).append(i)
    used = [False] * len(segments)
    lines = []
    for i in range(len(segments)):
        if used[i]:
            continue
        used[i] = True
        line = list(segments[i])
        while True:
            nxt = next((j for j in starts.get(key(line[-1]), []) if not used[j]), None)
            if nxt is None:
                break
            used[nxt] = True
            line.extend(segments[nxt][1:])
        lines.append(line)
    return lines


def simplify(points, tolerance):
    """Douglas-Peucker on (lat, lon) degrees, iterative."""
    if len(points) < 3:
        return points
    keep = [False] * len(points)
    keep[0] = keep[-1] = True
    stack = [(0, len(points) - 1)]
    while stack:
        a, b = stack.pop()
        (ay, ax), (by, bx) = points[a], points[b]
        dx, dy = bx - ax, by - ay
        length2 = dx * dx + dy * dy
        best, where = -1.0, -1
        for k in range(a + 1, b):
            py, px = points[k]
            if length2 == 0:
                d2 = (px - ax) ** 2 + (py - ay) ** 2
            else:
                t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
                d2 = (px - ax - t * dx) ** 2 + (py - ay - t * dy) ** 2
            if d2 > best:
                best, where = d2, k
        if where >= 0 and best > tolerance * tolerance:
            keep[where] = True
            stack.append((a, where))
            stack.append((where, b))
    return [p for p, k in zip(points, keep) if k]


def quantize(line):
    """Hundredths of a degree, repeated points dropped, split at jumps across 180."""
    out, current = [], []
    for lat, lon in line:
        q = (max(-9000, min(9000, round(lat * 100))), max(-18000, min(18000, round(lon * 100))))
        if current and q == current[-1]:
            continue
        if current and abs(q[1] - current[-1][1]) > 18000:
            if len(current) > 1:
                out.append(current)
            current = []
        current.append(q)
    if len(current) > 1:
        out.append(current)
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--resolution", default="l", help="GSHHG resolution: c (crude) or l (low)")
    parser.add_argument("--tolerance", type=float, default=0.02, help="simplification tolerance in degrees")
    parser.add_argument("--min-area", type=float, default=20, help="leave out features smaller than this (km^2)")
    parser.add_argument("out", nargs="?", default=os.path.join(ROOT, "data", "coastlines.bin"))
    args = parser.parse_args()

    lines = []
    for line in join_segments(read_segments(args.resolution, args.min_area)):
        lines.extend(quantize(simplify(line, args.tolerance)))
    for line in lines:
        if len(line) > 65535:
            sys.exit("a line of %d points does not fit the format" % len(line))
    data = bytearray(b"TWCL" + struct.pack("<HI", 1, len(lines)))
    for line in lines:
        data += struct.pack("<H", len(line))
        for lat, lon in line:
            data += struct.pack("<hh", lat, lon)
    with open(args.out, "wb") as f:
        f.write(data)
    print("%s: %d lines, %d points, %d bytes" % (args.out, len(lines), sum(len(l) for l in lines), len(data)))


if __name__ == "__main__":
    main()
