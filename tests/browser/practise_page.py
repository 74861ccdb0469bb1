#!/usr/bin/python3
"""Practises exported web pages in headless Chromium.

Usage: practise_page.py SAMPLE.html BAD.html [SCREENSHOT-DIR]

SAMPLE.html is the sample test's page, BAD.html the page of a test made of
hostile texts and broken attachments (run.sh makes both with qbtool). With a
screenshot directory, the phone- and desktop-sized pictures of the README are
written there. Ends with "N passed, N failed", one count per case.
"""
import http.server
import os
import sys
import threading
import time
import traceback

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from page_browser import PageBrowser

COUNTERS = "return ['asked', 'correct', 'remaining'].map((id) => document.getElementById(id).textContent);"
STATUSES = "return [...document.querySelectorAll('#list button')].map((b) => b.classList.contains('answered'));"
MISSES = ("return Object.fromEntries([...document.querySelectorAll('#list .misses')]"
          ".map((m) => [m.parentNode.firstChild.data, m.textContent.trim()]));")


class Page:
    """The exported page in one browser, with the steps a learner takes."""

    def __init__(self, browser, path):
        self.browser = browser
        self.path = path
        self.reload()

    def reload(self):
        self.browser.open(self.path)
        self.questions = self.browser.js("return JSON.parse(document.getElementById('data').textContent).questions;")

    def forget_progress(self):
        """Leaving the page may count a miss and keep it, so the storage is
        cleared by the page that comes after."""
        self.reload()
        self.browser.js("localStorage.clear();")
        self.reload()

    def click(self, element_id):
        self.browser.driver.find_element(By.ID, element_id).click()

    def choose_in_list(self, keyword):
        index = [q[0] for q in self.questions].index(keyword)
        self.browser.driver.find_element(By.CSS_SELECTOR, '#list button[data-index="%d"]' % index).click()

    def ask(self, keyword):
        self.choose_in_list(keyword)
        self.click("ask")

    def keyword(self):
        return self.browser.driver.find_element(By.ID, "keyword").text

    def right_answer(self):
        return next(q[2] for q in self.questions if q[0] == self.keyword())

    def rows(self):
        """(row number from 1, answer text) of the shown answer rows."""
        return self.browser.js("return [...document.querySelectorAll('#answers .answer')]"
                               ".map((b) => [Number(b.dataset.row) + 1, b.lastChild.textContent]);")

    def row_button(self, row):
        return self.browser.driver.find_element(By.CSS_SELECTOR, '#answers .answer[data-row="%d"]' % (row - 1))

    def wrong_and_right_rows(self):
        rows = self.rows()
        right = self.right_answer()
        return next(r for r, text in rows if text != right), next(r for r, text in rows if text == right)

    def counters(self):
        return self.browser.js(COUNTERS)

    def statuses(self):
        return self.browser.js(STATUSES)

    def misses(self):
        """{keyword: "missed N"} of the list entries that show a count."""
        return self.browser.js(MISSES)

    def state(self):
        return (self.counters(), self.statuses(), self.browser.js("return {...localStorage};"))

    def keys(self, *keys):
        self.browser.driver.switch_to.active_element.send_keys(*keys)


def expect(condition, message):
    if not condition:
        raise AssertionError(message)


def expect_equal(actual, expected, what):
    expect(actual == expected, "%s: %r, expected %r" % (what, actual, expected))


def pictures_load(page):
    page.forget_progress()
    pictures = [q[0] for q in page.questions if q[4][1] >= 0 or q[4][3] >= 0]
    expect(len(pictures) >= 3, "the sample has pictures")
    for keyword in pictures:
        page.ask(keyword)
        page.click("show")
        width = page.browser.js("const p = document.getElementById('picture');"
                                "return p.complete && !p.closest('[hidden]') ? p.naturalWidth : -1;")
        expect(width > 0, "%s: the picture has a natural width of %s" % (keyword, width))


