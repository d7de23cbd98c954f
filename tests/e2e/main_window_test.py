"""End-to-end tests of Quorvale's start, main window, resolve button and end."""

import os
import subprocess
import unittest

from quorvale_session import (DEADLINE, EXE, IDOK, LATEST_CAPTION, STACKING, UPDATE_PAGE, VK_A,
                              VK_ESCAPE, VK_SHIFT, VK_TAB, QuorvaleTestCase, wait_for)

WS_CAPTION, WS_SYSMENU, WS_THICKFRAME = 0x00C00000, 0x00080000, 0x00040000
WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_TABSTOP = 0x00020000, 0x00010000, 0x00010000
WS_EX_CLIENTEDGE = 0x200
SS_TYPEMASK, SS_LEFT, SS_CENTER, SS_NOTIFY, SS_CENTERIMAGE = 0x1F, 0, 1, 0x100, 0x200
ES_MULTILINE, ES_AUTOHSCROLL, ES_NOHIDESEL, ES_READONLY = 0x4, 0x80, 0x100, 0x800
BS_TYPEMASK, BS_DEFPUSHBUTTON, BS_MULTILINE = 0xF, 0x1, 0x2000

SHARE_LINK = "https://pan.baidu.com/s/1abc"
# What the resolver fixture's canned record gives in the four boxes.
RESOLVED = {
    "编辑框2": "http://127.0.0.1/file/1/%E4%B8%AD%E6%96%87.txt?fid=1",
    "编辑框4": "0123456789abcdef0123456789abcdef",
    "编辑框8": "中文.txt",
    "编辑框7": "11.77375602722MB",
}

LABEL_FONT = ("MS Shell Dlg", -12, 400)  # the default GUI font under Wine
# Name, class, left, top, width, height, text, font (face, height, weight).
CONTROLS = [
    ("标签3", "Static", 328, -3, 53, 23, "V2.3", ("宋体", -20, 700)),
    ("标签6", "Static", 8, 93, 53, 23, "大小：", LABEL_FONT),
    ("标签5", "Static", 8, 63, 53, 23, "名称：", LABEL_FONT),
    ("标签4", "Static", 8, 128, 53, 23, "MD5：", LABEL_FONT),
    ("标签2", "Static", 8, 158, 53, 23, "下载：", LABEL_FONT),
    ("标签1", "Static", 8, 28, 53, 23, "地址：", LABEL_FONT),
    ("按钮1", "Button", 153, 188, 63, 33, "解析", ("", -20, 400)),
    ("编辑框7", "Edit", 63, 93, 293, 24, "", LABEL_FONT),
    ("编辑框8", "Edit", 63, 63, 293, 23, "", LABEL_FONT),
    ("编辑框4", "Edit", 63, 128, 293, 23, "", LABEL_FONT),
    ("编辑框2", "Edit", 63, 158, 293, 24, "", LABEL_FONT),
    ("编辑框1", "Edit", 63, 28, 293, 23, "", LABEL_FONT),
]


