#!/usr/bin/python3
"""The reference host's page in a real browser: headless Chromium driven through WebDriver.

Starts `zelt-host --web` on the demo city with fresh folders, then walks the flows a person
would, one scenario per flow, each step checked on the page. Screenshots of the card, the map,
the search tab with its combo, a result page, the whole page and each dialog go to
OUT/screenshots. Run as:

    /usr/bin/python3 browser_test.py --host build/default/host/zelt-host --out build/default/tests/web
"""
import argparse
import http.server
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import urllib.request

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.common.exceptions import StaleElementReferenceException, TimeoutException
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support import expected_conditions as EC
from selenium.webdriver.support.ui import WebDriverWait

ARGS = None
COMPANY = 3  # Millbrook Blooms in the demo city
NOTE = "Ring the florist before noon"


class Host:
    """zelt-host serving the page on a free port, with folders of its own."""

    def __init__(self, program, folder, options=()):
        self.appdata = os.path.join(folder, "appdata")
        self.exchange = os.path.join(folder, "exchange")
        self.process = subprocess.Popen(
            [program, "--web", "--port", "0", "--lang", "1033", "--appdata", self.appdata,
             "--exchange", self.exchange, "--dialog-timeout", "120", *options],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL, text=True)
        self.output = []
        for line in self.process.stdout:
            self.output.append(line)
            found = re.search(r"serving ((http://127\.0\.0\.1:(\d+)/)\?key=([0-9a-f]{64}))", line)
            if found:
                self.address, self.base, self.port, self.key = found.groups()
                return
        raise RuntimeError("zelt-host did not start:\n" + "".join(self.output))

    def state(self):
        request = urllib.request.Request(self.base + "api/state", headers={"X-Zelt-Key": self.key})
        with urllib.request.urlopen(request) as response:
            return json.load(response)

    def stop(self):
        self.process.send_signal(signal.SIGTERM)
        rest, _ = self.process.communicate(timeout=60)
        self.output.append(rest)
        return self.process.returncode, "".join(self.output)


def close_page(browser, host, folder):
    """Closes the browser and stops the host, which must leave nothing of the plug-in alive."""
    browser.quit()
    code, output = host.stop()
    shutil.rmtree(os.path.join(folder, "profile"), ignore_errors=True)
    if code != 0 or "plug-in objects alive: 0, host references held by the plug-in: 0" not in output:
        raise AssertionError("zelt-host did not stop cleanly (%s):\n%s" % (code, output))


def make_browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--disable-dev-shm-usage", "--window-size=1400,1500", "--user-data-dir=" + profile):
        options.add_argument(flag)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


