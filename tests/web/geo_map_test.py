#!/usr/bin/python3
"""The page's map of a city with coordinates, in headless Chromium.

Makes a small town of an OpenStreetMap file written here with `citygen osm`, serves it with
`zelt-host --web --city`, and checks that the map draws the buildings at their places, zooms
and pans, marks the building of a noted company and opens its panel. The screenshot goes to
OUT/screenshots/geo-map.png. Run as:

    /usr/bin/python3 geo_map_test.py --host zelt-host --citygen citygen --out build/default/tests/web
"""
import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import urllib.request

from selenium.common.exceptions import StaleElementReferenceException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.support import expected_conditions as EC
from selenium.webdriver.support.ui import WebDriverWait

from browser_test import Host, close_page, make_browser

ARGS = None


def square(way, first, x0, x1, tags):
    """A closed way of four nodes, lon 10.00xx and lat 50.00yy, numbered from `first`."""
    corners = [(x0, 0), (x1, 0), (x1, 10), (x0, 10)]
    nodes = "".join('<node id="%d" lon="10.%04d" lat="50.%04d"/>' % (first + i, x, y) for i, (x, y) in enumerate(corners))
    refs = "".join('<nd ref="%d"/>' % (first + i) for i in (0, 1, 2, 3, 0))
    return nodes, '<way id="%d">%s%s</way>' % (way, refs, tags)


def tags(**pairs):
    return "".join('<tag k="%s" v="%s"/>' % (k.replace("_", ":"), v) for k, v in pairs.items())


def town():
    mill_nodes, mill = square(10, 1, 0, 10, tags(building="yes", addr_street="Mill Street", addr_housenumber="12"))
    hotel_nodes, hotel = square(40, 41, 40, 50, tags(building="hotel", tourism="hotel", name="Grand Hotel"))
    bakery = '<node id="5" lon="10.0005" lat="50.0005">%s</node>' % tags(shop="bakery", name="Anna's Bakery")
    street = '<way id="60"><nd ref="1"/><nd ref="42"/>%s</way>' % tags(highway="residential", name="Mill Street")
    return '<?xml version="1.0" encoding="UTF-8"?>\n<osm version="0.6">%s%s%s%s%s%s</osm>\n' % (
        mill_nodes, hotel_nodes, bakery, mill, hotel, street)


class GeoMap(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="geo.", dir=ARGS.out)
        extract, city = os.path.join(cls.folder, "town.osm"), os.path.join(cls.folder, "Data_Town.dat")
        with open(extract, "w", encoding="utf-8") as f:
            f.write(town())
        subprocess.run([ARGS.citygen, "osm", extract, city], check=True, stdin=subprocess.DEVNULL)
        cls.host = Host(ARGS.host, cls.folder, ("--city", city))
        cls.browser = make_browser(os.path.join(cls.folder, "profile"))
        cls.browser.get(cls.host.address)

    @classmethod
    def tearDownClass(cls):
        close_page(cls.browser, cls.host, cls.folder)

    def wait(self, condition):
        return WebDriverWait(self.browser, 20, ignored_exceptions=[StaleElementReferenceException]).until(condition)

    def find(self, css):
        return self.wait(EC.element_to_be_clickable((By.CSS_SELECTOR, css)))

    def where(self, building):
        return self.browser.execute_script("return geoMap.screenOf(arguments[0])", building)

    def test_the_map_shows_zooms_pans_and_marks_the_noted_companys_building(self):
        canvas = self.find("#geo-canvas")
        self.assertFalse(self.browser.find_element(By.ID, "map-scroll").is_displayed())
        self.assertIn("© OpenStreetMap contributors", self.find(".geo-attribution").text)
        plan = urllib.request.Request(self.host.base + "api/plan", headers={"X-Zelt-Key": self.host.key})
        with urllib.request.urlopen(plan) as response:
            buildings = sorted(json.load(response)["geo"]["buildings"], key=lambda b: b["x"])
        mill, hotel = buildings[0]["id"], buildings[1]["id"]

        # Where they stand: the hotel 0.004 degree east of the Mill Street building, as far north.
        a, b = self.where(mill), self.where(hotel)
        self.assertAlmostEqual((b["x"] - a["x"]) / a["scale"], 2983, delta=2)
        self.assertAlmostEqual(a["y"], b["y"], delta=1)
        self.assertTrue(0 < a["x"] < b["x"] < canvas.size["width"])

        # Zoom by button, wheel and key; a drag moves the map by as much.
        self.find('.geo-zoom button[title="Zoom in"]').click()
        self.assertAlmostEqual(self.where(mill)["scale"], a["scale"] * 1.5)
        self.browser.execute_script(
            "arguments[0].dispatchEvent(new WheelEvent('wheel', {deltaY: -200, clientX: 10, clientY: 10, bubbles: true}))", canvas)
        self.assertGreater(self.where(mill)["scale"], a["scale"] * 1.5)
        canvas.send_keys("-")
        before = self.where(mill)
        self.assertLess(before["scale"], a["scale"] * 2.5)
        ActionChains(self.browser).move_to_element(canvas).click_and_hold().move_by_offset(60, 40).release().perform()
        after = self.where(mill)
        self.assertAlmostEqual(after["x"] - before["x"], 60, delta=2)
        self.assertAlmostEqual(after["y"] - before["y"], 40, delta=2)

        # A click on the building opens its panel; a category on its bakery marks it.
        self.browser.find_element(By.CSS_SELECTOR, ".geo-zoom button[title='The whole city']").click()
        at = self.where(mill)
        ActionChains(self.browser).move_to_element_with_offset(
            canvas, at["x"] - canvas.size["width"] / 2, at["y"] - canvas.size["height"] / 2).click().perform()
        self.find('#panel-address[data-building="%d"]' % mill)
        self.find("#panel .company-link").click()
        self.find("#card .menu > button").click()
        self.find('#card .menu button[data-tag="addCategory3"]').click()
        self.wait(lambda d: d.execute_script("return geoMap.marked()") == [mill])
        self.browser.find_element(By.ID, "map-panel").screenshot(os.path.join(ARGS.out, "screenshots", "geo-map.png"))


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--host", required=True)
    parser.add_argument("--citygen", required=True)
    parser.add_argument("--out", required=True)
    ARGS, rest = parser.parse_known_args()
    os.makedirs(os.path.join(ARGS.out, "screenshots"), exist_ok=True)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
