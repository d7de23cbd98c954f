"""End-to-end tests of the update check at start: what the forum's update page
makes of the caption, the prompt that comes before the window, and a forum that
never answers."""

import time
import unittest

from quorvale_session import (CAPTION, DEADLINE, LATEST_CAPTION, UPDATE_PAGE, QuorvaleTestCase,
                              wait_for)

IDYES, IDNO = 6, 7
PROMPT_TITLE = "有更新！"
PROMPT_TEXT = "将软件版本更新到最新！"
UPDATE_PATH = "/thread-12491-1-1.html"
NEWER_PAGE = "<html><body><p>最新版本：V2.4</p></body></html>".encode("gbk")
FETCH_TIMEOUT = 15.0  # seconds, kFetchTimeoutSeconds in web/fetch_rules.h
MARGIN = 5.0  # seconds for Wine to start Quorvale and show the prompt


class UpdateCheckTestCase(QuorvaleTestCase):
    """Each test sets the forum's answer first, then starts Quorvale itself."""

    def setUp(self):
        self.reset_fixtures()

    def start_hidden(self):
        """Starts Quorvale and attaches to 窗口 as soon as it exists, shown or not."""
        self.launch()
        attached = self.driver("attach", CAPTION, int(DEADLINE * 1000), "hidden")
        self.assertTrue(attached["ok"], attached)

    def answer_prompt(self, button, deadline=DEADLINE):
        """Answers the update prompt, checking that it shows while 窗口 does not,
        and waits for 窗口 to show."""
        box = self.driver("message_box", PROMPT_TITLE, int(deadline * 1000))
        self.assertTrue(box["ok"], box)
        self.assertEqual((box["text"], box["buttons"], box["icon"]),
                         (PROMPT_TEXT, [IDYES, IDNO], False))
        # Task-modal with no owner: the thread's windows are disabled meanwhile.
        self.assertEqual(self.driver("state"), {"ok": True, "visible": False, "enabled": False})
        self.driver("answer", PROMPT_TITLE, button)
        wait_for(lambda: self.driver("state")["visible"], "the window to show")
        self.assertTrue(self.driver("state")["enabled"])

    def caption(self):
        return self.driver("window")["caption"]


class UpdateCheckTest(UpdateCheckTestCase):
    def test_a_page_naming_this_version_marks_the_caption(self):
        self.launch()  # the fixture's own update page names V2.3
        self.assertTrue(self.driver("attach", CAPTION, int(DEADLINE * 1000))["ok"])
        self.assertEqual(self.caption(), LATEST_CAPTION)
        self.assertEqual(self.forum.request_targets(), [UPDATE_PATH])
        self.assertEqual(self.driver("count", "#32770")["count"], 0)

    def test_a_page_without_this_version_prompts_and_no_changes_nothing(self):
        def stop_forum():
            self.forum.stop()
            self.addCleanup(self.forum.start)

        cases = [
            ("a newer version", lambda: self.forum.reply(UPDATE_PATH, NEWER_PAGE)),
            ("V2.3 after a NUL byte", lambda: self.forum.reply(UPDATE_PATH, b"<p>\0V2.3</p>")),
            ("an empty page", lambda: self.forum.reply(UPDATE_PATH, b"")),
            ("no forum listening", stop_forum),  # last: the forum stays down
        ]
        for what, prepare in cases:
            with self.subTest(what):
                prepare()
                self.start_hidden()
                self.answer_prompt(IDNO)
                self.assertEqual(self.caption(), CAPTION)
                self.assertEqual(self.browser.opened(), [])
                self.quorvale.stop()  # so that the next case attaches to its own window

    def test_yes_opens_the_update_page_and_then_shows_the_window(self):
        self.forum.reply(UPDATE_PATH, NEWER_PAGE)
        self.start_hidden()
        self.answer_prompt(IDYES)
        wait_for(lambda: self.browser.opened() == [UPDATE_PAGE], "the update page")
        self.assertEqual(self.caption(), CAPTION)


class StalledForumTest(UpdateCheckTestCase):
    def test_a_forum_that_never_answers_holds_the_window_back_for_the_time_out_at_most(self):
        self.forum.reply(UPDATE_PATH, b"", stall="1")
        started = time.monotonic()
        self.start_hidden()
        wait_for(lambda: self.forum.request_targets() == [UPDATE_PATH], "the update page request")
        time.sleep(max(0.0, started + FETCH_TIMEOUT / 2 - time.monotonic()))
        self.assertFalse(self.driver("state")["visible"], "the window waits for the check")
        self.assertEqual(self.driver("count", "#32770")["count"], 0)
        # The fetch gives up with an empty body, which prompts as a newer version would.
        self.answer_prompt(IDNO, deadline=FETCH_TIMEOUT + MARGIN)
        self.assertLess(time.monotonic() - started, FETCH_TIMEOUT + MARGIN)
        self.assertEqual(self.caption(), CAPTION)


if __name__ == "__main__":
    unittest.main()
