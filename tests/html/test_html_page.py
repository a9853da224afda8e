"""The HTML page of `s16check check --format html` in headless Chromium (its
DevTools protocol over --remote-debugging-pipe: NUL-ended JSON on fds 3 and
4): no console error or network request, drawings for every member, one
member's layout within bounds, one member per printed page start. Skipped
without Chromium or pdftotext unless S16_REQUIRE_BROWSER=1 (CI)."""
import base64
import json
import os
import re
import shutil
import struct
import subprocess
import tempfile

import pytest

BIN = os.environ.get("S16CHECK", "s16check")
EXAMPLES = os.environ.get("S16_EXAMPLES", os.path.join(os.path.dirname(__file__), "..", "..", "examples"))
CHROMIUM = shutil.which("chromium") or shutil.which("chromium-browser")


def need(tool, name):
    if tool:
        return tool
    message = f"{name} is not installed (Debian: apt-get install chromium poppler-utils)"
    if os.environ.get("S16_REQUIRE_BROWSER") == "1":
        pytest.fail(message + "; S16_REQUIRE_BROWSER=1 requires it")
    pytest.skip(message)


def chromium_args(profile):
    return [need(CHROMIUM, "chromium"), "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-sync",
            "--disable-background-networking", "--disable-component-update", f"--user-data-dir={profile}"]


class Page:
    """One page in Chromium; `events` holds every protocol event received."""

    def __init__(self, url, profile):
        (to_chrome, self.send_fd), (self.recv_fd, from_chrome) = os.pipe(), os.pipe()
        self.proc = subprocess.Popen(chromium_args(profile) + ["--remote-debugging-pipe", "about:blank"],
                                     preexec_fn=lambda: (os.dup2(to_chrome, 3), os.dup2(from_chrome, 4)),
                                     close_fds=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_chrome), os.close(from_chrome)
        self.buffer, self.next_id, self.events, self.session = b"", 0, [], None
        target = self.call("Target.createTarget", url="about:blank")["targetId"]
        self.session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        for domain in ("Runtime", "Log", "Network", "Page"):
            self.call(domain + ".enable")
        self.call("Emulation.setDeviceMetricsOverride", width=1000, height=800, deviceScaleFactor=1, mobile=False)
        self.call("Page.navigate", url=url)
        self.wait("Page.loadEventFired")

    def message(self):
        while b"\0" not in self.buffer:
            chunk = os.read(self.recv_fd, 1 << 20)
            assert chunk, "chromium closed its DevTools pipe"
            self.buffer += chunk
        text, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(text)

    def call(self, method, **params):
        self.next_id += 1
        msg = {"id": self.next_id, "method": method, "params": params} | ({"sessionId": self.session} if self.session else {})
        os.write(self.send_fd, json.dumps(msg).encode() + b"\0")
        while True:
            m = self.message()
            if m.get("id") == self.next_id:
                assert "error" not in m, m
                return m["result"]
            self.events.append(m)

    def wait(self, method):
        while not any(e.get("method") == method for e in self.events):
            self.events.append(self.message())

    def js(self, expression):
        r = self.call("Runtime.evaluate", expression=expression, returnByValue=True)
        assert "exceptionDetails" not in r, r
        return r["result"]["value"]

    def close(self):
        self.session = None
        try:
            self.call("Browser.close")  # the browser ends its own child processes
        except (AssertionError, OSError):
            pass  # closed before it answered
        try:
            self.proc.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
        os.close(self.send_fd), os.close(self.recv_fd)


def member(title, section, points, subspans):
    return {"title": title, "section": section, "grade": "350W", "points": points, "subspans": subspans}