class Page(unittest.TestCase):
    """One host and one browser for the whole story; each test is one flow, in order."""

    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="web.", dir=ARGS.out)
        cls.shots = os.path.join(ARGS.out, "screenshots")
        os.makedirs(cls.shots, exist_ok=True)
        # What an earlier run left of its failures would tell of this one.
        for name in os.listdir(cls.shots):
            if name.startswith("failed-"):
                os.remove(os.path.join(cls.shots, name))
        cls.host = Host(ARGS.host, cls.folder)
        cls.browser = make_browser(os.path.join(cls.folder, "profile"))
        cls.browser.get(cls.host.address)

    @classmethod
    def tearDownClass(cls):
        close_page(cls.browser, cls.host, cls.folder)

    # -------------------------------------------------------------- helpers

    def wait(self, condition, timeout=20):
        # The page redraws a part whenever the state changes: an element found a moment ago may
        # be gone, and the condition is asked again.
        try:
            return WebDriverWait(self.browser, timeout, ignored_exceptions=[StaleElementReferenceException]).until(condition)
        except TimeoutException:
            self.browser.save_screenshot(os.path.join(self.shots, "failed-%s.png" % self.id().split(".")[-1]))
            raise

    def find(self, css, timeout=20):
        return self.wait(EC.presence_of_element_located((By.CSS_SELECTOR, css)), timeout)

    def click(self, css):
        element = self.wait(EC.element_to_be_clickable((By.CSS_SELECTOR, css)))
        element.click()
        return element

    def gone(self, css, timeout=20):
        self.wait(EC.invisibility_of_element_located((By.CSS_SELECTOR, css)), timeout)

    def text_of(self, css):
        return self.find(css).text

    def shot(self, name, element=None):
        path = os.path.join(self.shots, name + ".png")
        if element is None:
            self.browser.save_screenshot(path)
        else:
            element.screenshot(path)
        self.assertGreater(os.path.getsize(path), 1000, path)

    def dialog(self, template):
        return self.find('.modal-layer[data-kind="dialog"] .window[data-template="%d"]' % template)

    def settle(self):
        """Waits until every action the page sent is answered and its outcome drawn."""
        self.find('body[data-busy="0"]')

    def open_card(self, company):
        self.settle()
        self.click('#results li[data-company="%d"] button.name' % company)
        self.settle()
        self.find('#card .company[data-company="%d"]' % company)

    def close_card(self):
        self.settle()
        self.click("#card-close")
        self.settle()

    def category_item(self, n):
        self.settle()
        self.gone("#card .menu ul")
        self.click("#card .menu > button")
        self.click('#card .menu button[data-tag="addCategory%d"]' % n)
        self.settle()

    # -------------------------------------------------------------- flows

    def test_0_the_printed_address_opens_the_page_cleanly_and_leaves_no_key_in_view(self):
        self.find('#search-tab .group h3')
        self.settle()
        self.assertEqual(self.browser.current_url, self.host.base)
        errors = [entry for entry in self.browser.get_log("browser") if entry["level"] == "SEVERE"]
        self.assertEqual(errors, [])

    def test_1_a_note_added_through_the_dialog_shows_on_the_card(self):
        self.find('#search-tab .group h3')
        self.assertEqual(self.text_of("#city"), "Riverton")
        self.open_card(COMPANY)
        self.assertEqual(self.text_of("#card .company"), "Millbrook Blooms")
        self.assertEqual(self.text_of("#card-note"), "")
        self.shot("empty-card", self.find("#card-panel"))
        self.click('#card button[data-tag="addNode"]')
        dialog = self.dialog(114)
        self.assertEqual(dialog.find_element(By.CSS_SELECTOR, ".caption .title").text, "Note")
        edit = dialog.find_element(By.CSS_SELECTOR, 'textarea[data-control="119"]')
        edit.send_keys(NOTE)
        self.shot("note-dialog")
        dialog.find_element(By.CSS_SELECTOR, 'button[data-control="1"]').click()
        self.gone(".modal-layer")
        self.wait(lambda b: NOTE in b.find_element(By.ID, "card-note").text)
        # The card's commands follow: the note can now be deleted.
        self.find('#card button[data-tag="deleteNode"]:not([disabled])')

    def test_2_a_category_marks_the_card_and_the_building_on_the_map(self):
        self.open_card(COMPANY)
        self.category_item(3)
        self.find("#card-marks img")
        self.category_item(0)
        self.wait(lambda b: len(b.find_elements(By.CSS_SELECTOR, "#card-marks img")) == 2)
        self.click("#card .menu > button")
        checked = self.browser.find_elements(By.CSS_SELECTOR, '#card .menu button[aria-checked="true"]')
        self.assertEqual(sorted(b.get_attribute("data-tag") for b in checked), ["addCategory0", "addCategory3"])
        self.click("#card .menu > button")
        self.shot("card", self.find("#card-panel"))

        # The host's map knows which buildings the light-blue block marks; the page shows them.
        blocks = {b["tag"]: b for b in self.host.state()["page"]["map"]["blocks"]}
        marked = blocks["NodesIcon3"]["buildings"]
        self.assertTrue(marked)
        self.assertEqual(blocks["NodesIcon0"]["buildings"], marked)
        house = self.find("#building-%d.marked" % marked[0])
        self.assertEqual(sorted(house.get_attribute("data-blocks").split()), ["NodesIcon0", "NodesIcon3"])
        self.assertEqual(len(house.find_elements(By.CSS_SELECTOR, "image")), 2)
        unmarked = self.browser.find_elements(By.CSS_SELECTOR, "#map .house:not(.marked)")
        self.assertGreater(len(unmarked), 100)
        legend = self.find('#legend li[data-block="NodesIcon3"]')
        self.assertIn("light blue", legend.text)
        self.assertEqual(len(self.browser.find_elements(By.CSS_SELECTOR, "#legend li")), 18)

        # The building's information panel: its companies, and what the block's filter keeps.
        # The house is scrolled out of the map's view first; chosen, it is brought back whole.
        in_view = """const box = document.getElementById('map-scroll'), r = box.getBoundingClientRect();
            const h = arguments[0].getBoundingClientRect();
            return h.left >= r.left && h.top >= r.top && h.right <= r.left + box.clientLeft + box.clientWidth
                && h.bottom <= r.top + box.clientTop + box.clientHeight;"""
        self.browser.execute_script("""const box = document.getElementById('map-scroll');
            box.scrollTop = arguments[0].getBoundingClientRect().top - box.getBoundingClientRect().top
                + box.scrollTop < box.scrollHeight / 2 ? box.scrollHeight : 0;""", house)
        self.assertFalse(self.browser.execute_script(in_view, house), "the map is too small to scroll it away")
        self.browser.execute_script("arguments[0].dispatchEvent(new MouseEvent('click', {bubbles: true}))", house)
        self.find('#panel-address[data-building="%d"]' % marked[0])
        self.assertTrue(self.browser.execute_script(in_view, house))
        self.find('#panel li[data-company="%d"]' % COMPANY)
        kept = self.find('#panel .filter[data-block="NodesIcon3"]')
        self.assertIn("Millbrook Blooms", kept.text)
        self.shot("map", self.find("#map-panel"))

    def open_settings(self):
        self.settle()
        self.click('#search-tab .group .buttons button[data-tag="VeskNotes.RibbonOptions"]')
        return self.dialog(115)

    def press(self, dialog, control):
        dialog.find_element(By.CSS_SELECTOR, 'button[data-control="%d"]' % control).click()

    def message(self, answer, shot=None):
        box = self.find('.modal-layer[data-kind="message"] .window')
        if shot:
            self.shot(shot)
        text = box.find_element(By.CSS_SELECTOR, ".text").text
        box.find_element(By.CSS_SELECTOR, 'button[data-answer="%s"]' % answer).click()
        return text

    def file_dialog(self, root, name, shot):
        box = self.find('.modal-layer[data-kind="file"] .window')
        box.find_element(By.CSS_SELECTOR, 'button[data-root="%s"]' % root).click()
        self.wait(lambda b: box.find_element(By.CSS_SELECTOR, ".path").text.endswith("exchange"))
        field = box.find_element(By.CSS_SELECTOR, "input.file-name")
        if box.get_attribute("data-save") == "1":
            field.clear()
            field.send_keys(name)
        else:
            self.wait(lambda b: box.find_elements(By.CSS_SELECTOR, 'li[data-name="%s"]' % name))
            box.find_element(By.CSS_SELECTOR, 'li[data-name="%s"]' % name).click()
            self.assertEqual(field.get_attribute("value"), name)
        self.shot(shot)
        box.find_element(By.CSS_SELECTOR, "button.choose").click()

    def close_settings(self, dialog):
        self.press(dialog, 2)
        self.gone(".modal-layer")
        self.settle()

    def test_3_a_category_renamed_in_the_settings_is_renamed_everywhere(self):
        self.open_card(COMPANY)
        dialog = self.open_settings()
        item = dialog.find_element(By.CSS_SELECTOR, '.list .item[data-item="3"]')
        self.assertEqual(item.text, "light blue")
        self.assertTrue(item.find_elements(By.TAG_NAME, "img"), "the category's swatch")
        item.click()
        edit = self.find('.window[data-template="115"] .list .item.editing input')
        edit.send_keys(Keys.CONTROL, "a")
        edit.send_keys("Suppliers")
        self.shot("settings-dialog")
        edit.send_keys(Keys.ENTER)
        self.wait(lambda b: b.find_element(By.CSS_SELECTOR, '.window[data-template="115"] .list .item[data-item="3"]').text == "Suppliers")
        self.close_settings(dialog)
        self.wait(lambda b: "Suppliers" in b.find_element(By.CSS_SELECTOR, '#legend li[data-block="NodesIcon3"]').text)
        # The building's panel, still open from the map's test, follows the new name.
        self.wait(lambda b: "Suppliers" in b.find_element(By.CSS_SELECTOR, '#panel .filter[data-block="NodesIcon3"]').text)
        self.click("#card .menu > button")
        item = self.find('#card .menu button[data-tag="addCategory3"]')
        self.assertEqual(item.text.split(), ["✓", "Suppliers"])
        self.click("#card .menu > button")

    def test_4_notes_exported_and_imported_again_come_back(self):
        dialog = self.open_settings()
        self.press(dialog, 122)
        self.file_dialog("Exchange", "riverton-notes", "export-file-dialog")
        self.assertIn("1", self.message("ok", "export-message"))
        self.close_settings(dialog)
        self.assertTrue(os.path.isfile(os.path.join(self.host.exchange, "riverton-notes.xml")))

        # The note changes; the import then asks which of the two to keep.
        self.open_card(COMPANY)
        self.click('#card button[data-tag="addNode"]')
        edit = self.dialog(114).find_element(By.CSS_SELECTOR, 'textarea[data-control="119"]')
        edit.send_keys(Keys.CONTROL, "a")
        edit.send_keys("Closed for good")
        self.press(self.dialog(114), 1)
        self.gone(".modal-layer")
        self.wait(lambda b: "Closed for good" in b.find_element(By.ID, "card-note").text)

        dialog = self.open_settings()
        self.press(dialog, 121)
        self.file_dialog("Exchange", "riverton-notes.xml", "import-file-dialog")
        conflict = self.dialog(116)
        self.assertEqual(conflict.find_element(By.CSS_SELECTOR, ".caption .title").text, "Import notes")
        lines = [line.text for line in conflict.find_elements(By.CSS_SELECTOR, ".control.static") if line.text]
        self.assertEqual(lines, ["Some companies in the directory have ", "already have notes.",
                                 "Replace these notes with new ones or keep them?"])
        self.shot("import-conflict-dialog")
        self.press(conflict, 117)  # Replace
        self.message("ok")
        self.close_settings(dialog)
        # The card open during the import shows what the file held.
        self.wait(lambda b: NOTE in b.find_element(By.ID, "card-note").text)

    def note_box(self):
        return self.find('#search-tab .search-control[data-tag="MY_NOTETEXTTAG"] input')

    def type_into(self, box, text):
        box.send_keys(Keys.CONTROL, "a")
        box.send_keys(text)

    def find_companies(self, count_text):
        """Runs the search from the tab and waits for its result page saying `count_text`."""
        self.settle()
        self.click("#find")
        self.settle()
        self.wait(lambda b: b.find_element(By.ID, "results-count").text == count_text)

    def found(self):
        self.find('#results[data-listing="search"]')
        return [int(li.get_attribute("data-company")) for li in self.browser.find_elements(By.CSS_SELECTOR, "#results li")]

    def combo_item(self, n):
        self.settle()
        self.click("#search-tab .combo-face")
        return self.find('#search-tab .combo-list li[data-item="%d"]' % n)

    def test_5_the_search_tab_finds_companies_by_note_text_and_by_category(self):
        # The note's text in another letter case finds the company, with its note and marks.
        box = self.note_box()
        self.assertEqual(box.get_attribute("placeholder"), "Text")
        self.type_into(box, "FLORIST")
        self.find_companies("1 company found")
        self.assertEqual(self.text_of("#results-title"), "Found companies")
        self.assertEqual(self.found(), [COMPANY])
        row = self.find('#results li[data-company="%d"]' % COMPANY)
        self.assertEqual(row.find_element(By.CSS_SELECTOR, ".note").text, NOTE)
        self.assertEqual(len(row.find_elements(By.CSS_SELECTOR, ".marks img")), 2)
        # A text no note holds, sent with Enter, finds nothing.
        self.type_into(self.note_box(), "bakery" + Keys.ENTER)
        self.wait(lambda b: b.find_element(By.ID, "results-count").text == "No company found")
        self.assertEqual(self.found(), [])

        # Clear empties the boxes; the closed combo shows the plug-in's grey hint.
        self.click("#clear")
        self.settle()
        self.wait(lambda b: self.note_box().get_attribute("value") == "")
        hint = self.find("#search-tab .combo-face .text span")
        self.assertEqual((hint.text, hint.value_of_css_property("color")), ("Name", "rgba(128, 128, 128, 1)"))

        # The open list as the plug-in draws it: a swatch and a name per category.
        item = self.combo_item(3)
        items = self.browser.find_elements(By.CSS_SELECTOR, "#search-tab .combo-list li")
        self.assertEqual(len(items), 18)
        self.assertTrue(all(i.find_elements(By.CSS_SELECTOR, ".plain img") for i in items))
        self.assertEqual(item.text, "Suppliers")
        self.shot("search-tab", self.find("#search-panel"))
        self.find('#search-tab .combo-list li[data-item="1"]').click()
        self.find_companies("No company found")
        self.assertIn("yellow", self.text_of("#results-description"))

        item = self.combo_item(3)
        item.click()
        self.wait(lambda b: b.find_element(By.CSS_SELECTOR, "#search-tab .combo-face .text").text == "Suppliers")
        self.assertTrue(self.find("#search-tab .combo-face img").get_attribute("src"))
        self.find_companies("1 company found")
        self.assertEqual(self.found(), [COMPANY])
        self.assertIn("Suppliers", self.text_of("#results-description"))
        self.shot("result-page", self.find("#search-panel"))

    def test_6_a_mark_on_the_card_starts_the_search_for_its_category(self):
        # The city's companies are a click away from the result page, and the mark brings it back.
        self.click("#results-switch")
        self.find('#results[data-listing="directory"]')
        self.assertGreater(len(self.browser.find_elements(By.CSS_SELECTOR, "#results li")), 100)
        self.open_card(COMPANY)
        # Each mark is a link named after its category.
        self.assertEqual(self.find('#card-marks a[data-target="MYUNIQUETAG3"]').get_attribute("title"), "Suppliers")
        self.click('#card-marks a[data-target="MYUNIQUETAG0"]')
        self.settle()
        self.wait(lambda b: b.find_element(By.ID, "results-title").text == "Search by note category")
        self.assertEqual(self.found(), [COMPANY])
        self.assertEqual(self.text_of("#results-description").splitlines(), ["Note search. You were looking for:", 'Category "red"'])
        self.find('#card .company[data-company="%d"]' % COMPANY)
        self.shot("page")

    def test_7_deleting_all_notes_empties_the_card_the_map_and_the_result_page(self):
        self.open_card(COMPANY)
        self.find("#map .house.marked")
        dialog = self.open_settings()
        self.press(dialog, 123)
        self.assertIn("Are you sure", self.message("yes", "delete-question"))
        self.close_settings(dialog)
        # The search shown ran again: no note is left to find.
        self.wait(lambda b: b.find_element(By.ID, "results-count").text == "No company found")
        self.click("#results-switch")
        # The card open during the deletion shows it at once.
        self.wait(lambda b: b.find_element(By.ID, "card-note").text == "")
        self.assertFalse(self.browser.find_elements(By.CSS_SELECTOR, "#card-marks img"))
        self.assertFalse(self.browser.find_elements(By.CSS_SELECTOR, "#map .house.marked"))
        self.assertFalse(self.browser.find_elements(By.CSS_SELECTOR, "#results .note span *"))

    def test_7b_a_note_of_a_million_characters_is_saved_whole(self):
        note = "begin " + "0123456789" * 99_998 + " end"
        self.open_card(COMPANY)
        self.click('#card button[data-tag="addNode"]')
        edit = self.dialog(114).find_element(By.CSS_SELECTOR, 'textarea[data-control="119"]')
        self.browser.execute_script(
            "arguments[0].value = arguments[1]; arguments[0].dispatchEvent(new Event('input'));", edit, note)
        self.press(self.dialog(114), 1)
        self.gone(".modal-layer", timeout=60)
        self.settle()
        self.wait(lambda b: len(b.find_element(By.ID, "card-note").get_attribute("textContent")) >= len(note))
        shown = self.browser.find_element(By.ID, "card-note").get_attribute("textContent")
        self.assertIn(note, shown)

    def test_8_a_page_from_another_loopback_port_changes_nothing(self):
        self.open_card(COMPANY)
        before = self.host.state()["page"]
        api = self.host.base + "api/"
        attack = """<!DOCTYPE html><html><body>
<iframe name="sink"></iframe>
<form id="f" method="post" action="%(api)sopen" target="sink" enctype="text/plain">
<input name='{"company":1,"x":"' value='"}'></form>
<script>
const bodies = [["open", {company: 1}], ["card/command", {card: %(company)d, tag: "deleteNode"}],
                ["card/command", {card: %(company)d, tag: "addCategory7"}]];
const tries = [];
for (const [path, body] of bodies) {
  tries.push(fetch("%(api)s" + path, {method: "POST", mode: "no-cors", credentials: "include",
                                     headers: {"Content-Type": "text/plain"}, body: JSON.stringify(body)}).catch(() => 0));
  tries.push(fetch("%(api)s" + path, {method: "POST", credentials: "include",
                                     headers: {"Content-Type": "application/json"}, body: JSON.stringify(body)}).catch(() => 0));
}
document.getElementById("f").submit();
Promise.all(tries).then(() => setTimeout(() => { document.title = "done"; }, 1000));
</script></body></html>""" % {"api": api, "company": COMPANY}

        class Attacker(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                body = attack.encode()
                self.send_response(200)
                self.send_header("Content-Type", "text/html")
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)

            def log_message(self, *args):
                pass

        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Attacker)
        threading.Thread(target=server.serve_forever, daemon=True).start()
        try:
            self.browser.get("http://127.0.0.1:%d/" % server.server_address[1])
            self.wait(lambda b: b.title == "done")
        finally:
            server.shutdown()
            server.server_close()
        after = self.host.state()["page"]
        self.assertEqual(after["card"], before["card"])
        self.assertEqual(after["directory"], before["directory"])
        # The page itself still works: the cookie of the printed address holds the key.
        self.browser.get(self.host.base)
        self.find('#card .company[data-company="%d"]' % COMPANY)
        self.settle()
        if self.browser.find_element(By.ID, "results-switch").is_displayed():
            self.click("#results-switch")
        self.browser.set_window_size(420, 1500)
        self.shot("page-420")
        self.browser.set_window_size(1400, 1500)

    def test_9_the_language_chosen_applies_when_the_plugin_starts_again(self):
        self.open_card(COMPANY)
        english = self.text_of("#card .menu > button")
        self.browser.find_element(By.CSS_SELECTOR, '#language option[value="1049"]').click()
        self.wait(lambda b: "next start" in b.find_element(By.ID, "language-note").text)
        self.assertEqual(self.text_of("#card .menu > button"), english)
        group = "#search-tab .group[data-group] h3"
        self.assertEqual(self.text_of(group), "Notes")
        self.click("#restart")
        self.settle()
        self.wait(lambda b: "Русский" in b.find_element(By.ID, "language-note").text)
        # The plug-in stopped with its cards; opened again, the card speaks Russian.
        self.find("#card p.empty")
        self.open_card(COMPANY)
        self.assertNotEqual(self.text_of("#card .menu > button"), english)
        self.assertTrue(re.search("[а-яА-Я]", self.text_of("#card .menu > button")))
        # The library was loaded anew: what it makes once per process speaks Russian too.
        self.wait(lambda b: re.search("[а-яА-Я]", b.find_element(By.CSS_SELECTOR, group).text))
        # The page's own words follow the plug-in's language.
        for css, text in (("#search-panel > h2", "Поиск"), ("#card-panel > h2", "Карточка"), ("#find", "Найти"),
                          ("#clear", "Очистить"), ("#restart", "Перезапустить модуль"), ("#card-close", "Закрыть карточку")):
            self.wait(lambda b: b.find_element(By.CSS_SELECTOR, css).text == text)
        self.assertEqual(self.find("#card-note").get_attribute("data-empty"), "Нет заметки")


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--host", required=True)
    parser.add_argument("--out", required=True)
    ARGS, rest = parser.parse_known_args()
    os.makedirs(ARGS.out, exist_ok=True)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