class WindowTest(QuorvaleTestCase):
    def test_window_is_centred_fixed_and_has_no_system_menu(self):
        window = self.driver("window")
        self.assertEqual(window["caption"], LATEST_CAPTION)
        self.assertEqual((window["width"], window["height"]), (380, 250))
        self.assertEqual(window["left"], (window["screen_width"] - 380) // 2)
        self.assertEqual(window["top"], (window["screen_height"] - 250) // 2)
        style = window["style"] & 0xFFFFFFFF
        self.assertEqual(style & WS_CAPTION, WS_CAPTION)
        for bit in (WS_SYSMENU, WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX):
            self.assertEqual(style & bit, 0, hex(bit))
        # The menu is owned, but its one top-level entry is hidden.
        self.assertEqual(window["menu_bar"], {"present": True, "items": []})

    def test_controls_in_stacking_order_with_place_text_and_font(self):
        controls = self.driver("controls")["controls"]
        self.assertEqual(len(controls), len(CONTROLS))
        for got, (name, cls, left, top, width, height, text, font) in zip(controls, CONTROLS):
            with self.subTest(name):
                self.assertEqual((got["class"], got["left"], got["top"], got["width"],
                                  got["height"], got["text"]),
                                 (cls, left, top, width, height, text))
                self.assertEqual((got["font"]["face"], got["font"]["height"],
                                  got["font"]["weight"]), font)
                self.assertTrue(got["visible"] and got["enabled"])

    def test_kind_settings(self):
        for got, row in zip(self.driver("controls")["controls"], CONTROLS):
            name, style, ex_style = row[0], got["style"], got["ex_style"]
            with self.subTest(name):
                if got["class"] == "Static":
                    align = SS_LEFT if name == "标签3" else SS_CENTER
                    self.assertEqual(style & SS_TYPEMASK, align)
                    self.assertTrue(style & SS_CENTERIMAGE)
                    self.assertTrue(style & SS_NOTIFY)  # so that a press reaches 标签3
                    self.assertFalse(style & WS_TABSTOP)
                elif got["class"] == "Edit":
                    self.assertTrue(style & ES_AUTOHSCROLL and style & WS_TABSTOP)
                    self.assertTrue(ex_style & WS_EX_CLIENTEDGE)
                    self.assertFalse(style & (ES_MULTILINE | ES_NOHIDESEL))
                    self.assertEqual(bool(style & ES_READONLY), name == "编辑框2")
                    self.assertTrue(got["v6"]["v6"], "control styles reach the edit boxes")
                else:
                    self.assertEqual(style & BS_TYPEMASK & BS_DEFPUSHBUTTON, 0)
                    self.assertTrue(style & BS_MULTILINE and style & WS_TABSTOP)
                    self.assertTrue(got["v6"]["v6"], "control styles reach the button")

    def test_typing_changes_every_box_but_the_download_box(self):
        # 编辑框2 first: input is handled in order, so once the later boxes show their
        # key, the key typed into 编辑框2 has been handled too.
        self.driver.click("编辑框2")
        self.driver("key", VK_A)
        for name in ["编辑框1", "编辑框8", "编辑框7", "编辑框4"]:
            with self.subTest(name):
                self.driver.click(name)
                self.driver("key", VK_A)
                self.wait_text(name, "a")
        self.assertEqual(self.driver.text("编辑框2"), "")


class FocusTest(QuorvaleTestCase):
    def test_tab_walks_the_boxes_top_to_bottom_then_the_button(self):
        order = ["编辑框1", "编辑框8", "编辑框7", "编辑框4", "编辑框2", "按钮1", "编辑框1"]
        self.driver.click(order[0])
        for name in order[1:]:
            self.driver("key", VK_TAB)
            wait_for(lambda: self.driver("focus")["control"] == STACKING.index(name),
                     "the focus in " + name)
        self.driver("key", "%d+%d" % (VK_SHIFT, VK_TAB))
        wait_for(lambda: self.driver("focus")["control"] == STACKING.index("按钮1"),
                 "Shift+Tab back to 按钮1")


class ResolveTest(QuorvaleTestCase):
    def test_resolve_fills_the_four_boxes_from_the_reply(self):
        self.driver.set_text("编辑框1", SHARE_LINK)
        self.driver.click("按钮1")
        wait_for(lambda: self.boxes() == RESOLVED, "the resolved fields")
        self.assertEqual(self.resolver.request_targets(), ["/baidu/?url=" + SHARE_LINK])

    def test_a_failed_second_resolve_empties_the_boxes(self):
        self.driver.set_text("编辑框1", SHARE_LINK)
        self.driver.click("按钮1")
        wait_for(lambda: self.boxes() == RESOLVED, "the first resolve")
        self.resolver.stop()  # the next fetch finds nobody listening
        self.addCleanup(self.resolver.start)
        self.driver.click("按钮1")
        want = {"编辑框2": "", "编辑框4": "", "编辑框8": "", "编辑框7": "0MB"}
        wait_for(lambda: self.boxes() == want, "the emptied boxes")

    def test_input_errors_tell_the_user_and_open_the_update_page(self):
        cases = [
            ("", "网址不能为空！"),
            ("   ", "网址不正确！"),  # spaces are not empty
            ("BAIDU/s/1abc", "网址不正确！"),  # the test is case-sensitive
        ]
        filled = self.fill_boxes()
        for address, message in cases:
            with self.subTest(address=address):
                self.browser.clear()
                self.driver.set_text("编辑框1", address)
                self.driver.click("按钮1")
                box = self.driver("message_box", "错误！", int(DEADLINE * 1000))
                self.assertTrue(box["ok"], box)
                self.assertEqual((box["text"], box["buttons"], box["icon"]),
                                 (message, [IDOK], True))  # the stop icon
                self.assertEqual(self.browser.opened(), [], "the page opens after the box")
                self.driver("answer", "错误！", IDOK)
                wait_for(lambda: self.browser.opened() == [UPDATE_PAGE], "the update page")
                self.assertEqual(self.boxes(), filled)
        self.assertEqual(self.resolver.request_targets(), [])


class LifecycleTest(QuorvaleTestCase):
    def test_escape_in_the_address_box_ends_the_program(self):
        self.driver.click("编辑框1")
        self.driver("key", VK_ESCAPE)
        self.assertEqual(self.quorvale.wait(), 0)

    def test_escape_after_a_resolve_ends_the_program(self):
        self.driver.set_text("编辑框1", SHARE_LINK)
        self.driver.click("按钮1")
        wait_for(lambda: self.boxes() == RESOLVED, "the resolved fields")
        self.driver.click("编辑框4")
        self.driver("key", VK_ESCAPE)
        self.assertEqual(self.quorvale.wait(), 0)


class StartFailureTest(unittest.TestCase):
    def test_no_display_means_no_start_window_and_exit_code_minus_1(self):
        # Without a display Wine cannot create windows: 窗口 fails, and so does the box.
        environment = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        code = subprocess.run(["wine", EXE], env=environment, timeout=DEADLINE).returncode
        self.assertEqual(code, 255)  # -1, as the process's exit code is seen from Linux


if __name__ == "__main__":
    unittest.main()
