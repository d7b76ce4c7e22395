#!/usr/bin/env python3
"""Checks the source layout: every folder of src/ includes only folders below
it in the pipeline order, nothing outside compile/, cli/ and gui/ includes the
program state, the port or the compile driver, and no source, test or fuzz
target file is over 400 lines. Prints which folder includes which (with
--matrix) and exits 1 when a rule is broken.

    tools/check-layout.py [--matrix]
"""
import os
import re
import sys

ORDER = ["common", "geo", "records", "timetable", "navdata", "navimport", "airports", "plans", "routeset",
         "realworld", "examine", "map", "planexport", "compile", "cli", "gui"]
# The front ends are side by side: neither includes the other.
FRONT_ENDS = {"cli", "gui"}
DRIVER = re.compile(r'^compile/(ProgramState|Port|CompileDriver|CompileSteps|RealWorldMergeDriver|BuildDefaults)\.h$')
MAX_LINES = 400

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, ".."))


def source_files(top):
    for folder, _, names in os.walk(os.path.join(ROOT, top)):
        for name in sorted(names):
            if name.endswith((".h", ".cpp")):
                yield os.path.join(folder, name)


def main():
    problems = []
    imports = {}
    for path in source_files("src"):
        rel = os.path.relpath(path, os.path.join(ROOT, "src")).replace(os.sep, "/")
        folder = rel.split("/")[0]
        with open(path, encoding="utf-8") as f:
            lines = f.read().splitlines()
        if len(lines) > MAX_LINES:
            problems.append("%s: %d lines (at most %d)" % (rel, len(lines), MAX_LINES))
        for line in lines:
            m = re.match(r'\s*#include "([^"]+)"', line)
            if not m:
                continue
            target = m.group(1)
            to = target.split("/")[0]
            if to not in ORDER:
                continue
            if to != folder:
                imports.setdefault(folder, {}).setdefault(to, 0)
                imports[folder][to] += 1
            if folder in ORDER and to in ORDER:
                if ORDER.index(to) > ORDER.index(folder) or (to in FRONT_ENDS and to != folder):
                    problems.append("%s includes %s: %s lies above %s" % (rel, target, to, folder))
            if DRIVER.match(target) and folder not in ("compile", "cli", "gui"):
                problems.append("%s includes %s, which only the compile and the front ends may" % (rel, target))
    for path in [*source_files("tests"), *source_files("fuzz")]:
        with open(path, encoding="utf-8") as f:
            count = len(f.read().splitlines())
        if count > MAX_LINES:
            problems.append("%s: %d lines (at most %d)" % (os.path.relpath(path, ROOT), count, MAX_LINES))

    if "--matrix" in sys.argv:
        for folder in ORDER:
            targets = imports.get(folder, {})
            print("%-10s -> %s" % (folder, ", ".join(t for t in ORDER if t in targets) or "(nothing)"))
    for p in problems:
        print(p)
    if not problems:
        print("layout: every folder includes only folders below it; no file over %d lines" % MAX_LINES)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
