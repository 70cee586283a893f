#!/usr/bin/python3
"""The quote page of `quoravel serve`, driven in headless Chromium as a broker
would: fill in a client, quote, read a premium, fetch a proposal PDF, at a
desktop's width and at a phone's, and see a bad input named.

    quote_page.py PROGRAM                      the test (exit 0: passed)
    quote_page.py PROGRAM --screenshot OUT.png a desktop picture of a quote, for the README

PROGRAM is the `quoravel` executable; the test starts `PROGRAM serve --listen
127.0.0.1:0` and reads the port from its first line on standard error.

Every expected premium comes from `PROGRAM quote --format json`, never from
the page. Needs chromium, chromium-driver, python3-selenium and pdftotext.
"""

import argparse
import contextlib
import datetime
import json
import os
import queue
import re
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.common.exceptions import TimeoutException, WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

CLIENT = {"age": "45", "sex": "M", "state": "TX", "face": "250000"}
AGENT = {"agent-name": "Dana Whitfield", "agent-address1": "400 Congress Avenue",
         "agent-city": "Austin", "agent-state": "TX", "agent-zip": "78701"}
PHONE_WIDTH = 375  # CSS pixels
WAIT = 15  # seconds for any one thing the page or the server does
LISTENING = re.compile(r"quoravel serve: listening on (http://127\.0\.0\.1:\d+/)")


class Failure(Exception):
    pass


def dollars(amount):
    """$1,234.56 as a broker reads it, written here independently of the page."""
    return f"${amount:,.2f}"


class Server:
    """The server under test, started on a free port and stopped at the end."""

    def __init__(self, program):
        command = [program, "serve", "--listen", "127.0.0.1:0"]
        self.command = " ".join(command)
        self.process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE, text=True)
        self.lines = []
        self.found = queue.Queue()
        # Standard error is read to its end, so that the server never blocks on a full pipe.
        threading.Thread(target=self._read, daemon=True).start()
        try:
            self.url = self.found.get(timeout=WAIT)
        except queue.Empty:
            self.stop()
            raise Failure(f"`{self.command}` did not say where it listens within {WAIT} s; its standard error:\n"
                          + "".join(self.lines))
        if self.url is None:
            raise Failure(f"`{self.command}` ended (exit code {self.process.wait()}) without listening; "
                          "its standard error:\n" + "".join(self.lines))

    def _read(self):
        for line in self.process.stderr:
            self.lines.append(line)
            match = LISTENING.search(line)
            if match:
                self.found.put(match.group(1))
        self.found.put(None)

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def cli_quote(program):
    """The quote the command line gives for the test's client: the expected values."""
    command = [program, "quote", "--age", CLIENT["age"], "--sex", CLIENT["sex"], "--state", CLIENT["state"],
               "--face", CLIENT["face"]]
    answer = subprocess.run(command + ["--format", "json"], capture_output=True, text=True, timeout=WAIT)
    if answer.returncode != 0:
        raise Failure(f"`{' '.join(command)}` failed ({answer.returncode}): {answer.stderr}")
    return json.loads(answer.stdout)


def cli_hints(program, birth_date, faces):
    """The lines under "Hints:" of the command line's table for that client."""
    command = [program, "quote", "--birth-date", birth_date, "--sex", CLIENT["sex"], "--state", CLIENT["state"]]
    for face in faces:
        command += ["--face", face]
    answer = subprocess.run(command, capture_output=True, text=True, timeout=WAIT)
    if answer.returncode != 0:
        raise Failure(f"`{' '.join(command)}` failed ({answer.returncode}): {answer.stderr}")
    _, _, hints = answer.stdout.partition("\nHints:\n")
    return [line for line in hints.splitlines() if line.strip()]


def birth_date_turning_soon():
    """A birth date 45 years and 3 months back: the age nearest birthday
    goes up in about three months, so the quote has an age-change hint."""
    today = datetime.date.today()
    month = today.month - 3
    year = today.year - 45 - (1 if month < 1 else 0)
    return datetime.date(year, (month - 1) % 12 + 1, min(today.day, 28)).isoformat()


