"""Debian's headless Chromium driven through chromedriver, for the exported
web page: a fresh profile each time, a viewport of exact size, and a random
generator that can be seeded before the page's own script runs."""
import os
import shutil
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"

# Without the networking switches Chromium waits for services a closed
# network never answers.
FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--disable-dev-shm-usage", "--hide-scrollbars=false"]

# A linear congruential generator in place of Math.random: two runs with the
# same seed ask the same questions in the same rows.
SEEDED_RANDOM = """(() => { let s = %d;
  Math.random = () => { s = (s * 1103515245 + 12345) %% 2147483648; return s / 2147483648; }; })();"""


class PageBrowser:
    def __init__(self, width=1280, height=900, mobile=False):
        self.profile = tempfile.mkdtemp(prefix="qb-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in FLAGS + ["--user-data-dir=" + self.profile, "--window-size=%d,%d" % (width, height)]:
            options.add_argument(flag)
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        self.resize(width, height, mobile)

    def resize(self, width, height, mobile=False):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": mobile})

    def seed_random(self, seed):
        self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": SEEDED_RANDOM % seed})

    def open(self, path):
        self.driver.get("file://" + os.path.abspath(path))

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def close(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)
