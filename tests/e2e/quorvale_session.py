"""What the end-to-end tests share: the loopback fixture servers Quorvale's
hosts point at, a logging browser, Quorvale.exe itself and the UI driver, all in
the Wine prefix and on the display of the session (scripts/wine-session.sh)."""

import json
import os
import subprocess
import tempfile
import time
import unittest
import urllib.parse
import urllib.request
from pathlib import Path

EXE = os.environ["QUORVALE_EXE"]
DRIVER = os.environ["QUORVALE_E2E_DRIVER"]
HERE = Path(__file__).resolve().parent
FIXTURE_SERVER = HERE.parent / "fixtures" / "fixture_server.py"
RESOLVER_PORT = 47811
FORUM_PORT = 47812
CAPTION = "Quorvale百度网盘下载地址解析V2.3"
LATEST_CAPTION = CAPTION + "-最新版"  # the forum fixture's update page names V2.3
UPDATE_PAGE = "http://127.0.0.1:%d/thread-12491-1-1.html" % FORUM_PORT
ABOUT_PAGE = "http://127.0.0.1:%d/thread-9282-1-1.html" % FORUM_PORT
# Stacking order of the controls, topmost first: the driver names a control by its place here.
STACKING = ["标签3", "标签6", "标签5", "标签4", "标签2", "标签1",
            "按钮1", "编辑框7", "编辑框8", "编辑框4", "编辑框2", "编辑框1"]
RESULT_BOXES = ["编辑框2", "编辑框4", "编辑框8", "编辑框7"]
VK_ESCAPE, VK_A, VK_TAB, VK_SHIFT = 27, 65, 9, 16
IDOK = 1
DEADLINE = 20.0  # seconds for anything the tests wait for


def wait_for(check, what, deadline=DEADLINE):
    """Polls check() until it gives a true value, which it returns; fails after deadline."""
    end = time.monotonic() + deadline
    while True:
        value = check()
        if value:
            return value
        if time.monotonic() > end:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.05)


class FixtureServer:
    """One tests/fixtures/fixture_server.py on a fixed loopback port."""

    def __init__(self, port):
        self.port = port
        self.process = None

    def start(self):
        # --wait: the port may still be held by the server of a test that just ended.
        self.process = subprocess.Popen(
            ["python3", str(FIXTURE_SERVER), "--port", str(self.port), "--wait", str(DEADLINE),
             "--idle-exit", "600"],
            stdout=subprocess.PIPE, text=True)
        line = self.process.stdout.readline()
        if not line.startswith("ready"):
            raise RuntimeError("fixture server on port %d did not start" % self.port)

    def stop(self):
        if self.process and self.process.poll() is None:
            self.control("POST", "/_control/quit")
            self.process.wait(timeout=10)
            self.process.stdout.close()
        self.process = None

    def control(self, method, path, body=b""):
        request = urllib.request.Request("http://127.0.0.1:%d%s" % (self.port, path),
                                         data=body if method == "POST" else None, method=method)
        with urllib.request.urlopen(request, timeout=10) as reply:
            return reply.read()

    def reset(self):
        self.control("POST", "/_control/reset")

    def reply(self, path, body, **options):
        query = urllib.parse.urlencode(dict(path=path, **options))
        self.control("POST", "/_control/reply?" + query, body)

    def request_targets(self):
        """The request targets received since the last reset, oldest first."""
        raw = self.control("GET", "/_control/requests")
        targets = []
        while raw:
            header, _, rest = raw.partition(b"\n")
            size = int(header.split()[1])
            request, raw = rest[:size], rest[size:]
            targets.append(request.split(b"\r\n", 1)[0].split(b" ")[1].decode("latin-1"))
        return targets


class Browser:
    """A "browser" that only appends each URL it is asked to open to a log file:
    Wine's winebrowser runs it, found through HKCU\\Software\\Wine\\WineBrowser."""

    def __init__(self):
        self.folder = Path(tempfile.mkdtemp(prefix="quorvale-browser."))
        self.log = self.folder / "opened.log"
        script = self.folder / "logbrowser"
        script.write_text('#!/bin/sh\nprintf "%s\\n" "$*" >> "$QUORVALE_BROWSER_LOG"\n')
        script.chmod(0o755)
        subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", "Browsers",
                        "/d", "logbrowser", "/f"], check=True, capture_output=True)

    def environment(self):
        return {"PATH": "%s:%s" % (self.folder, os.environ["PATH"]),
                "QUORVALE_BROWSER_LOG": str(self.log)}

    def opened(self):
        return self.log.read_text().splitlines() if self.log.exists() else []

    def clear(self):
        self.log.unlink(missing_ok=True)


class Driver:
    """The UI driver (driver.cpp) as a long-running process: one command, one JSON answer."""

    def __init__(self, exe):
        self.process = subprocess.Popen(["wine", exe], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)

    def __call__(self, command, *args):
        fields = [command] + [urllib.parse.quote(str(a), safe="") for a in args]
        self.process.stdin.write(("\t".join(fields) + "\n").encode("utf-8"))
        self.process.stdin.flush()
        line = self.process.stdout.readline()
        if not line:
            raise RuntimeError("the driver ended")
        return json.loads(line.decode("utf-8"))

    def close(self):
        self.process.stdin.close()
        self.process.wait(timeout=20)
        self.process.stdout.close()

    def index(self, name):
        return STACKING.index(name)

    def text(self, name):
        return self("text", self.index(name))["text"]

    def set_text(self, name, text):
        self("set_text", self.index(name), text)

    def click(self, name, *args):
        return self("click", self.index(name), *args)


class Quorvale:
    """One run of Quorvale.exe."""

    def __init__(self, exe, browser, environment=None):
        env = dict(os.environ, **browser.environment())
        env.update(environment or {})
        self.process = subprocess.Popen(["wine", exe], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)

    def wait(self, timeout=DEADLINE):
        return self.process.wait(timeout=timeout)

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait(timeout=10)


class QuorvaleTestCase(unittest.TestCase):
    """Fixture servers, browser and driver for the whole class; a fresh Quorvale per test."""

    @classmethod
    def setUpClass(cls):
        cls.resolver = FixtureServer(RESOLVER_PORT)
        cls.forum = FixtureServer(FORUM_PORT)
        cls.resolver.start()
        cls.forum.start()
        cls.browser = Browser()
        cls.driver = Driver(DRIVER)

    @classmethod
    def tearDownClass(cls):
        cls.driver.close()
        cls.resolver.stop()
        cls.forum.stop()

    def setUp(self):
        self.reset_fixtures()
        self.launch()
        self.assertTrue(self.driver("attach", CAPTION, int(DEADLINE * 1000))["ok"])

    def reset_fixtures(self):
        self.resolver.reset()
        self.forum.reset()
        self.browser.clear()

    def launch(self):
        self.quorvale = Quorvale(EXE, self.browser)
        self.addCleanup(self.quorvale.stop)

    def wait_text(self, name, want):
        wait_for(lambda: self.driver.text(name) == want, "%s to show %r" % (name, want))

    def boxes(self):
        return {name: self.driver.text(name) for name in RESULT_BOXES}

    def fill_boxes(self):
        filled = {name: "old " + name for name in RESULT_BOXES}
        for name, text in filled.items():
            self.driver.set_text(name, text)
        return filled
