#!/usr/bin/env python3
"""Writes a member file of N members for the s16check throughput figures.

The members are the bundled examples (examples/*.json: a floor beam with
four sub-spans, a beam-column, a two-case RHS brace, an angle strut) and a
channel beam, repeated with the sizes, spans and loads a building has: each
member takes one of several sections of its shape, its span scaled by 0.8
to 1.25, its actions by 0.3 to 1.0, and a title naming its level and grid
line. The sequence is fixed (seeded), so the same N gives the same file.

  usage: bench/make_batch.py N OUTPUT
"""
import json
import os
import random
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLES = os.path.join(HERE, "..", "examples")

# Parametric sections of each shape (mm), W, C, L and HSS sizes.
SECTIONS = {
    "I": ["I D=303 B=203 T=13.1 Tw=7.5 R=15",    # W310x60
          "I D=257 B=204 T=15.7 Tw=8.9 R=13",    # W250x67
          "I D=354 B=205 T=16.8 Tw=9.4 R=16",    # W360x79
          "I D=403 B=177 T=10.9 Tw=7.5 R=11"],   # W410x54
    "C": ["C D=254 B=69.6 T=11.1 Tw=9.63 R=10",  # C250x30
          "C D=305 B=74.7 T=12.7 Tw=7.2 R=11"],  # C310x31
    "L": ["L D=102 B=76 t=9.5 R=10",
          "L D=76 B=76 t=7.9 R=8",
          "L D=127 B=89 t=12.7 R=11"],
    "RHS": ["RHS D=152 B=152 t=8 Ro=16",
            "RHS D=203 B=102 t=6.4 Ro=12.8",
            "RHS D=127 B=127 t=6.4 Ro=12.8"],
}

# The channel beam: a roof purlin, 4 m, braced at mid-span.
CHANNEL = {
    "title": "Roof purlin P1: channel, braced at mid-span",
    "section": SECTIONS["C"][0],
    "grade": "300W",
    "points": [{"x": 0.0, "restraint": "pinned"},
               {"x": 2.0, "restraint": "braced"},
               {"x": 4.0, "restraint": "pinned"}],
    "subspans": [{"left": {"Vy": -12, "Mx": 0}, "right": {"Vy": 0, "Mx": -12}, "transverse_load": True},
                 {"left": {"Vy": 0, "Mx": -12}, "right": {"Vy": 12, "Mx": 0}, "transverse_load": True}],
}


def templates():
    out = []
    for name in sorted(os.listdir(EXAMPLES)):
        if name.endswith(".json"):
            with open(os.path.join(EXAMPLES, name)) as f:
                m = json.load(f)
            if "section" in m:  # not the design examples (no section yet)
                out.append(m)
    out.append(CHANNEL)
    return out


def shape_of(section):
    return section.split()[0]


def scaled_actions(actions, k):
    return {key: round(v * k, 3) for key, v in actions.items()}


def scaled_subspans(subspans, k):
    out = []
    for s in subspans:
        s = dict(s)
        for end in ("left", "right"):
            if end in s:
                s[end] = scaled_actions(s[end], k)
        if "loads" in s:  # uniform w and point P scaled too; the right end follows from them
            s.pop("right", None)
            s["loads"] = [{key: round(v * k, 4) if key in ("w", "P") else v for key, v in load.items()}
                          for load in s["loads"]]
        out.append(s)
    return out


def member(template, rng, index):
    m = json.loads(json.dumps(template))
    sizes = SECTIONS.get(shape_of(m["section"]))
    if sizes:
        m["section"] = rng.choice(sizes)
    span = rng.uniform(0.8, 1.25)
    for p in m["points"]:
        p["x"] = round(p["x"] * span, 4)
    load = rng.uniform(0.3, 1.0)
    if "subspans" in m:
        m["subspans"] = scaled_subspans(m["subspans"], load)
    else:
        m["cases"] = [{"name": c["name"], "subspans": scaled_subspans(c["subspans"], load)} for c in m["cases"]]
    label, _, what = m["title"].partition(":")
    level = 1 + index // 400
    grid = "ABCDEFGHJK"[index % 10] + str(1 + (index // 10) % 40)
    m["title"] = f"{label}-L{level}-{grid}:{what}"
    return m


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    n = int(sys.argv[1])
    rng = random.Random(20261206)
    ts = templates()
    members = [member(ts[i % len(ts)], rng, i) for i in range(n)]
    with open(sys.argv[2], "w") as f:
        json.dump({"members": members}, f, indent=1)
        f.write("\n")


if __name__ == "__main__":
    main()
