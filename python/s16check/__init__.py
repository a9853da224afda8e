"""Steel member design to CSA S16-09 (CSA S16-14 as a design option).

The Python face of the command-line host ``s16check``: members are written
as in its member files (JSON: ``title``, ``section``, ``grade``, ``points``,
``subspans`` or ``stations`` or ``cases``, ...; lengths in m, forces in kN,
moments in kN*m unless ``units`` says otherwise), read by the same reader,
checked by the same engine, and answered with the document that
``s16check check --format json`` writes, as Python objects (SI base units;
``None`` for an unbounded value such as the utilisation of a member that has
no resistance).

    >>> import s16check
    >>> result = s16check.check({"section": "I D=303 B=203 T=13.1 Tw=7.5 R=15",
    ...     "grade": "350W", "points": [{"x": 0, "restraint": "pinned"},
    ...     {"x": 6, "restraint": "pinned"}],
    ...     "subspans": [{"left": {"Vy": -90}, "loads": [{"type": "uniform", "w": 30}]}]})
    >>> member = result["members"][0]
    >>> member["pass"], member["utilisation"], member["governing_check"]

Catalogue designations (``W310x60``) read the catalogue folder named by the
environment variable ``S16_SECTION_CATALOG``.
"""
import json
import math
import os

from . import _core
from ._core import InputError

__all__ = ["check", "check_many", "design", "section", "InputError"]
__version__ = _core.__version__

# A number too large to be finite: the reader refuses it with its field path.
_NOT_FINITE = 10**400


def _field(path, key):
    return f"{path}.{key}" if path else str(key)


def _plain(value, source, path):
    """The JSON value of a Python value; non-finite floats become a number
    the reader refuses, so that its message names the field."""
    if value is None or isinstance(value, (bool, int, str)):
        return value
    if isinstance(value, float):
        return value if math.isfinite(value) else (-_NOT_FINITE if value < 0 else _NOT_FINITE)
    if isinstance(value, dict):
        for key in value:
            if not isinstance(key, str):
                raise InputError(f"{source}: {_field(path, repr(key))}: a field name must be text")
        return {key: _plain(v, source, _field(path, key)) for key, v in value.items()}
    if isinstance(value, (list, tuple)):
        return [_plain(v, source, f"{path}[{i}]") for i, v in enumerate(value)]
    raise InputError(f"{source}: {path or 'member'}: a {type(value).__name__} is not a JSON value "
                     "(give a dict, list, str, number, bool or None)")


def _member_file(member):
    """The text and file name of a member, a list of members or a path."""
    if isinstance(member, (str, bytes, os.PathLike)):
        name = os.fsdecode(member)
        with open(member, "rb") as f:
            return f.read(), name
    if isinstance(member, dict):
        source, doc = "<dict>", member
    elif isinstance(member, (list, tuple)):
        source, doc = "<list>", {"members": list(member)}
    else:
        raise TypeError(f"check: give a member (dict), a list of members or a path, not a {type(member).__name__}")
    return json.dumps(_plain(doc, source, "")).encode(), source


def check(member, *, quick=False, jobs=1, report=False):
    """Checks members to CSA S16 as ``s16check check --format json`` does.

    member: one member as a dict in the member-file form, a list of such
    dicts, a dict ``{"members": [...], "units": ...}`` (a whole member file),
    or the path of a member file.
    quick: the quick check (utilisations only, stopping at the first
    failure, no report).
    jobs: members checked at a time (1 to 256); the result is the same.
    report: with each member's calculation report as text (``report``), as
    ``--report text`` does; not with ``quick``.

    Returns ``{"members": [...], "summary": {...}}``: for each member in input
    order ``pass``, ``utilisation``, ``governing_check``, ``flag_names``,
    ``entries`` (utilisations of each check), ``spans`` (the buckling
    working), ``checks``, ``section_resistances``, ``warnings``, ``version``;
    SI base units (m, N, N*m, Pa); ``None`` for an unbounded utilisation,
    whose checks ``unbounded`` names.

    Raises InputError (a ValueError) with the command line's message, naming
    the file (``<dict>``, ``<list>`` or the path), the member and the field,
    for input that cannot be read or a member that cannot be checked;
    OSError for a path that cannot be read.
    """
    if quick and report:
        raise ValueError("report: has no effect with quick (the quick check writes no report)")
    text, name = _member_file(member)
    return json.loads(_core.check_text(text, name, jobs, quick, report))


def check_many(members, jobs=2, *, quick=False, report=False):
    """Checks a list of members (dicts in the member-file form) on ``jobs``
    threads, the Python interpreter free meanwhile; the result is that of
    ``check(members)``, members in input order."""
    return check(list(members), quick=quick, jobs=jobs, report=report)


def design(member, family=None, *, max_depth=None, min_depth=None, max_width=None, limit=None, top=None, jobs=1):
    """The lightest section of a family that passes, as ``s16check design
    --format json``: for each member ``chosen`` (section, mass, utilisation,
    governing check), ``lighter_failing``, ``passing``, ``skipped``,
    ``warnings`` and ``result`` (the chosen section's full check, in the form
    of ``check``).

    member: as for ``check``; a member without a ``"design"`` block is given
    an empty one (its settings then come from the arguments), and must then
    have no ``section``. family: "W", "HP", "C", "MC", "WT", "L", "HSS-rect",
    "HSS-square" or "HSS-round"; max_depth, min_depth, max_width in mm; limit
    the largest governing utilisation accepted, (0, 1.5] (default 1.0); top
    how many passing sections to list. An argument and the member's own
    ``design`` field that disagree raise InputError, as on the command line.
    """
    def with_block(m):
        return m if not isinstance(m, dict) or "design" in m or "members" in m else {**m, "design": {}}
    if isinstance(member, dict):
        member = with_block(member)
    elif isinstance(member, (list, tuple)):
        member = [with_block(m) for m in member]
    text, name = _member_file(member)
    return json.loads(_core.design_text(text, name, jobs, family, max_depth, min_depth, max_width, limit, top))


def section(description, grade="350W", code="CSA S16-09"):
    """One section without a member, as ``s16check section --format json``:
    its ``dimensions``, gross ``properties`` (SI base units), ``grade``
    (``Fy``, ``Fu`` in Pa), local buckling ``classes`` and cross-section
    ``resistances`` (N, N*m). description: a section description
    (``"I D=303 B=203 T=13.1 Tw=7.5 R=15"``), a CSA G40.20 tube
    (``"HSS102x102x6.4"``) or a catalogue designation. Raises InputError for
    an unknown section, grade or code."""
    return json.loads(_core.section_text(description, grade, code))
