#!/usr/bin/env python3
"""Mutation testing of the production sources: does the test suite notice a
one-token change?

Each mutant changes one token of one line of production code (a numeric
constant, a comparison operator, + or -, * or /, a swapped pair of
arguments), rebuilds incrementally, runs the tests with a time limit and
restores the file. A mutant is *killed* when a test fails, *survives* when
every test passes, and is left out of the rate when it does not compile.

    scripts/mutate.py [--sample 300] [--seed 1] [--build build-mut]
                      [--folders framework,section,shapes,tables,member,app]
                      [--timeout 300] [--json mutants.json] [--list]

The sample is deterministic: the same seed and the same sources give the same
mutants. The build folder is configured on first use (the Debug build
compiles fastest); the sources are always restored, also on Ctrl-C.
"""
import argparse
import json
import os
import random
import re
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DEFAULT_FOLDERS = "framework,section,shapes,tables,member,app"

NUMBER = re.compile(r"(?<![\w.])(\d+\.\d*(?:[eE][-+]?\d+)?|\d+[eE][-+]?\d+|\d+)(?![\w.])")
COMPARISON = re.compile(r"(?<=[\w)\]] )(<=|>=|==|!=|<|>)(?= [\w(\-!])")
ADDITIVE = re.compile(r"(?<=[\w)\]] )([-+])(?= [\w(])")
MULTIPLICATIVE = re.compile(r"(?<=[\w)\]] )([*/])(?= [\w(])")
CALL_TWO_ARGS = re.compile(r"\b(\w+)\(([A-Za-z_][\w.]*), ([A-Za-z_][\w.]*)\)")
SWAP = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==", "+": "-", "-": "+", "*": "/", "/": "*"}
# Calls whose two arguments commute: swapping them is an equivalent mutant.
COMMUTATIVE = {"max", "min", "hypot", "swap", "fmax", "fmin"}


def code_part(line):
    """The line without its // comment and with string and char literals blanked."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            out.append(" " if c != quote else c)
            if c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)


def mutated_number(text):
    if "." in text or "e" in text or "E" in text:
        value = float(text)
        return repr(value * 1.05 if value else 0.01)
    return str(int(text) + 1)


def candidates(folders):
    """Every mutation site: (file, line number, column, original, replacement, kind)."""
    sites = []
    for folder in folders:
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix not in (".cpp", ".h"):
                continue
            in_block_comment = False
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                stripped = line.strip()
                if in_block_comment:
                    in_block_comment = "*/" not in stripped
                    continue
                if stripped.startswith("/*"):
                    in_block_comment = "*/" not in stripped
                    continue
                if stripped.startswith(("#", "//", "static_assert")):
                    continue
                code = code_part(line)
                for m in NUMBER.finditer(code):
                    sites.append((path, number, m.start(), m.group(1), mutated_number(m.group(1)), "constant"))
                for kind, pattern in (("comparison", COMPARISON), ("additive", ADDITIVE),
                                      ("multiplicative", MULTIPLICATIVE)):
                    for m in pattern.finditer(code):
                        sites.append((path, number, m.start(), m.group(1), SWAP[m.group(1)], kind))
                for m in CALL_TWO_ARGS.finditer(code):
                    if m.group(1) in COMMUTATIVE or m.group(2) == m.group(3):
                        continue
                    original = m.group(0)
                    swapped = f"{m.group(1)}({m.group(3)}, {m.group(2)})"
                    sites.append((path, number, m.start(), original, swapped, "arguments"))
    return sites


def run(cmd, timeout, cwd=ROOT):
    try:
        return subprocess.run(cmd, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return None


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--sample", type=int, default=300)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--build", default="build-mut")
    ap.add_argument("--folders", default=DEFAULT_FOLDERS)
    ap.add_argument("--timeout", type=int, default=300, help="seconds for the tests of one mutant")
    ap.add_argument("--json", help="write every mutant and its outcome to this file")
    ap.add_argument("--list", action="store_true", help="print the sample and stop")
    args = ap.parse_args()

    sites = candidates(args.folders.split(","))
    sample = random.Random(args.seed).sample(sites, min(args.sample, len(sites)))
    sample.sort(key=lambda s: (str(s[0]), s[1], s[2]))
    if args.list:
        for path, number, _, old, new, kind in sample:
            print(f"{path.relative_to(ROOT)}:{number}: {kind}: {old} -> {new}")
        return 0

    build = ROOT / args.build
    if not (build / "CMakeCache.txt").exists():
        subprocess.run(["cmake", "-S", str(ROOT), "-B", str(build), "-DCMAKE_BUILD_TYPE=Debug"], check=True)
    build_cmd = ["cmake", "--build", str(build), "-j2"]
    test_cmd = ["ctest", "--test-dir", str(build), "-j2", "--stop-on-failure", "--timeout", "120"]
    if subprocess.run(build_cmd).returncode or run(test_cmd, None):
        sys.exit("mutate.py: the unmutated tree does not build or its tests fail")

    results, start = [], time.time()
    for n, (path, number, column, old, new, kind) in enumerate(sample, 1):
        original = path.read_bytes()
        lines = original.decode("utf-8").split("\n")
        line = lines[number - 1]
        lines[number - 1] = line[:column] + line[column:].replace(old, new, 1)
        try:
            path.write_bytes("\n".join(lines).encode("utf-8"))
            if run(build_cmd, 900) != 0:
                outcome = "no-compile"
            else:
                rc = run(test_cmd, args.timeout)
                outcome = "survived" if rc == 0 else "killed"
        finally:
            path.write_bytes(original)
        where = f"{path.relative_to(ROOT)}:{number}"
        results.append({"where": where, "kind": kind, "from": old, "to": new, "outcome": outcome})
        print(f"[{n}/{len(sample)} {time.time() - start:.0f}s] {outcome:10} {where}: {old} -> {new}", flush=True)
    run(build_cmd, 900)  # leave the build matching the restored sources

    print("\nKill rate by folder (killed / compiled mutants):")
    folders = {}
    for r in results:
        folder = r["where"].split("/")[0]
        tally = folders.setdefault(folder, {"killed": 0, "survived": 0, "no-compile": 0})
        tally[r["outcome"]] += 1
    total_killed = total_compiled = 0
    for folder, t in sorted(folders.items()):
        compiled = t["killed"] + t["survived"]
        total_killed += t["killed"]
        total_compiled += compiled
        rate = f"{100.0 * t['killed'] / compiled:.1f} %" if compiled else "-"
        print(f"  {folder:10} {t['killed']:4} / {compiled:<4} {rate:>8}   ({t['no-compile']} did not compile)")
    if total_compiled:
        print(f"  {'all':10} {total_killed:4} / {total_compiled:<4} {100.0 * total_killed / total_compiled:7.1f} %")
    survivors = [r for r in results if r["outcome"] == "survived"]
    print(f"\nSurvivors ({len(survivors)}):")
    for r in survivors:
        print(f"  {r['where']}: {r['kind']}: {r['from']} -> {r['to']}")
    if args.json:
        Path(args.json).write_text(json.dumps({"seed": args.seed, "sample": args.sample, "mutants": results}, indent=1))
    return 0


if __name__ == "__main__":
    sys.exit(main())
