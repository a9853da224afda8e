#!/usr/bin/env python3
"""Functions longer than 80 lines or nested deeper than 4 levels.

  code_shape.py [folder ...]   (default: the production folders of this
                               checkout; a folder given is read from the
                               current directory)

Prints one line per function over either limit and exits 1 if there is one.
Nesting counts the blocks inside a function body (the braces of if, for,
while, switch, else, do, try and lambdas; not those of braced lists); the
body itself is level 0.
"""
import pathlib
import re
import sys

from clause_index import ROOT, functions, strip_code

FOLDERS = ["framework", "section", "shapes", "tables", "member", "app"]
MAX_LINES = 80
MAX_DEPTH = 4


def depth_of(code, first, last):
    """The deepest block level inside the body that spans lines first..last:
    the braces of if, for, while, switch, else, do, try and lambdas count,
    those of a braced list or initialiser do not."""
    text = "\n".join(code.split("\n")[first - 1:last])
    stack, deepest = [], 0
    for i, c in enumerate(text):
        if c == "{":
            before = text[:i].rstrip()
            word = re.search(r"(\w+)$", before)
            block = not stack or before.endswith((")", ";", "{", "}", "]")) or (
                word is not None and word.group(1) in ("else", "do", "try", "mutable", "const", "noexcept"))
            stack.append(block)
            deepest = max(deepest, sum(stack) - 1)
        elif c == "}" and stack:
            stack.pop()
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