def start_browser(downloads):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage", "--disable-gpu",
                     "--window-size=1280,1000", "--lang=en-US"):
        options.add_argument(argument)
    options.add_experimental_option("prefs", {
        "download.default_directory": downloads,
        "download.prompt_for_download": False,
        "safebrowsing.enabled": False,
    })
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    # Headless Chromium saves downloads only when told where, by the protocol.
    driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})
    driver.set_page_load_timeout(WAIT)
    return driver


def wait_for(driver, what, condition, timeout=WAIT):
    try:
        return WebDriverWait(driver, timeout, poll_frequency=0.05).until(lambda d: condition(d))
    except TimeoutException:
        status = driver.execute_script("const s = document.querySelector('.qv-status'); return s && s.textContent;")
        raise Failure(f"waited {timeout} s for {what}; the page's status line reads {status!r}") from None


def field(driver, name):
    return driver.find_element(By.CSS_SELECTOR, f"form.qv-form [name='{name}']")


def type_into(driver, name, text):
    box = field(driver, name)
    box.clear()
    box.send_keys(text)
    return box


def open_page(driver, url):
    driver.get(url)
    wait_for(driver, "the quote form", lambda d: d.find_elements(By.CSS_SELECTOR, "form.qv-form [name='age']"))


def fill_client(driver):
    type_into(driver, "age", CLIENT["age"])
    Select(field(driver, "sex")).select_by_value(CLIENT["sex"])
    Select(field(driver, "state")).select_by_value(CLIENT["state"])
    return type_into(driver, "face", CLIENT["face"])


def fill_agent(driver):
    agent = driver.find_element(By.CSS_SELECTOR, "form.qv-form details.qv-agent")
    if not agent.get_attribute("open"):
        agent.find_element(By.TAG_NAME, "summary").click()
    for name, value in AGENT.items():
        if name == "agent-state":
            Select(field(driver, name)).select_by_value(value)
        else:
            type_into(driver, name, value)


def quoted_rows(driver):
    """The products the page lists once a quote is shown, in its order."""
    wait_for(driver, "the quote's table", lambda d: d.execute_script(
        "const r = document.querySelector('.qv-results');"
        "return r && !r.hidden && !document.querySelector('.qv-quote[aria-busy]')"
        " && r.querySelectorAll('tr[data-code]').length > 0;"))
    return driver.find_elements(By.CSS_SELECTOR, ".qv-results tr[data-code]")


def check_quote(driver, expected, code):
    """The page lists the command line's issuable products in its order, and
    the line of `code` shows its four modal premiums to the cent."""
    rows = quoted_rows(driver)
    shown = [row.get_attribute("data-code") for row in rows]
    issuable = [q["code"] for q in expected["quotes"] if q["issuable"]]
    if shown != issuable:
        raise Failure(f"the page lists {shown}, the command line quotes {issuable} (cheapest first)")
    line = next(q for q in expected["quotes"] if q["code"] == code)
    row = rows[shown.index(code)]
    for key in ("annual", "semiAnnual", "quarterly", "monthly"):
        text = row.find_element(By.CSS_SELECTOR, f"td.qv-{key}").text
        if dollars(line["modal"][key]) not in text:
            raise Failure(f"{code}'s {key} premium reads {text!r} on the page; the command line says "
                          f"{dollars(line['modal'][key])}")
    refused = driver.find_element(By.CSS_SELECTOR, ".qv-results .qv-refused").text \
        if driver.find_elements(By.CSS_SELECTOR, ".qv-results .qv-refused") else ""
    for q in expected["quotes"]:
        if not q["issuable"] and q["refusal"] not in refused:
            raise Failure(f"the refusal of {q['code']} is not shown: {q['refusal']!r}")
    return row


