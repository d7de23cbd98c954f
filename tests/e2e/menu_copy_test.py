"""End-to-end tests of the version menu and of copying the download link."""

import time
import unittest

from quorvale_session import (ABOUT_PAGE, DEADLINE, STACKING, UPDATE_PAGE, VK_A, VK_ESCAPE,
                              QuorvaleTestCase, wait_for)

TTS_BALLOON, WS_EX_TOPMOST = 0x40, 0x8
TIP = "地址已经复制"
LINK = "http://127.0.0.1/file/1/中文.txt?fid=1"
SETTLE = 0.3  # seconds given to input that must change nothing before looking


class ScreenTestCase(QuorvaleTestCase):
    def point_in(self, name, dx=None, dy=None):
        """A screen point in the control, its centre unless told an offset from its corner."""
        window = self.driver("window")
        control = self.driver("controls")["controls"][STACKING.index(name)]
        dx = control["width"] // 2 if dx is None else dx
        dy = control["height"] // 2 if dy is None else dy
        return window["client_left"] + control["left"] + dx, window["client_top"] + control["top"] + dy

    def press(self, kind, name, dx=None, dy=None):
        x, y = self.point_in(name, dx, dy)
        self.driver("mouse", kind, x, y)
        return x, y

    def tips(self):
        return self.driver("tips")["tips"]

    def clipboard(self):
        return self.driver("clipboard")


class CopyTest(ScreenTestCase):
    def wait_tip(self):
        return wait_for(self.tips, "the balloon tip")[0]

    def test_a_press_copies_the_whole_text_whatever_is_selected(self):
        self.driver.set_text("编辑框2", LINK)
        self.driver("select", STACKING.index("编辑框2"), 3, 9)
        self.driver("set_clipboard", "before")
        self.press("left", "编辑框2", 20)
        wait_for(lambda: self.clipboard()["text"] == LINK, "the link on the clipboard")
        self.wait_tip()
        # The press went on to the box after the copy.
        self.assertEqual(self.driver("focus")["control"], STACKING.index("编辑框2"))

    def test_a_press_on_the_empty_box_keeps_the_clipboard_and_shows_the_tip(self):
        self.driver("set_clipboard", "before")
        before = self.clipboard()
        self.press("left", "编辑框2")
        self.assertEqual(self.wait_tip()["probe"]["tools"][0]["text"], TIP)
        self.assertEqual(self.clipboard(), before)

    def test_a_busy_clipboard_makes_the_copy_fail_silently(self):
        self.driver.set_text("编辑框2", LINK)
        self.driver("set_clipboard", "before")
        self.assertTrue(self.driver("hold_clipboard")["ok"])
        try:
            self.press("left", "编辑框2")
            self.wait_tip()
            self.assertEqual(self.driver("count", "#32770")["count"], 0)
        finally:
            self.driver("release_clipboard")
        self.assertEqual(self.clipboard()["text"], "before")

    def test_the_tip_is_a_topmost_balloon_anchored_at_the_cursor(self):
        x, y = self.press("left", "编辑框2", 40)
        tip = self.wait_tip()
        self.assertTrue(tip["style"] & TTS_BALLOON)
        self.assertTrue(tip["ex_style"] & WS_EX_TOPMOST)
        self.assertTrue(tip["owned_by_main"], "an owned popup has no task-bar entry")
        tool = tip["probe"]["tools"][0]
        self.assertEqual((tool["text"], tool["track"], tool["absolute"]), (TIP, True, True))
        font = tip["probe"]["font"]
        self.assertIn(font["face"], ["宋体", "Verdana"])
        self.assertEqual((font["height"], font["weight"]), (-12, 400))  # 9 points at 96 dpi
        # The balloon's stem points at the anchor, so the anchor lies on its edge.
        self.assertLessEqual(tip["left"] - 2, x)
        self.assertLessEqual(x, tip["left"] + tip["width"] + 2)
        self.assertTrue(abs(tip["top"] - y) <= 2 or abs(tip["top"] + tip["height"] - y) <= 2, tip)

    def test_the_next_press_wheel_turn_or_key_hides_the_tip(self):
        cases = [
            ("left press elsewhere", lambda: self.press("left", "标签1")),
            ("right press", lambda: self.press("right", "标签1")),  # no edit box context menu
            ("wheel turn", lambda: self.press("wheel", "编辑框2")),
            ("key press", lambda: self.driver("key", VK_A)),
        ]
        for i, (what, hide) in enumerate(cases):
            with self.subTest(what):
                # A new place each time, so that no press pairs with the last as a double click.
                self.press("left", "编辑框2", 20 + 60 * i)
                self.wait_tip()
                self.press("move", "编辑框2", 5, 5)  # moving the mouse keeps it
                time.sleep(SETTLE)
                self.assertEqual(len(self.tips()), 1)
                hide()
                wait_for(lambda: self.tips() == [], "the tip to hide")

    def test_a_second_press_shows_the_tip_at_the_new_place(self):
        self.press("left", "编辑框2", 20)
        first = self.wait_tip()
        self.press("left", "编辑框2", 220)
        wait_for(lambda: [t["left"] for t in self.tips()] == [first["left"] + 200],
                 "one tip, 200 pixels further right")

    def test_a_double_click_copies_once_and_hides_the_tip(self):
        self.driver.set_text("编辑框2", LINK)
        self.driver("set_clipboard", "before")
        start = self.clipboard()["sequence"]
        self.press("left", "编辑框2", 20)
        self.wait_tip()
        one_copy = self.clipboard()["sequence"] - start
        self.driver("key", VK_A)
        wait_for(lambda: self.tips() == [], "the tip to hide")
        self.driver("set_clipboard", "before")
        start = self.clipboard()["sequence"]
        self.press("double", "编辑框2", 200)  # far from the single press, so it pairs with nothing
        wait_for(lambda: self.clipboard()["text"] == LINK, "the link on the clipboard")
        wait_for(lambda: self.tips() == [], "the double click to hide the tip")
        self.assertEqual(self.clipboard()["sequence"] - start, one_copy)


