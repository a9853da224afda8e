#!/usr/bin/env python3
"""Writes a building of N members to design (s16check design): floor beams
(W, own weight included), columns (W, depth at most 360 mm) and braces
(square HSS, a tension and a compression case), with loads varied from
member to member.

    python3 bench/make_design.py 1000 design_1000.json
"""
import json
import sys


def beam(i):
    L, w = 6.0 + (i % 5), 20.0 + (i % 7) * 5
    return {"title": f"beam {i}", "grade": "350W", "design": {"family": "W", "self_weight": True},
            "points": [{"x": 0, "restraint": "pinned"}, {"x": L / 2, "restraint": "braced"},
                       {"x": L, "restraint": "pinned"}],
            "subspans": [{"left": {"Vy": -w * L / 2}, "loads": [{"type": "uniform", "w": w}]},
                         {"left": {"Vy": 0, "Mx": -w * L * L / 8}, "loads": [{"type": "uniform", "w": w}]}]}


def column(i):
    N, M = 500.0 + (i % 9) * 150, 20.0 + (i % 4) * 20
    return {"title": f"column {i}", "grade": "350W", "design": {"family": "W", "max_depth": 360},
            "points": [{"x": 0, "restraint": "pinned"}, {"x": 4.0, "restraint": "pinned"}],
            "subspans": [{"left": {"N": -N, "Vy": -M / 4}, "right": {"N": -N, "Vy": -M / 4, "Mx": -M}}]}


def brace(i):
    P = 150.0 + (i % 8) * 60
    return {"title": f"brace {i}", "grade": "350W", "design": {"family": "HSS-square"},
            "points": [{"x": 0, "restraint": "pinned"}, {"x": 5.0, "restraint": "pinned"}],
            "cases": [{"name": "push", "subspans": [{"left": {"N": -P}, "right": {"N": -P}}]},
                      {"name": "pull", "subspans": [{"left": {"N": P}, "right": {"N": P}}]}]}


def main():
    n, path = int(sys.argv[1]), sys.argv[2]
    makers = (beam, column, brace)
    members = [makers[i % 3](i) for i in range(n)]
    with open(path, "w") as f:
        json.dump({"members": members}, f)


if __name__ == "__main__":
    main()
