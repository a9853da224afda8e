# schema/member.schema.json against s16check's reader: what one refuses the other refuses, what one reads
# the other accepts (the fuzz seeds hold every form of every field; test_s16check.py mutates them).
import glob
import json
import os
import re
import subprocess

import jsonschema
import pytest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
with open(os.path.join(ROOT, "schema", "member.schema.json")) as f:
    SCHEMA = json.load(f)
jsonschema.Draft7Validator.check_schema(SCHEMA)
VALIDATOR = jsonschema.Draft7Validator(SCHEMA)
DEFS = SCHEMA["definitions"]
MEMBER_FILES = sorted(glob.glob(os.path.join(ROOT, "examples", "*.json")) +
                      glob.glob(os.path.join(ROOT, "tests", "fuzz", "corpus", "fuzz_member_file", "[!b]*")))
BASE = {"section": "HSS102x102x6.4", "grade": "350W",
        "points": [{"x": 0, "restraint": "pinned"}, {"x": 3, "restraint": "pinned"}],
        "subspans": [{"left": {"N": -100}, "right": {"N": -100}}]}
DROP = object()


def read(tmp_path, doc):
    """Whether s16check reads the file (else: exit status 2, no report), and its complaint."""
    (path := tmp_path / "member.json").write_text(json.dumps(doc))
    members = doc.get("members", [doc]) if isinstance(doc, dict) else []
    command = ["design"] if any("design" in m for m in members) else ["check", "--quick"]
    r = subprocess.run([os.environ["S16CHECK"], *command, str(path), "--jobs", "1"], capture_output=True, text=True)
    return r.returncode != 2 or r.stdout != "", r.stderr


def changed(path, value, doc=BASE):
    """The document with the value at a dotted path ("points.1.x") set, or dropped; "": all of it."""
    if not path:
        return value
    doc = json.loads(json.dumps(doc))
    *parents, last = [int(k) if k.isdigit() else k for k in path.split(".")]
    node = doc
    for k in parents:
        node = node[k]
    node.pop(last) if value is DROP else node.__setitem__(last, value)
    return doc


@pytest.mark.parametrize("path", MEMBER_FILES, ids=os.path.basename)
def test_example_and_test_member_files_are_read_and_validate(tmp_path, path):
    with open(path) as f:
        VALIDATOR.validate(doc := json.load(f))
    assert read(tmp_path, doc)[0]