PINNED_6M = [{"x": 0, "restraint": "pinned"}, {"x": 6, "restraint": "pinned"}]
# Every shape the engine checks, one failing member (3000 kN on an RHS of
# 0.9 A Fy = 0.9 (5600 mm2)(350 MPa) = 1764 kN: U = 1.70, cl. 13.2) and a
# title with markup characters.
MEMBERS = [
    member("channel <b>&amp;", "C D=254 B=69.6 T=11.1 Tw=9.63 R=10",
           PINNED_6M, [{"left": {"Vy": -15}, "loads": [{"type": "uniform", "w": 5}]}]),
    member("tee", "T D=152 B=203 T=13.1 Tw=7.5 R=15",
           [{"x": 0, "restraint": "fixed"}, {"x": 1.5, "restraint": ["major-translation", "torsional"]},
            {"x": 3, "restraint": "free"}],
           [{"left": {"N": 50, "My": 2}, "right": {"N": 50, "My": 1}},
            {"left": {"N": 50, "My": 1}, "right": {"N": 50, "My": 0}}]),
    member("tube", "CHS D=168.3 t=6.4", PINNED_6M, [{"left": {"N": -300, "Mx": 10}, "right": {"N": -300, "Mx": -10}}]),
    member("over", "RHS D=200 B=100 t=10", PINNED_6M, [{"left": {"N": 3000}, "right": {"N": 3000}}]),
]


@pytest.fixture(scope="module")
def work():
    with tempfile.TemporaryDirectory(ignore_cleanup_errors=True) as d:
        yield d


def page_of(work, name, files):
    out = os.path.join(work, name + ".html")
    r = subprocess.run([BIN, "check", "--format", "html", "--output", out] + files, capture_output=True, text=True)
    assert r.returncode in (0, 1), r.stderr
    return out


@pytest.fixture(scope="module")
def shapes(work):
    path = os.path.join(work, "shapes.json")
    with open(path, "w") as f:
        json.dump({"members": MEMBERS}, f)
    page = Page("file://" + page_of(work, "shapes", [path] + [os.path.join(EXAMPLES, n) for n in (
        "simply_supported_beam.json", "angle_strut.json")]), tempfile.mkdtemp(dir=work))
    yield page
    page.close()


def test_loads_without_errors_or_requests(shapes):
    errors = [e for e in shapes.events
              if e.get("method") == "Runtime.exceptionThrown"
              or (e.get("method") == "Runtime.consoleAPICalled" and e["params"]["type"] in ("error", "warning"))
              or (e.get("method") == "Log.entryAdded" and e["params"]["entry"]["level"] in ("error", "warning"))]
    assert errors == []
    requests = [e["params"]["request"]["url"] for e in shapes.events if e.get("method") == "Network.requestWillBeSent"]
    assert len(requests) == 1 and requests[0].startswith("file://"), requests


def test_every_member_has_its_drawings_and_words(shapes):
    members = shapes.js("""[...document.querySelectorAll('section.member')].map(m => ({
        heading: m.querySelector('h2').textContent,
        svgs: [...m.querySelectorAll('svg')].map(s => [s.getAttribute('class'), s.getBoundingClientRect().width,
                                                       s.getBoundingClientRect().height]),
        verdict: m.querySelector('p.verdict').textContent,
        failRows: [...m.querySelectorAll('table.checks tr.fail')].map(r => r.textContent),
        calc: m.querySelectorAll('.calc details').length,
        colour: getComputedStyle(m.querySelector('p.verdict')).color}))""")
    assert [m["heading"] for m in members][:2] == ["Member 1: channel <b>&amp;", "Member 2: tee"]
    assert len(members) == 6
    for m in members:
        kinds = [s[0] for s in m["svgs"]]
        assert kinds[:2] == ["section", "member"] and kinds[-1] == "bars" and "diagram" in kinds, (m["heading"], kinds)
        assert m["calc"] > 0 and all(50 < w <= 720 and 30 < h < 600 for _, w, h in m["svgs"]), m
    # Failing: in words and in colour (p.verdict.fail { color: #b00000 }).
    over = members[3]
    assert over["verdict"].startswith("FAIL") and over["colour"] == "rgb(176, 0, 0)"
    assert any("FAIL" in row for row in over["failRows"])
    assert members[0]["verdict"].startswith("PASS") and members[0]["failRows"] == []
    # The restraint in words of a point without a symbol of its own.
    assert "P2: major-translation + torsional" in shapes.js("document.querySelectorAll('svg.member')[1].textContent")


