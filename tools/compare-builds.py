#!/usr/bin/env python3
"""Runs two builds of the command line program through the same scenarios and
reports every difference in exit status, standard output, standard error and
the files left in the program folder.

    tools/compare-builds.py OLD_TARNWELL NEW_TARNWELL [--random N] [--seed S]

Each scenario runs in a fresh copy of sample/ at the same place for both
builds, so paths in messages compare equal. Scenarios: the sample compiled
with and without a real-world merge, merge alone, build-defaults,
import-airlines, airlines, check and dump, failures of every kind, and N
random timetables over the sample's airports full of quirks (blanks, lower
case, unknown airports, repeated pairs, odd numbers).
"""
import argparse
import hashlib
import os
import re
import random
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLE = os.path.join(HERE, "..", "sample")


def snapshot(root):
    files = {}
    for folder, _, names in os.walk(root):
        for name in names:
            path = os.path.join(folder, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, root)] = f.read()
    return files


def run(binary, root, commands):
    """Runs each command (a list of arguments after --root) in turn."""
    results = []
    for args in commands:
        p = subprocess.run([binary, "--root", root] + args, capture_output=True, timeout=600)
        results.append((p.returncode, p.stdout, p.stderr))
    return results, snapshot(root)


def timetable_line(rng, airports, quirks):
    o, d = rng.sample(airports, 2)
    if quirks and rng.random() < 0.05:
        o = (o[0], o[1].lower())
    if quirks and rng.random() < 0.05:
        d = ("ZZZ", "ZZZZ")  # an airport no database knows
    if quirks and rng.random() < 0.05:
        o = (" " + o[0][:2], o[1])  # a code with a leading blank
    days = [rng.choice([0, 1, 1, 2]) for _ in range(7)]
    flags = [rng.choice([0, 1]) for _ in range(8)]
    equipment = rng.choice(["320", "", "73H", "E90", "744"])
    fields = [o[0], d[0], o[1], d[1], rng.choice(["TWL", "TWL", "twl", "XY"]), str(rng.randint(-5, 9999)),
              equipment, str(rng.randint(0, 2359)), str(rng.randint(0, 2359))] + [str(x) for x in days + flags]
    sep = rng.choice([",", ", ", " ,"]) if quirks else ","
    return sep.join(fields) + "\r\n"


def sample_airports():
    airports = []
    with open(os.path.join(SAMPLE, "VirtualAir.KRX"), encoding="latin-1") as f:
        for line in f:
            parts = [p.strip() for p in line.split(",")]
            if len(parts) >= 4:
                airports.append((parts[0], parts[2]))
                airports.append((parts[1], parts[3]))
    return sorted(set(airports))


def scenarios(random_count, seed):
    compile_args = ["--set-name", "Tarnwell Air (Leeds)", "--airline-iata", "TWL", "--airline-name", "Tarnwell Air"]
    tt = "VirtualAir.KRX"
    yield "compile with merge", {}, [["compile", "@" + tt] + compile_args +
                                    ["--real-world-airline", "BAW", "--real-world-airline", "EZY",
                                     "--status-log", "@status.log", "--verbose"]]
    yield "compile", {}, [["compile", "@" + tt] + compile_args]
    yield "merge then compile", {}, [["merge", "@" + tt, "--real-world-airline", "#3"],
                                    ["compile", "@" + tt, "--set-name", "Other", "--airline-iata", "Zü",
                                     "--airline-name", "Zürich Air Services and Long Names Limited"]]
    yield "defaults and airlines", {}, [["build-defaults", "@RealWorld.KRX"], ["import-airlines", "@airlines.csv"],
                                       ["airlines"], ["airlines", "air"], ["airlines", "nothing-like-it"]]
    examining = [["compile", "@" + tt] + compile_args, ["check", "Tarnwell Air (Leeds)"]]
    for name in ["index.kr1", "routes.kr1", "airline.kr1", "arrivals.kr1", "APT.kr1", "PLANS.kr1", "nope.kr1"]:
        examining.append(["dump", "Tarnwell Air (Leeds)", name])
    yield "check and dump", {}, examining
    yield "bad number", {"bad.KRX": "LBA,DUB,EGNM,EIDW,TWL,x,320,700,900,1,0,1,0,0,0,1,1,0,1,1,0,1,0,0\r\n"}, \
        [["compile", "@bad.KRX"] + compile_args]
    yield "cut short", {"short.KRX": "LBA,DUB,EGNM,EIDW,TWL,1,320,700\r\n"}, [["compile", "@short.KRX"] + compile_args]
    yield "empty timetable", {"empty.KRX": ""}, [["compile", "@empty.KRX"] + compile_args]
    yield "missing timetable", {}, [["compile", "@missing.KRX"] + compile_args]
    yield "reserved set name", {}, [["compile", "@" + tt, "--set-name", "Defaults", "--airline-iata", "T",
                                     "--airline-name", "T"]]
    yield "unknown airline", {}, [["compile", "@" + tt] + compile_args + ["--real-world-airline", "QQQ"]]
    eleven = []
    for code in ["BAW", "EZY", "#1", "#2", "#3", "#4", "#5", "#6", "#7", "#8", "#9"]:
        eleven += ["--real-world-airline", code]
    yield "eleven airlines", {}, [["compile", "@" + tt] + compile_args + eleven]
    for missing in ["Data/nav_VOR.bin", "Data/nav_ISC.bin", "Data/HighAlt.ab1", "Data/Altitudes.txt",
                    "Data/nv_apt1.nv2", "Data/nv_apt3.nv2", "Data/airline.kr1", "Data/Defaults/Routes.kr1"]:
        yield "without " + missing, {"-" + missing: None}, [["compile", "@" + tt] + compile_args +
                                                           ["--real-world-airline", "BAW"]]
    yield "usage errors", {}, [[], ["frobnicate"], ["compile"], ["--help"], ["check"], ["dump", "x"]]
    rng = random.Random(seed)
    airports = sample_airports()
    # Every city pair of the sample's airports, many times over.
    big = "".join(timetable_line(rng, airports, quirks=False) for _ in range(20000))
    yield "random big", {"big.KRX": big}, [["compile", "@big.KRX"] + compile_args + ["--real-world-airline", "BAW"]]
    for n in range(random_count):
        lines = "".join(timetable_line(rng, airports, quirks=n % 2 == 1) for _ in range(rng.randint(1, 400)))
        if n % 3 == 0:  # repeated pairs next to each other
            lines += lines.splitlines(keepends=True)[0] * 3
        extra = ["--real-world-airline", "EZY"] if n % 4 == 2 else []
        yield "random %d" % n, {"random.KRX": lines}, [["compile", "@random.KRX"] + compile_args + extra]