def rich_text_arrives_as_markup(page):
    page.forget_progress()
    rich = next(q[0] for q in page.questions if q[4][0] >= 0 and "<b>" in page_file(page, q[4][0]))
    page.ask(rich)
    bold = page.browser.js("return [...document.querySelectorAll('#text-pane b')].map((b) => b.textContent);")
    colour = page.browser.js("const s = document.querySelector('#text-pane span[style*=\"color\"]');"
                             "return s ? getComputedStyle(s).color : '';")
    expect(len(bold) > 0 and all(bold), "bold runs in the text pane: %r" % bold)
    expect(colour.startswith("rgb(") and colour != "rgb(0, 0, 0)", "a coloured run: %r" % colour)


def page_file(page, index):
    return page.browser.js("return JSON.parse(document.getElementById('data').textContent).files[%d];" % index)


def wrong_then_right(page):
    page.forget_progress()
    total = len(page.questions)
    choice = [q[0] for q in page.questions if q[3]]
    page.ask(choice[0])
    wrong, right = page.wrong_and_right_rows()
    page.row_button(wrong).click()
    expect("wrong" in page.row_button(wrong).get_attribute("class"), "the wrong row is marked")
    page.row_button(right).click()
    expect_equal(page.counters(), ["Asked: 1", "Correct: 0 (0.00 %)", "Remaining: %d" % total], "after wrong, right")
    expect_equal(sum(page.statuses()), 0, "answered questions")
    page.ask(choice[1])
    page.row_button(page.wrong_and_right_rows()[1]).click()
    expect_equal(page.counters(), ["Asked: 2", "Correct: 1 (50.00 %)", "Remaining: %d" % (total - 1)], "then right")
    page.ask(choice[2])
    page.row_button(page.wrong_and_right_rows()[1]).click()
    expect_equal(page.counters()[1], "Correct: 2 (66.67 %)", "the rate")


def answered_never_asked_again(page):
    page.forget_progress()
    answered = page.questions[0][0]
    page.ask(answered)
    page.click("show")
    page.click("mark")
    previous = None
    for _ in range(60):
        page.click("ask")
        asked = page.keyword()
        expect(asked != answered, "the answered question was asked again")
        expect(asked != previous, "%s was asked twice in a row" % asked)
        previous = asked
    page.ask(answered)
    expect_equal(page.keyword(), answered, "a question chosen in the list is asked whatever its state")
    expect(not page.browser.driver.find_element(By.ID, "mark").is_enabled(), "Mark as answered is off for it")
    page.choose_in_list(answered)
    page.click("reset")
    expect_equal(page.counters()[2], "Remaining: %d" % len(page.questions), "after Reset Question")
    page.ask(answered)
    page.click("show")
    page.click("mark")
    page.click("reset-all")
    seen = set()
    for _ in range(300):
        page.click("ask")
        seen.add(page.keyword())
        if answered in seen:
            break
    expect(answered in seen, "after Reset all the question is asked again")


def reload_keeps_progress(page):
    page.forget_progress()
    page.ask(page.questions[1][0])
    page.click("show")
    page.click("mark")
    before = page.statuses()
    page.reload()
    expect_equal(page.statuses(), before, "statuses after reload")
    expect_equal(page.counters()[2], "Remaining: %d" % (len(page.questions) - 1), "remaining after reload")
    page.click("reset-all")
    page.reload()
    expect_equal(sum(page.statuses()), 0, "answered after Reset all and reload")
    expect_equal(page.browser.js("return localStorage.length;"), 0, "stored entries after Reset all")


