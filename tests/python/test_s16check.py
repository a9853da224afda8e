# The Python package s16check against the command line it wraps: the same
# reader, checks and JSON, so every answer is compared with s16check's own.
import copy
import glob
import itertools
import json
import math
import os
import subprocess

import pytest

import s16check
from test_schema import VALIDATOR

CLI = os.environ["S16CHECK"]
ALL_EXAMPLES = sorted(glob.glob(os.path.join(os.environ["S16_EXAMPLES"], "*.json")))
# Member files to check, and member files for s16check design.
DESIGNS = [p for p in ALL_EXAMPLES if os.path.basename(p).startswith("design_")]
EXAMPLES = [p for p in ALL_EXAMPLES if p not in DESIGNS]
CORPUS = sorted(glob.glob(os.path.join(os.environ["S16_FUZZ_CORPUS"], "*")))


def run_cli(*args):
    return subprocess.run([CLI, *args], capture_output=True, text=True)


def without_source(doc):
    return {**doc, "members": [{k: v for k, v in m.items() if k != "source"} for m in doc["members"]]}


def load(path):
    with open(path) as f:
        return json.load(f)


@pytest.mark.parametrize("path", EXAMPLES, ids=os.path.basename)
def test_examples_as_the_command_line(path):
    cli = json.loads(run_cli("check", path, "--format", "json").stdout)
    assert s16check.check(path) == cli
    assert without_source(s16check.check(load(path))) == without_source(cli)


@pytest.mark.parametrize("path", DESIGNS, ids=os.path.basename)
def test_designs_as_the_command_line(path):
    cli = json.loads(run_cli("design", path, "--format", "json").stdout)
    assert s16check.design(path) == cli


def test_design_arguments_and_errors():
    # A member without a "design" block takes its settings from the arguments.
    member = load(DESIGNS[0])
    block = member.pop("design")
    assert s16check.design(member, **{k: v for k, v in block.items() if k in ("family", "limit")}) is not None
    with pytest.raises(s16check.InputError, match="family"):
        s16check.design(member, family="Z")


def test_section_as_the_command_line():
    cli = run_cli("section", "HSS102x102x6.4", "--grade", "350W", "--code", "CSA S16-14", "--format", "json")
    assert s16check.section("HSS102x102x6.4", code="CSA S16-14") == json.loads(cli.stdout)


def test_unbounded_utilisation_is_none():
    # A single angle resists no shear (CSA S16-09 cl. 13.4.1.1 names webs
    # only): any Vy gives it an unbounded shear utilisation.
    angle = load(os.path.join(os.environ["S16_EXAMPLES"], "angle_strut.json"))
    angle["subspans"][0]["left"]["Vy"], angle["subspans"][0]["right"] = 1.0, {"Vy": 1.0}
    member = s16check.check(angle)["members"][0]
    assert member["utilisation"] is None and member["pass"] is False


BEAM = os.path.join(os.environ["S16_EXAMPLES"], "simply_supported_beam.json")


def bad(change):
    change(member := load(BEAM))
    return member


# (the member made bad, the field the message names)
BAD_INPUT = [
    (lambda m: m.update(colour="red"), "colour"),
    (lambda m: m["points"][1].update(x=math.nan), "points[1].x"),
    (lambda m: m["subspans"][0]["left"].update(Mx=-math.inf), "subspans[0].left.Mx"),
    (lambda m: m.update(section="I D=303"), "section"),
]


@pytest.mark.parametrize("change, field", BAD_INPUT)
def test_bad_input_raises_the_command_line_message(tmp_path, change, field):
    with pytest.raises(s16check.InputError) as raised:
        s16check.check(member := bad(change))
    assert (message := str(raised.value)).startswith(f"<dict>: {field}: ")
    # The same words from the command line for the same member in a file
    # (1e400 is JSON's way to write an infinite number).
    (path := tmp_path / "bad.json").write_text(json.dumps(s16check._plain(member, "", "")))
    cli = run_cli("check", str(path))
    assert cli.returncode == 2 and cli.stderr == "s16check: " + message.replace("<dict>", str(path), 1) + "\n"


def test_values_json_cannot_hold_and_unreadable_paths():
    with pytest.raises(s16check.InputError, match=r"^<dict>: points\[0\]\.x: a set is not a JSON value"):
        s16check.check(bad(lambda m: m["points"][0].update(x={0})))
    with pytest.raises(s16check.InputError, match=r"^<list>: members\[0\]\.1: a field name must be text"):
        s16check.check([{1: 2}])
    with pytest.raises(s16check.InputError, match='^code: "CSA S16-01" is not a design code'):
        s16check.section("HSS102x102x6.4", code="CSA S16-01")
    with pytest.raises(OSError):
        s16check.check("no/such/member.json")
    with pytest.raises(ValueError, match="jobs"):
        s16check.check_many([load(BEAM)], jobs=0)


def test_check_many_equals_sequential():
    # A thousand members: the examples with their loads scaled by 0.5 .. 1.5.
    members = []
    for k in range(1000):
        member, f = load(EXAMPLES[k % len(EXAMPLES)]), 0.5 + (k % 11) / 10
        member["title"] = f"member {k}"
        for s in member.get("subspans", []):
            for values, keys in [(s[e], list(s[e])) for e in ("left", "right") if e in s] + \
                    [(ld, [k for k in ("w", "w1", "w2", "P") if k in ld]) for ld in s.get("loads", [])]:
                values.update({key: values[key] * f for key in keys})
        members.append(member)
    parallel = s16check.check_many(members, jobs=2)
    assert [m["title"] for m in parallel["members"]] == [f"member {k}" for k in range(1000)]
    assert parallel == s16check.check(members)


def leaves(node, path=()):
    """The path of every leaf of a member file."""
    items = list(node.items() if isinstance(node, dict) else enumerate(node) if isinstance(node, list) else ())
    if not items:
        yield path
    for key, child in items:
        yield from leaves(child, path + (key,))


ODD = [None, "", -1, 0, 1e308, math.nan, [], {}, True, "free", -1e-300, "pinned"]


@pytest.mark.parametrize("path", CORPUS, ids=os.path.basename)
def test_fuzz_corpus_never_crashes(path):
    try:
        s16check.check(path)
    except s16check.InputError:
        pass
    try:
        doc = load(path)
    except ValueError:
        return
    # Every leaf of the seeds in turn given each odd value (the member-file
    # fuzzer's seeds, mutated); what the reader reads, the schema accepts.
    for leaf, value in itertools.product(list(leaves(doc)), ODD):
        mutated = node = copy.deepcopy(doc)
        for key in leaf[:-1]:
            node = node[key]
        if leaf:
            node[leaf[-1]] = value
        try:
            result = s16check.check(mutated)
        except s16check.InputError:
            continue
        assert VALIDATOR.is_valid(mutated), (leaf, value)
        for m in result["members"]:
            assert m["utilisation"] is None or m["utilisation"] >= 0