def check_proposal(driver, row, line, downloads):
    """The line's button saves proposal-CODE.pdf, whose first page names the product."""
    saved = os.path.join(downloads, f"proposal-{line['code']}.pdf")
    with contextlib.suppress(FileNotFoundError):
        os.remove(saved)
    row.find_element(By.CSS_SELECTOR, "button.qv-pdf").click()

    def arrived(_):
        message = row.find_element(By.CSS_SELECTOR, ".qv-row-message").text
        if message and not message.startswith("Saved"):
            raise Failure(f"asking for the proposal of {line['code']}, the page says: {message}")
        partial = [n for n in os.listdir(downloads) if n.endswith(".crdownload")]
        return os.path.exists(saved) and os.path.getsize(saved) > 0 and not partial
    wait_for(driver, f"the download of proposal-{line['code']}.pdf", arrived, timeout=30)
    text = subprocess.run(["pdftotext", "-l", "1", saved, "-"], capture_output=True, text=True,
                          timeout=WAIT).stdout
    if line["name"] not in text:
        raise Failure(f"the first page of proposal-{line['code']}.pdf does not name {line['name']!r}:\n{text[:800]}")


def page_width(driver):
    # Against the phone's width itself: a page wider than it makes a mobile
    # browser zoom out, which widens the window's own measure with it.
    return driver.execute_script(
        "return Math.max(document.documentElement.scrollWidth, document.body.scrollWidth);")


def check_no_sideways_scrolling(driver, when):
    width = page_width(driver)
    if width > PHONE_WIDTH:
        raise Failure(f"at {PHONE_WIDTH} px {when} the page scrolls sideways: it is {width} px wide")


def run_test(driver, url, program, downloads):
    expected = cli_quote(program)
    issuable = [q for q in expected["quotes"] if q["issuable"]]
    if len(issuable) < 2:
        raise Failure(f"the command line quotes fewer than two issuable products for {CLIENT}: {expected['quotes']}")

    # A desktop: fill the form, Enter in the face amount submits it.
    open_page(driver, url)
    footer = wait_for(driver, "the rate set in the footer",
                      lambda d: d.find_element(By.CSS_SELECTOR, ".qv-footer").text)
    rate_set = re.search(r"Rate set: (\w+)", subprocess.run([program, "--version"], capture_output=True,
                                                             text=True, timeout=WAIT).stdout)
    if rate_set and rate_set.group(1)[:12] not in footer:
        raise Failure(f"the footer {footer!r} does not name the rate set {rate_set.group(1)}")
    fill_agent(driver)
    fill_client(driver).send_keys(Keys.ENTER)
    brellan = next((q for q in issuable if q["code"] == "BRLN20"), issuable[-1])
    row = check_quote(driver, expected, brellan["code"])
    check_proposal(driver, row, brellan, downloads)

    # A birth date whose age changes soon and a face amount just below a
    # rate band: the hints read as the command line's table says them.
    birth_date = birth_date_turning_soon()
    faces = ["99999", CLIENT["face"]]
    expected_hints = cli_hints(program, birth_date, faces)
    if not any(h.startswith("Age changes") for h in expected_hints) or not any("costs" in h for h in expected_hints):
        raise Failure(f"the command line gives no age-change or band hint for {birth_date}, {faces}: {expected_hints}")
    type_into(driver, "age", "")
    driver.execute_script("const b = document.querySelector('form.qv-form [name=\"birth-date\"]');"
                          "b.value = arguments[0]; b.dispatchEvent(new Event('change', {bubbles: true}));", birth_date)
    type_into(driver, "face", faces[0])
    driver.find_element(By.CSS_SELECTOR, "form.qv-form .qv-add-face").click()
    driver.switch_to.active_element.send_keys(faces[1], Keys.ENTER)
    wait_for(driver, "the quote of both face amounts", lambda d: d.find_elements(
        By.CSS_SELECTOR, f".qv-results tr[data-face='{faces[0]}']"))
    shown_hints = [li.text for li in driver.find_elements(By.CSS_SELECTOR, ".qv-results .qv-hints li")]
    if shown_hints != expected_hints:
        raise Failure("the page's hints differ from the command line's:\n  page: "
                      + "\n        ".join(shown_hints) + "\n  table: " + "\n         ".join(expected_hints))

    # A phone: the kept agent, the same quote, no sideways scrolling.
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": PHONE_WIDTH, "height": 812, "deviceScaleFactor": 2, "mobile": True})
    open_page(driver, url)
    if field(driver, "agent-name").get_attribute("value") != AGENT["agent-name"]:
        raise Failure("the agent entered on the last visit is not kept in the form")
    fill_client(driver)
    check_no_sideways_scrolling(driver, "with the form filled in")
    driver.find_element(By.CSS_SELECTOR, "form.qv-form button[type='submit']").click()
    cheapest = issuable[0]
    row = check_quote(driver, expected, cheapest["code"])
    check_no_sideways_scrolling(driver, "with the quote")
    check_proposal(driver, row, cheapest, downloads)

    # A bad input is named beside the form, and nothing entered is lost.
    type_into(driver, "age", "120").send_keys(Keys.ENTER)
    wait_for(driver, "the error of age 120", lambda d: d.execute_script(
        "const e = document.querySelector('.qv-errors'); return e && !e.hidden && e.textContent.includes('120');"))
    if field(driver, "age").get_attribute("aria-invalid") != "true":
        raise Failure("the age field is not marked as the one in error")
    kept = {name: field(driver, name).get_attribute("value") for name in ("age", "state", "face")}
    if kept != {"age": "120", "state": CLIENT["state"], "face": CLIENT["face"]}:
        raise Failure(f"after the error the form holds {kept}")
    check_no_sideways_scrolling(driver, "with the error")