class MenuTest(ScreenTestCase):
    ENTRIES = ["退出", "本软件更新", "关于Quorvale"]

    def open_menu(self):
        x, y = self.press("left", "标签3", 10, 10)  # 标签3's top 3 pixels lie above the client area
        return x, y, self.driver("popup", int(DEADLINE * 1000))

    def choose(self, menu, index):
        item = menu["menu"]["items"][index]
        self.driver("mouse", "left", (item["left"] + item["right"]) // 2,
                    (item["top"] + item["bottom"]) // 2)

    def test_the_popup_lists_the_entries_at_the_cursor_and_esc_dismisses_it(self):
        x, y, menu = self.open_menu()
        self.assertTrue(menu["ok"], menu)
        items = menu["menu"]["items"]
        self.assertEqual([item["text"] for item in items], self.ENTRIES)
        for item in items:
            self.assertFalse(item["separator"] or item["disabled"] or item["checked"] or
                             item["submenu"], item)
        self.assertEqual((menu["left"], menu["top"]), (x + 3, y + 3))
        self.driver("key", VK_ESCAPE)  # taken by the popup, not by the window
        wait_for(lambda: self.driver("count", "#32768")["count"] == 0, "the popup to close")
        time.sleep(SETTLE)
        self.assertIsNone(self.quorvale.process.poll())
        self.assertEqual(self.browser.opened(), [])
        self.assertEqual(self.driver("window")["menu_bar"]["items"], [])

    def test_the_exit_entry_ends_the_program(self):
        _, _, menu = self.open_menu()
        self.choose(menu, 0)
        self.assertEqual(self.quorvale.wait(), 0)

    def test_the_page_entries_open_their_pages(self):
        for index, page in [(1, UPDATE_PAGE), (2, ABOUT_PAGE)]:
            with self.subTest(page):
                self.browser.clear()
                _, _, menu = self.open_menu()
                self.choose(menu, index)
                wait_for(lambda: self.browser.opened() == [page], "the page in the browser")
                self.assertIsNone(self.quorvale.process.poll())


if __name__ == "__main__":
    unittest.main()