def keyboard_path_equals_mouse_path(page):
    """Ask, a wrong and the right answer, ask, show, mark: once with the mouse,
    once with the keys, the same random draws both times."""
    def run(use_keys):
        page.browser.seed_random(20240611)
        page.forget_progress()
        for step in range(4):
            page.keys(Keys.ENTER) if use_keys else page.click("ask")
            if page.rows():
                wrong, right = page.wrong_and_right_rows()
                for row in (wrong, right):
                    page.keys(str(row)) if use_keys else page.row_button(row).click()
            else:
                page.keys(Keys.SPACE) if use_keys else page.click("show")
                page.keys("m") if use_keys else page.click("mark")
        return page.state() + (page.keyword(),)

    mouse = run(False)
    keys = run(True)
    expect_equal(keys, mouse, "state after the keyboard path")
    expect(mouse[0][0] == "Asked: 4", "four questions asked: %r" % (mouse[0],))


def misses_counted_kept_and_asked_first(page):
    """A wrong click counts a miss when the next Ask ends the asking, and so
    does an answer shown when the page is left; the counts and missed first
    outlive a reload, and missed first asks the missed question next."""
    page.forget_progress()
    missed = [q[0] for q in page.questions if q[3]][0]
    page.ask(missed)
    page.row_button(page.wrong_and_right_rows()[0]).click()
    expect_equal(page.misses(), {}, "misses while the asking runs")
    page.click("ask")
    expect_equal(page.misses(), {missed: "missed 1"}, "misses after a wrong click and the next Ask")
    page.reload()
    expect_equal(page.misses(), {missed: "missed 1"}, "misses after a reload")
    toggle = page.browser.driver.find_element(By.ID, "missed-first")
    expect(not toggle.is_selected(), "missed first is off by default")
    toggle.send_keys(Keys.SPACE)
    page.click("ask")
    expect_equal(page.keyword(), missed, "missed first asks")
    page.click("show")
    page.reload()
    expect_equal(page.misses(), {missed: "missed 2"}, "misses after the answer was shown and the page left")
    expect(page.browser.driver.find_element(By.ID, "missed-first").is_selected(), "missed first after a reload")
    # Marked as known, then reset while asked: it starts afresh, no miss.
    page.click("ask")
    expect_equal(page.keyword(), missed, "missed first asks again")
    page.click("show")
    page.click("mark")
    page.choose_in_list(missed)
    page.click("reset")
    page.click("ask")
    page.click("reset-all")
    page.reload()
    expect_equal(page.misses(), {missed: "missed 2"}, "misses after Reset all")
    expect_equal(sum(page.statuses()), 0, "answered after Reset all")


def misses_of_the_test_shown_at_once(page):
    page.forget_progress()
    capped = page.questions[1][0]
    shown = {page.questions[0][0]: "missed 3", capped: "missed 99999"}
    expect_equal(page.misses(), shown, "misses stored in the test")
    page.ask(capped)
    page.click("show")
    page.click("ask")
    expect_equal(page.misses(), shown, "a miss beyond the most a question counts")
    expect_equal(page.browser.js("return localStorage.length;"), 0, "stored entries while nothing changed")
    # Statuses kept by a page before miss counts, alone: still read.
    page.browser.js("localStorage.setItem(JSON.parse(document.getElementById('data').textContent).store, '010');")
    page.reload()
    expect_equal((sum(page.statuses()), page.misses()), (1, shown), "statuses stored alone, and the test's misses")


def phone_has_no_horizontal_scroll(page):
    page.browser.resize(320, 640, mobile=True)
    try:
        page.forget_progress()
        widest = [q[0] for q in page.questions if q[4][1] >= 0 or q[4][0] >= 0]
        for keyword in widest:
            page.ask(keyword)
            page.click("show")
            scroll = page.browser.js("return [document.documentElement.scrollWidth, window.innerWidth];")
            expect(scroll[0] <= scroll[1], "%s: page %d px wide in a %d px viewport" % (keyword, *scroll))
    finally:
        page.browser.resize(1280, 900)


