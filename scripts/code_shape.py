#!/usr/bin/env python3
"""Functions longer than 80 lines or nested deeper than 4 levels.

  code_shape.py [folder ...]   (default: the production folders of this
                               checkout; a folder given is read from the
                               current directory)

Prints one line per function over either limit and exits 1 if there is one.
Nesting counts the blocks inside a function body ('{' of if, for, while,
switch, lambdas and braced lists alike); the body itself is level 0.
"""
import pathlib
import sys

from clause_index import ROOT, functions, strip_code

FOLDERS = ["framework", "section", "shapes", "tables", "member", "app"]
MAX_LINES = 80
MAX_DEPTH = 4


def depth_of(code, first, last):
    """The deepest brace level inside the body that spans lines first..last."""
    lines = code.split("\n")[first - 1:last]
    depth, deepest, opened = 0, 0, False
    for line in lines:
        for c in line:
            if c == "{":
                depth += 1
                if opened:
                    deepest = max(deepest, depth - 1)
                opened = True
            elif c == "}":
                depth -= 1
    return deepest


def main():
    folders = [pathlib.Path(f) for f in sys.argv[1:]] or [ROOT / f for f in FOLDERS]
    over = []
    for folder in folders:
        for path in sorted(folder.rglob("*")):
            if path.suffix not in (".cpp", ".h"):
                continue
            code, _ = strip_code(path.read_text(encoding="utf-8"))
            for name, first, last in functions(code):
                length = last - first + 1
                depth = depth_of(code, first, last)
                if length > MAX_LINES or depth > MAX_DEPTH:
                    over.append(f"{path}:{first}: {name}: {length} lines, nesting {depth}")
    print("\n".join(over) if over else "no function over the limits")
    return 1 if over else 0


if __name__ == "__main__":
    sys.exit(main())
