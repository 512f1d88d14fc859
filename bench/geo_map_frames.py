#!/usr/bin/python3
"""How fluid the page's map of a large town is, in headless Chromium: a measurement, not a test.

Writes a made-up town of N buildings (a grid of squares, each with a shop, and a named street
along each row) as an OpenStreetMap file, makes it a city with `citygen osm`, serves it with
`zelt-host --web --city` and, in the browser, times the plan's arrival and then steps of zoom
and pan: each step is a wheel or key event on the canvas followed by two animation frames, so
that the map has painted. Prints the plan's size, how long it took to come and be shown, and
the steps' median and worst times with the whole town in view and zoomed in. Run as:

    /usr/bin/python3 bench/geo_map_frames.py --host build/default/host/zelt-host \\
        --citygen build/default/tools/citygen [--buildings 20000]
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from browser_test import Host, close_page, make_browser  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.support import expected_conditions as EC  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402


def town(buildings):
    """A square grid of buildings 0.0002 degrees apart, a shop in each, a street along each row."""
    side = int(buildings ** 0.5 + 0.999)
    parts = ['<?xml version="1.0" encoding="UTF-8"?>\n<osm version="0.6">']
    ways, streets = [], [] # written in the order of their ids, as extracts are
    node = 1
    for row in range(side):
        for column in range(side):
            n = row * side + column
            if n >= buildings:
                break
            x, y = 10 + column * 0.0002, 50 + row * 0.0002
            corners = [(x, y), (x + 0.00015, y), (x + 0.00015, y + 0.00012), (x, y + 0.00012)]
            for i, (cx, cy) in enumerate(corners):
                parts.append('<node id="%d" lon="%.7f" lat="%.7f"/>' % (node + i, cx, cy))
            parts.append('<node id="%d" lon="%.7f" lat="%.7f"><tag k="shop" v="bakery"/>'
                         '<tag k="name" v="Bakery %d"/></node>' % (node + 4, x + 0.00007, y + 0.00006, n))
            refs = "".join('<nd ref="%d"/>' % (node + i) for i in (0, 1, 2, 3, 0))
            ways.append('<way id="%d">%s<tag k="building" v="yes"/><tag k="addr:street" v="Row %d"/>'
                        '<tag k="addr:housenumber" v="%d"/></way>' % (n + 1, refs, row, column + 1))
            node += 5
        first = node
        parts.append('<node id="%d" lon="10" lat="%.7f"/><node id="%d" lon="%.7f" lat="%.7f"/>'
                     % (first, 50 + row * 0.0002 - 0.00003, first + 1, 10 + side * 0.0002, 50 + row * 0.0002 - 0.00003))
        streets.append('<way id="%d"><nd ref="%d"/><nd ref="%d"/><tag k="highway" v="residential"/>'
                    '<tag k="name" v="Row %d"/></way>' % (10_000_000 + row, first, first + 1, row))
        node += 2
    parts.extend(ways + streets)
    parts.append("</osm>\n")
    return "".join(parts)


# Runs `count` steps of one kind on the canvas and gives each step's time in milliseconds.
STEPS = """
const [kind, count, done] = arguments;
const canvas = document.getElementById("geo-canvas");
const frames = () => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r)));
(async () => {
  const times = [];
  const box = canvas.getBoundingClientRect();
  for (let i = 0; i < count; ++i) {
    const t0 = performance.now();
    if (kind === "wheel") {
      canvas.dispatchEvent(new WheelEvent("wheel", { deltaY: i % 2 ? 120 : -120, bubbles: true, cancelable: true,
        clientX: box.left + box.width / 2, clientY: box.top + box.height / 2 }));
    } else {
      canvas.dispatchEvent(new KeyboardEvent("keydown", { key: i % 2 ? "ArrowLeft" : "ArrowRight", bubbles: true }));
    }
    await frames();
    times.push(performance.now() - t0);
  }
  done(times);
})();
"""


def measure(browser, kind, count=40):
    return browser.execute_async_script(STEPS, kind, count)


def say(what, times):
    print("%-42s median %6.1f ms, worst %6.1f ms (%d steps)" % (what, statistics.median(times), max(times), len(times)))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--host", required=True)
    parser.add_argument("--citygen", required=True)
    parser.add_argument("--buildings", type=int, default=20000)
    args = parser.parse_args()

    folder = tempfile.mkdtemp(prefix="geo-frames.")
    try:
        extract, city = os.path.join(folder, "town.osm"), os.path.join(folder, "Data_Big.dat")
        with open(extract, "w", encoding="utf-8") as f:
            f.write(town(args.buildings))
        subprocess.run([args.citygen, "osm", extract, city], check=True, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL)
        host = Host(os.path.abspath(args.host), folder, ("--city", city))
        browser = make_browser(os.path.join(folder, "profile"))
        browser.set_script_timeout(300)
        try:
            started = time.monotonic()
            browser.get(host.address)
            canvas = WebDriverWait(browser, 120).until(EC.element_to_be_clickable((By.ID, "geo-canvas")))
            shown = time.monotonic() - started
            plan = browser.execute_script(
                "const e = performance.getEntriesByType('resource').find((r) => r.name.includes('/api/plan'));"
                "return e ? [e.duration, e.encodedBodySize, e.decodedBodySize] : null;")
            print("buildings: %d" % args.buildings)
            if plan:
                print("plan: %.0f ms to come, %.1f MB sent (%.1f MB of JSON)"
                      % (plan[0], plan[1] / 1e6, plan[2] / 1e6))
            print("page open to map shown: %.2f s" % shown)
            canvas.click()
            say("pan, whole town in view", measure(browser, "key"))
            say("zoom in and out, whole town in view", measure(browser, "wheel"))
            browser.execute_script("for (let i = 0; i < 12; ++i) document.getElementById('geo-canvas')"
                                   ".dispatchEvent(new KeyboardEvent('keydown', {key: '+', bubbles: true}));")
            say("pan, zoomed in", measure(browser, "key"))
            say("zoom in and out, zoomed in", measure(browser, "wheel"))
        finally:
            close_page(browser, host, folder)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