def no_request_from_disk_or_server(page):
    """Every picture shown from the disk and from a web server on this
    machine: the page asks for nothing but itself."""
    asked = []

    class Handler(http.server.SimpleHTTPRequestHandler):
        def __init__(self, *args, **kwargs):
            super().__init__(*args, directory=os.path.dirname(os.path.abspath(page.path)), **kwargs)

        def log_message(self, format, *args):
            asked.append(self.path)

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        for url in ("file://" + os.path.abspath(page.path),
                    "http://127.0.0.1:%d/%s" % (server.server_address[1], os.path.basename(page.path))):
            page.browser.driver.get(url)
            for question in page.questions:
                if question[4][1] >= 0 or question[4][3] >= 0:
                    page.ask(question[0])
                    page.click("show")
            resources = page.browser.js("return performance.getEntriesByType('resource').map((r) => r.name);")
            expect_equal(resources, [], "requests of the page at " + url)
    finally:
        server.shutdown()
    pages = [path for path in asked if "favicon" not in path]
    expect(len(pages) == 1, "the server was asked for %r" % asked)


def hostile_texts_never_run(page):
    page.forget_progress()
    expect_equal(len(page.browser.driver.find_elements(By.CSS_SELECTOR, "#list button")), len(page.questions),
                 "list entries")
    listed = page.browser.js("return [...document.querySelectorAll('#list button')].map((b) => b.firstChild.data);")
    expect_equal(sorted(listed), sorted(q[0] or "\u00a0" for q in page.questions), "keywords shown as text")
    for question in page.questions:
        page.ask(question[0])
        expect_equal(page.keyword(), question[0], "keyword")
        page.click("show")
        expect_equal(page.browser.js("return window.__ran || 0;"), 0, "script run by " + repr(question[0]))
    texts = page.browser.js("return document.getElementById('text-pane').innerHTML;")
    expect("<script" not in texts.lower() and "onerror" not in texts.lower(), "text pane markup: " + texts[:200])


def take_screenshots(page, directory):
    page.forget_progress()
    page.browser.seed_random(7)
    page.reload()
    rich = next(q[0] for q in page.questions if q[4][0] >= 0 and q[4][1] >= 0)
    choice = next(q[0] for q in page.questions if len(q[3]) >= 2)
    page.ask(choice)  # missed once, so the list shows a count
    page.row_button(page.wrong_and_right_rows()[0]).click()
    page.ask(rich)
    page.browser.js("window.scrollTo(0, 0);")
    page.browser.driver.save_screenshot(directory + "/web-page-desktop.png")
    page.browser.resize(375, 740, mobile=True)
    page.ask(choice)
    wrong, _ = page.wrong_and_right_rows()
    page.row_button(wrong).click()
    page.browser.js("window.scrollTo(0, 0);")
    time.sleep(0.2)
    page.browser.driver.save_screenshot(directory + "/web-page-phone.png")
    page.browser.resize(1280, 900)


SAMPLE_CASES = [pictures_load, rich_text_arrives_as_markup, wrong_then_right, answered_never_asked_again,
                reload_keeps_progress, keyboard_path_equals_mouse_path, misses_counted_kept_and_asked_first,
                phone_has_no_horizontal_scroll, no_request_from_disk_or_server]
BAD_CASES = [hostile_texts_never_run, misses_of_the_test_shown_at_once]


def main(arguments):
    if len(arguments) not in (3, 4):
        print(__doc__)
        return 2
    passed = failed = 0
    browser = PageBrowser()
    try:
        for path, cases in ((arguments[1], SAMPLE_CASES), (arguments[2], BAD_CASES)):
            page = Page(browser, path)
            for case in cases:
                try:
                    case(page)
                    print("passed " + case.__name__)
                    passed += 1
                except Exception:  # a failed case is reported and the next one runs
                    print("FAILED " + case.__name__)
                    traceback.print_exc(limit=3)
                    failed += 1
        if len(arguments) == 4:
            take_screenshots(Page(browser, arguments[1]), arguments[3])
    finally:
        browser.close()
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
