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
                      [--replay mutants.json] [--workers 2]

The sample is deterministic: the same seed and the same sources give the same
mutants. `--replay` runs the mutants a former `--json` recorded instead, each
found again by its file, the text of its line and its token (a line that has
moved is followed; one that is gone is counted apart), so a rate measured
before a change can be measured again after it on the very same mutants.

It mutates the tree it belongs to: run it from a checkout (a git worktree)
that nobody else builds or edits meanwhile. Each further worker gets its own
copy of that tree beside it (`<checkout>.mutate1`, kept for the next run). The build folder is configured on
first use (Debug without debug information, compiled fastest, and only the
C++ test programs and s16check); the sources are always restored, also on
Ctrl-C. The tests are the three GoogleTest programs run directly, each
stopping at its first failure (the Python package and the browser test are
left out: they repeat the C++ suites' checks through other hosts).
"""
import argparse
import json
import os
import random
import re
import shutil
import signal
import subprocess
import threading
import types
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DEFAULT_FOLDERS = "framework,section,shapes,tables,member,app"
TEST_PROGRAMS = ("s16_tests", "s16_alloc_tests", "s16_cli_tests")
# The peak-memory tests check tens of thousands of members for a figure of
# memory, not of any result: seconds of every mutant's time for nothing.
NOT_RUN = ("CliSafety.MemoryDoesNotGrowWithTheMembers", "CliSafety.HtmlIsStreamedMemberByMember")

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


def replayed(recorded):
    """The recorded mutants found again in today's sources: the line with the
    recorded text nearest its recorded number, the token at the recorded
    column. Returns (sites, the recorded mutants no longer found)."""
    sites, gone = [], []
    for r in recorded:
        file, number = r["where"].rsplit(":", 1)
        path, number = ROOT / file, int(number)
        lines = path.read_text(encoding="utf-8").splitlines() if path.exists() else []
        matches = [n for n, text in enumerate(lines, 1) if text == r.get("line")]
        column = r.get("column", -1)
        if not matches or lines[matches[0] - 1][column:column + len(r["from"])] != r["from"]:
            gone.append(r)
            continue
        nearest = min(matches, key=lambda n: abs(n - number))
        sites.append((path, nearest, column, r["from"], r["to"], r["kind"]))
    return sites, gone


def run(cmd, timeout, cwd=ROOT):
    try:
        return subprocess.run(cmd, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return None


class Worker:
    """One source tree and its build folder; mutates, builds, tests, restores."""

    def __init__(self, root, build, run_state):
        self.root, self.build, self.pending, self.state = root, build, None, run_state
        if not (build / "CMakeCache.txt").exists():
            subprocess.run(["cmake", "-S", str(root), "-B", str(build), "-DCMAKE_BUILD_TYPE=Debug",
                            "-DCMAKE_CXX_FLAGS_DEBUG=-g0", "-DS16_PYTHON=OFF", "-DS16_BUILD_BENCH=OFF"],
                           check=True, stdout=subprocess.DEVNULL)

    def builds(self):
        return run(["cmake", "--build", str(self.build), "-j2", "--target", *TEST_PROGRAMS, "s16check"],
                   900) == 0

    def tests_pass(self, timeout):
        deadline = time.time() + timeout
        for sub, name in (("", "s16_tests"), ("", "s16_alloc_tests"), ("cli", "s16_cli_tests")):
            cmd = [str(self.build / "tests" / sub / name), "--gtest_fail_fast", "--gtest_brief=1",
                   "--gtest_filter=-" + ":".join(NOT_RUN)]
            if run(cmd, max(1.0, deadline - time.time())) != 0:
                return False
        return True

    def try_mutant(self, relative, number, column, old, new, timeout):
        path = self.root / relative
        original = path.read_bytes()
        lines = original.decode("utf-8").split("\n")
        line = lines[number - 1]
        assert line[column:column + len(old)] == old, (path, number, column, old)
        lines[number - 1] = line[:column] + line[column:].replace(old, new, 1)
        with self.state.lock:  # never writes a mutant once the run is stopped
            if self.state.stopped:
                return "stopped", line
            path.write_bytes("\n".join(lines).encode("utf-8"))
            self.pending = (path, original)
        try:
            if not self.builds():
                return "no-compile", line
            return ("survived" if self.tests_pass(timeout) else "killed"), line
        finally:
            with self.state.lock:
                self.restore()

    def restore(self):  # with the run's lock held
        if self.pending:
            path, original = self.pending
            path.write_bytes(original)
            self.pending = None


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--sample", type=int, default=300)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--build", default="build-mut")
    ap.add_argument("--folders", default=DEFAULT_FOLDERS)
    ap.add_argument("--timeout", type=int, default=300, help="seconds for the tests of one mutant")
    ap.add_argument("--json", help="write every mutant and its outcome to this file")
    ap.add_argument("--list", action="store_true", help="print the sample and stop")
    ap.add_argument("--replay", help="run the mutants this former --json recorded")
    ap.add_argument("--workers", type=int, default=2,
                    help="mutants tried at once, each in its own copy of the tree beside it")
    args = ap.parse_args()

    gone = []
    if args.replay:
        sample, gone = replayed(json.loads(Path(args.replay).read_text())["mutants"])
    else:
        sites = candidates(args.folders.split(","))
        # In the order drawn: the first K mutants of a run are the sample of
        # size K of the same seed, so a run cut short is a smaller sample.
        sample = random.Random(args.seed).sample(sites, min(args.sample, len(sites)))
    if args.list:
        for path, number, _, old, new, kind in sample:
            print(f"{path.relative_to(ROOT)}:{number}: {kind}: {old} -> {new}")
        return 0

    state = types.SimpleNamespace()  # shared by the threads: the lock and the stop flag
    state.lock, state.stopped = threading.Lock(), False
    workers = [Worker(ROOT, ROOT / args.build, state)]
    for k in range(1, args.workers):
        # A sibling copy, so that its ../shared is this checkout's.
        copy = ROOT.parent / f"{ROOT.name}.mutate{k}"
        shutil.copytree(ROOT, copy, dirs_exist_ok=True,
                        ignore=shutil.ignore_patterns(".git", "build*", "__pycache__", "*.egg-info"))
        workers.append(Worker(copy, copy / "build-mut", state))
    for w in workers:
        if not w.builds() or not w.tests_pass(3600):
            sys.exit(f"mutate.py: the unmutated tree {w.root} does not build or its tests fail")

    results, start, lock, queue = [], time.time(), state.lock, list(enumerate(sample, 1))

    def work(w):
        while True:
            with lock:
                if not queue:
                    return
                n, (path, number, column, old, new, kind) = queue.pop(0)
            outcome, line = w.try_mutant(path.relative_to(ROOT), number, column, old, new, args.timeout)
            where = f"{path.relative_to(ROOT)}:{number}"
            with lock:
                if state.stopped:
                    return  # its file may have been restored under it
                results.append({"n": n, "where": where, "kind": kind, "from": old, "to": new,
                                "outcome": outcome, "line": line, "column": column})
                print(f"[{n}/{len(sample)} {time.time() - start:.0f}s] {outcome:10} {where}: {old} -> {new}",
                      flush=True)
                if args.json:  # kept up to date, so that a run cut short keeps its outcomes
                    write_json(args.json, args, sorted(results, key=lambda r: r["n"]))

    threads = [threading.Thread(target=work, args=(w,), daemon=True) for w in workers]
    signal.signal(signal.SIGTERM, signal.default_int_handler)
    signal.signal(signal.SIGINT, signal.default_int_handler)  # also when started in the background
    try:
        for t in threads:
            t.start()
        for t in threads:
            while t.is_alive():
                t.join(0.5)
    except KeyboardInterrupt:
        with lock:
            queue.clear()
            state.stopped = True
        print("\nInterrupted: the outcomes so far follow.")
    finally:
        with lock:
            state.stopped = True
            for w in workers:
                w.restore()
    with lock:
        results.sort(key=lambda r: r.pop("n"))

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
    if gone:
        print(f"\nRecorded mutants whose line is gone from the sources ({len(gone)}):")
        for r in gone:
            print(f"  {r['where']}: {r['kind']}: {r['from']} -> {r['to']}")
    survivors = [r for r in results if r["outcome"] == "survived"]
    print(f"\nSurvivors ({len(survivors)}):")
    for r in survivors:
        print(f"  {r['where']}: {r['kind']}: {r['from']} -> {r['to']}")
    if args.json:
        write_json(args.json, args, results)
    return 0


def write_json(path, args, results):
    Path(path).write_text(json.dumps({"seed": args.seed, "sample": args.sample, "mutants": results}, indent=1))


if __name__ == "__main__":
    sys.exit(main())