def prepare(root, files):
    if os.path.exists(root):
        shutil.rmtree(root)
    shutil.copytree(SAMPLE, root)
    for name, content in files.items():
        if name.startswith("-"):
            os.remove(os.path.join(root, name[1:]))
        else:
            with open(os.path.join(root, name), "w", encoding="latin-1", newline="") as f:
                f.write(content)


def resolve(root, commands):
    return [[os.path.join(root, a[1:]) if a.startswith("@") else a for a in args] for args in commands]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--random", type=int, default=20)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--ignore-lines", metavar="REGEX",
                        help="leave out stdout and stderr lines matching REGEX (an intended new line of output)")
    parser.add_argument("--ignore-files", metavar="REGEX",
                        help="leave out files whose path in the program folder matches REGEX")
    a = parser.parse_args()
    ignored_files = re.compile(a.ignore_files) if a.ignore_files else None
    ignored = re.compile(a.ignore_lines.encode()) if a.ignore_lines else None

    def kept(text):
        if ignored is None or not isinstance(text, bytes):
            return text
        return b"".join(line for line in text.splitlines(keepends=True) if not ignored.search(line))

    root = os.path.join(tempfile.mkdtemp(prefix="tarnwell-compare-"), "run")
    differences = 0
    count = 0
    for name, files, commands in scenarios(a.random, a.seed):
        count += 1
        outcomes = []
        for binary in (a.old, a.new):
            prepare(root, files)
            outcomes.append(run(os.path.abspath(binary), root, resolve(root, commands)))
        (old_runs, old_files), (new_runs, new_files) = outcomes
        problems = []
        for k, (o, n) in enumerate(zip(old_runs, new_runs)):
            for what, x, y in zip(("exit status", "stdout", "stderr"), o, n):
                if kept(x) != kept(y):
                    problems.append("command %d: %s differs:\n--- old\n%s\n--- new\n%s" % (k + 1, what, x, y))
        for path in sorted(set(old_files) | set(new_files)):
            if ignored_files is not None and ignored_files.search(path):
                continue
            if old_files.get(path) != new_files.get(path):
                problems.append("file %s differs (%s)" % (path, "only in one" if path not in old_files or path not in new_files
                                                           else "sha256 %s vs %s" % (
                                                               hashlib.sha256(old_files[path]).hexdigest()[:12],
                                                               hashlib.sha256(new_files[path]).hexdigest()[:12])))
        if problems:
            differences += 1
            print("DIFFERENT: %s" % name)
            for p in problems:
                print("  " + p[:3000])
    shutil.rmtree(os.path.dirname(root), ignore_errors=True)
    print("%d scenarios, %d with differences" % (count, differences))
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