def test_one_member_on_screen(shapes):
    """The simply supported beam (member 5): its parts, the section to scale
    and the Mx diagram's peak; a screenshot of it within size bounds."""
    m = shapes.js("""(() => {
        const m = document.querySelectorAll('section.member')[4];
        const box = e => { const r = e.getBoundingClientRect(); return [r.x, r.y + scrollY, r.width, r.height]; };
        const steel = m.querySelector('svg.section .steel path').getBBox();
        return {box: box(m), titleBlock: m.querySelectorAll('table.title-block th').length,
                checks: m.querySelectorAll('table.checks tbody tr').length,
                figures: [...m.querySelectorAll('figure')].map(f => f.className),
                steel: [steel.width, steel.height],
                mx: m.querySelector('svg.diagram').textContent,
                points: m.querySelector('svg.member').textContent};
    })()""")
    assert m["titleBlock"] == 9 and m["checks"] > 0
    assert m["figures"] == ["section", "member", "actions", "bars"]
    # I D=303 B=203 drawn to scale: the outline is 203 wide and 303 deep (mm).
    assert m["steel"][0] == pytest.approx(203, abs=0.2) and m["steel"][1] == pytest.approx(303, abs=0.2)
    # 30 kN/m over 6 m, simply supported: M = w L^2 / 8 = 30 (6^2) / 8 = 135 kN*m at
    # midspan, negative (compressing the top flange).
    assert "-135.0 at 3.000 m" in m["mx"]
    for label in ("P1", "P5", "0.000 m", "2.000 m", "6.000 m", "pinned:", "braced:", "free"):
        assert label in m["points"]
    x, y, w, h = m["box"]
    shot = shapes.call("Page.captureScreenshot", format="png", captureBeyondViewport=True,
                       clip={"x": x, "y": y, "width": w, "height": h, "scale": 1})
    png = base64.b64decode(shot["data"])
    width, height = struct.unpack(">II", png[16:24])
    assert png[:8] == b"\x89PNG\r\n\x1a\n"
    assert 700 <= width <= 1000 and 1500 <= height <= 12000, (width, height)


def test_print_starts_each_member_on_a_page(work):
    pdftotext = need(shutil.which("pdftotext"), "pdftotext")
    page = page_of(work, "three", [os.path.join(EXAMPLES, n) for n in
                                   ("simply_supported_beam.json", "rhs_brace.json", "angle_strut.json")])
    pdf = os.path.join(work, "three.pdf")
    subprocess.run(chromium_args(tempfile.mkdtemp(dir=work)) + ["--no-pdf-header-footer", f"--print-to-pdf={pdf}",
                                                                "file://" + page],
                   check=True, capture_output=True, timeout=120)
    text = subprocess.run([pdftotext, "-layout", pdf, "-"], check=True, capture_output=True, text=True).stdout
    pages = [p.strip() for p in text.split("\f") if p.strip()]
    starts = [i for i, p in enumerate(pages) if re.match(r"Member \d+:", p)]
    assert [pages[i].split(":")[0] for i in starts] == ["Member 1", "Member 2", "Member 3"]
    assert all("Project" in pages[i] for i in starts)  # the title block under each heading
    # No member begins anywhere but at the top of a page.
    assert sum(p.count("Member 2:") for p in pages[:starts[1]]) == 0
    # The collapsed calculation is printed expanded, its formulas readable
    # (the report's "Cr = Phi*A*Fy" of cl. 13.3.1).
    assert "Cr = \u03c6\u00b7A\u00b7Fy" in text