def take_screenshot(driver, url, path):
    open_page(driver, url)
    wait_for(driver, "the rate set in the footer", lambda d: d.find_element(By.CSS_SELECTOR, ".qv-footer").text)
    fill_client(driver)
    Select(field(driver, "mode")).select_by_value("M")
    driver.find_element(By.CSS_SELECTOR, "form.qv-form button[type='submit']").click()
    quoted_rows(driver)
    driver.execute_script("document.activeElement.blur();")
    height = driver.execute_script("return document.documentElement.scrollHeight;")
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": 1100, "height": height, "deviceScaleFactor": 1, "mobile": False})
    wait_for(driver, "the page to take its full height",
             lambda d: d.execute_script("return window.innerHeight;") >= height)
    if not driver.save_screenshot(path):
        raise Failure(f"the screenshot could not be written to {path}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("program", help="the quoravel executable")
    parser.add_argument("--screenshot", metavar="PNG", help="save a desktop picture of a quote instead of testing")
    args = parser.parse_args()
    program = os.path.abspath(args.program)
    started = time.monotonic()
    server = driver = None
    with tempfile.TemporaryDirectory(prefix="quote-page-") as downloads:
        try:
            server = Server(program)
            driver = start_browser(downloads)
            if args.screenshot:
                take_screenshot(driver, server.url, os.path.abspath(args.screenshot))
                print(f"quote_page: saved {args.screenshot}")
            else:
                run_test(driver, server.url, program, downloads)
                print(f"quote_page: passed in {time.monotonic() - started:.1f} s")
            return 0
        except (Failure, WebDriverException, subprocess.TimeoutExpired, OSError) as error:
            print(f"quote_page: FAILED: {error}", file=sys.stderr)
            if driver is not None:
                picture = os.path.join(tempfile.gettempdir(), "quote_page-failure.png")
                with contextlib.suppress(WebDriverException):
                    driver.save_screenshot(picture)
                    print(f"quote_page: the page as it was: {picture}", file=sys.stderr)
            return 1
        finally:
            if driver is not None:
                with contextlib.suppress(WebDriverException):
                    driver.quit()
            if server is not None:
                server.stop()


if __name__ == "__main__":
    sys.exit(main())