LOAD = "subspans.0.loads"
# Refused by both.
REFUSED = [
    ("colour", "red"), ("title", None), ("comment", 5), ("$schema", 1), ("code", "CSA S16-01"),
    ("units", {"length": "ft"}), ("units", {"moment": "kN.m"}), ("moment_sign", "hogging-positive"),
    ("points", [{"x": 0}]), ("points", [{"x": i} for i in range(10001)]), ("points.1.x", "3"),
    ("points.0.height", 0.2), ("points.1.comment", []), ("points.1.load", "above"), ("points.0.restraint", "nailed"),
    ("points.0.restraint", {"bits": -1}), ("points.0.restraint", {"bits": 0x400000}),
    ("points.0.restraint", {"bits": 1e30}), ("points.0.restraint", {"bits": "0100x"}),
    ("points.0.restraint", {"bits": 1, "word": 1}), ("subspans.0.left.Mz", 1), ("subspans.0.right", DROP),
    ("subspans.0.comment", False), ("subspans.0.transverse_load", "sideways"), (LOAD, []),
    (LOAD, [{"type": "triangle", "w": 1}]), (LOAD, [{"type": "uniform"}]),
    (LOAD, [{"type": "point", "P": 1, "at": 1, "w": 1}]), (LOAD, [{"type": "point", "P": 1, "at": 0}]),
    (LOAD, [{"type": "uniform", "w": 1, "from": -1}]), (LOAD, [{"type": "linear", "w1": 1, "w2": 2, "plane": "up"}]),
    ("subspans", DROP), ("grade", {"Fy": 350}), ("grade", {"Fy": 0, "Fu": 450}), ("net_area_ratio", 0),
    ("effective_net_area_ratio", 1.1), ("omega2", 0.9), ("omega2", 2.6), ("effective_lengths", {"Lyy": 1, "Lzz": 1}),
    ("section", DROP), ("", changed("design", {"family": "L"})), ("", changed("stations", [{"x": 0}, {"x": 3}])),
    ("", changed("cases", [{"subspans": BASE["subspans"]}])), ("", [BASE]), ("", {"members": []}),
    ("", {"members": [changed("$schema", "member.schema.json")]}), ("", {"members": [BASE], "colour": 1}),
    ("stations", [{"x": 0, "N": -1, "comment": 1}, {"x": 3}]), ("cases", [{"name": "a"}]),
    ("cases", [{"subspans": []}]), ("cases", [{"stations": [{"x": 0}, {"x": 3}], "subspans": []}]),
    ("design.family", "Z"), ("design.limit", 1.6), ("design.top", 2.5), ("design.max_depth", 0),
    ("design.self_weight_factor", 1.4),
    ("design", {"family": "W", "self_weight": False, "self_weight_factor": 1.4}),
]
# Refused by the reader alone: what a schema cannot say. "0100" is one
# hundred (0x64, undefined bits), never octal 64 (kTorsional); 0.0005 m and
# -0.0001 x 3 m = 0.3 mm are likely unit errors.
READER_ONLY = [
    ("grade", "355W"), ("grade", {"Fy": 350, "Fu": 300}), ("points.1.x", 0), ("points.0.restraint", {"bits": "0100"}),
    ("points.1.load", "destabilizing"), ("subspans", BASE["subspans"] * 2), ("stations", [{"x": 0}, {"x": 2.9}]),
    (LOAD, [{"type": "point", "P": 5, "at": 3.5}]), (LOAD, [{"type": "linear", "w1": 1, "w2": 2, "from": 2, "to": 1}]),
    ("subspans.0", {"left": {}, "transverse_load": False, "loads": [{"type": "uniform", "w": 10}]}),
    ("effective_lengths", {"Lyy": 0.0005, "Lzz": 3, "Llt": 3}),
    ("effective_lengths", {"Lyy": 3, "Lzz": -0.0001, "Llt": 3}),
]
# The member a row changes: one to design, one without sub-spans, or BASE.
DESIGNED = changed("design", {"family": "W"}, changed("section", DROP))
BASES = {"design": DESIGNED, "stations": changed("subspans", DROP), "cases": changed("subspans", DROP)}


@pytest.mark.parametrize("path, value, schema", [r + (False,) for r in REFUSED] + [r + (True,) for r in READER_ONLY])
def test_refused_by_the_reader_naming_the_field(tmp_path, path, value, schema):
    doc = changed(path, value, BASES.get(path.split(".")[0], BASE))
    ok, why = read(tmp_path, doc)
    # The field, or the parent of one dropped; for a whole document any.
    field = re.sub(r"\.(\d+)", r"[\1]", path.rpartition(".")[0] if value is DROP else path)
    assert not ok and "member.json: " + field in why, why
    assert VALIDATOR.is_valid(doc) == schema


def test_words_and_grades_as_the_reader_knows_them(tmp_path):
    # The reader's own lists in its complaints about an unknown word, read
    # without regard to case (and with "_" or " " for "-" in restraint words).
    def ci(word, dash):
        return "".join(f"[{c.lower()}{c.upper()}]" if c.isalpha() else dash if c == "-" else c for c in word)
    for doc, (enum, pattern), dash in (
            (changed("points.0.restraint", "nailed"), DEFS["restraintWord"]["anyOf"], "[-_ ]"),
            (changed("design.family", "Z", DESIGNED), DEFS["design"]["properties"]["family"]["anyOf"], "-")):
        assert re.search(r"\(known: (.*)\)", read(tmp_path, doc)[1]).group(1).split(", ") == enum["enum"]
        assert pattern["pattern"] == "^(" + "|".join(ci(w, dash) for w in enum["enum"]) + ")$"
    assert read(tmp_path, {"members": [changed("grade", g) for g in DEFS["grade"]["anyOf"][0]["examples"]]})[0]
