"""End-to-end tests: the built program on a real X server with a window manager, driven
with the mouse and keyboard. TAVRILO_BINARY names the program; screenshots go to
TAVRILO_ARTIFACTS."""

import os
import re
import time
import unittest

from desktop import SCREEN_HEIGHT, SCREEN_WIDTH, Desktop, wait_until

BINARY = os.environ.get("TAVRILO_BINARY", "")
ARTIFACTS = os.environ.get("TAVRILO_ARTIFACTS", "")

OUTER_WIDTH, OUTER_HEIGHT = 455, 444

# Client coordinates taken from the form: controls inside the tab control sit 8 pixels
# lower than their page positions.
DRAW_BUTTON = (96 + 136 // 2, 168 + 64 // 2)
RESTART_BUTTON = (280 + 96 // 2, 192 + 40 // 2)
RESULTS_BOX = (8 + 432 // 2, 256 + 152 // 2)
END_FIELD = (288 + 80 // 2, 64 + 48 // 2)
COUNT_FIELD = (240 + 48 // 2, 128 + 32 // 2)
NO_REPEAT_BOX = (56 + 12, 128 + 32 // 2)
EFFECT_BOX = (328 + 12, 128 + 32 // 2)
CAPTION_STRIP = (0, 238, 448, 17)  # the results group box's caption line
TAB_PAGE = (8, 40, 432, 180)  # what the effect label covers while it shows

ROLLING_SECONDS = 0.27 + 0.24 + 0.21 + 0.18 + 0.15
RESULT_SECONDS = 1.5
CLOSE_LIMIT_SECONDS = 1.6


def outer_rect(desktop, window):
    return desktop.geometry(window).outer


class TavriloTest(unittest.TestCase):
    def setUp(self):
        self.assertTrue(os.access(BINARY, os.X_OK), f"TAVRILO_BINARY={BINARY!r} is not a program")
        self.desktop = Desktop().__enter__()
        self.addCleanup(self.desktop.close)

    def start(self, *args):
        app = self.desktop.launch(BINARY, *args)
        window = app.wait_window(timeout=10)
        return app, window

    def strip(self, window, rect):
        g = self.desktop.geometry(window)
        x, y, w, h = rect
        return self.desktop.screenshot().crop(g.x + x, g.y + y, w, h).rgb

    def record(self, window):
        return self.desktop.copy_all(window, *RESULTS_BOX)

    def set_field(self, window, at, text):
        self.desktop.click(window, *at)
        self.desktop.key("ctrl+a")
        self.desktop.type(text)

    def close_window(self, window, how):
        d = self.desktop
        if how == "close box":
            x, y, w, _ = outer_rect(d, window)
            d.click_screen(x + w - 11, y + d.geometry(window).top // 2)
        elif how == "system menu":
            d.activate(window)
            before = self.strip(window, TAB_PAGE)
            d.key("alt+space")
            wait_until(lambda: self.strip(window, TAB_PAGE) != before, 5, what="the window menu")
            d.key("c")  # its Close item
        else:
            d.activate(window)
            d.key("alt+F4")

    def assert_ended_quietly(self, app, code):
        self.assertEqual(code, 0)
        out, err = app.output()
        self.assertEqual(out, b"")
        self.assertNotIn(b"tavrilo:", err)

    def assert_shown_as_designed(self, window):
        d = self.desktop
        self.assertEqual(d.window_name(window), "Tavrilo")
        x, y, w, h = outer_rect(d, window)
        self.assertEqual((w, h), (OUTER_WIDTH, OUTER_HEIGHT))
        self.assertEqual((x, y), ((SCREEN_WIDTH - OUTER_WIDTH) // 2, (SCREEN_HEIGHT - OUTER_HEIGHT) // 2))

    def test_window_shows_within_a_second_centred_fixed_and_without_maximise(self):
        app = self.desktop.launch(BINARY)
        window = app.wait_window(timeout=10)
        self.assertLess(time.monotonic() - app.started, 1.0)
        self.assert_shown_as_designed(window)

        d = self.desktop
        actions = d.property(window, "_NET_WM_ALLOWED_ACTIONS")
        self.assertIn("_NET_WM_ACTION_CLOSE", actions)
        self.assertIn("_NET_WM_ACTION_MINIMIZE", actions)
        self.assertNotIn("MAXIMIZE", actions)
        self.assertNotIn("_NET_WM_ACTION_RESIZE", actions)
        # The window itself asks for no maximise function and no maximise button.
        hints = [int(v, 16) for v in re.findall(r"0x[0-9a-f]+", d.property(window, "_MOTIF_WM_HINTS"))]
        flags, functions, decorations = hints[:3]
        self.assertTrue(flags & 1 and not functions & 1 and not functions & 0x10, hints)
        self.assertTrue(flags & 2 and not decorations & 1 and not decorations & 0x40, hints)

        # Neither a double click on the title bar nor a click on its maximise button resizes.
        before = outer_rect(d, window)
        x, y, w, _ = before
        d.x("xdotool", "mousemove", str(x + w // 3), str(y + 8), "click", "--repeat", "2", "1")
        d.click_screen(x + w - 11 - 16, y + 8)
        time.sleep(0.3)
        self.assertEqual(outer_rect(d, window), before)

    def test_draw_appends_number_and_caption_restart_clears_both(self):
        _, window = self.start()
        d = self.desktop
        self.assertEqual(self.record(window), "")
        form_caption = self.strip(window, CAPTION_STRIP)

        d.click(window, *DRAW_BUTTON)  # effect on, as the form sets it
        first = wait_until(lambda: self.record(window), ROLLING_SECONDS + RESULT_SECONDS + 5,
                           interval=0.2, what="a drawn number")
        self.assertRegex(first, r"^\d+/$")
        self.assertTrue(1 <= int(first[:-1]) <= 44, first)
        one_drawn = self.strip(window, CAPTION_STRIP)
        self.assertNotEqual(one_drawn, form_caption)
        if ARTIFACTS:
            os.makedirs(ARTIFACTS, exist_ok=True)
            d.screenshot().save_png(os.path.join(ARTIFACTS, "after-draw.png"))

        d.click(window, *EFFECT_BOX)  # effect off: the second draw completes at once
        d.click(window, *DRAW_BUTTON)
        both = self.record(window)
        self.assertRegex(both, r"^" + re.escape(first) + r"\d+/$")
        self.assertNotEqual(both[len(first):], first, "repeats are off by default")
        two_drawn = self.strip(window, CAPTION_STRIP)
        self.assertNotEqual(two_drawn, one_drawn)

        d.click(window, *RESTART_BUTTON)
        self.assertEqual(self.record(window), "")
        restarted = self.strip(window, CAPTION_STRIP)
        self.assertNotIn(restarted, (form_caption, one_drawn, two_drawn))

    def test_close_right_after_start_exits_0(self):
        for how in ("alt+F4", "close box", "system menu"):
            with self.subTest(how=how):
                app, window = self.start()
                self.close_window(window, how)
                self.assert_ended_quietly(app, app.wait_exit(5))

    def test_close_during_effect_hides_at_once_and_exits_0_promptly(self):
        for phase, after in (("while numbers roll", 0.5), ("while the result shows", ROLLING_SECONDS + 0.5)):
            with self.subTest(phase=phase):
                app, window = self.start()
                d = self.desktop
                d.activate(window)
                idle_page = self.strip(window, TAB_PAGE)
                d.click(window, *DRAW_BUTTON)
                time.sleep(after)
                self.assertNotEqual(self.strip(window, TAB_PAGE), idle_page, "the effect shows")
                d.key("alt+F4")
                closed = time.monotonic()
                wait_until(lambda: not d.viewable(window), 0.5, what="the window to disappear")
                code = app.wait_exit(CLOSE_LIMIT_SECONDS + 2)
                self.assertLess(time.monotonic() - closed, CLOSE_LIMIT_SECONDS)
                self.assert_ended_quietly(app, code)

    def test_close_queued_behind_a_batch_without_effect_exits_0(self):
        # With the effect off a batch handles no events, so the close queued right behind
        # the click is taken only after the batch has written its numbers.
        app, window = self.start()
        d = self.desktop
        d.click(window, *EFFECT_BOX)
        d.click(window, *NO_REPEAT_BOX)
        self.set_field(window, END_FIELD, "2000000000")
        self.set_field(window, COUNT_FIELD, "100000")
        d.click(window, *DRAW_BUTTON)
        d.key("alt+F4")
        self.assert_ended_quietly(app, app.wait_exit(30))

    def test_command_line_arguments_change_nothing(self):
        app, window = self.start("-platform", "offscreen", "-display", ":65000", "-qwindowtitle", "Other",
                                 "-qwindowgeometry", "100x100+0+0", "-reverse", "--help", "extra")
        self.assert_shown_as_designed(window)
        self.close_window(window, "alt+F4")
        self.assert_ended_quietly(app, app.wait_exit(5))

    def test_two_instances_are_independent_and_close_separately(self):
        first, first_window = self.start()
        second, second_window = self.start()
        self.assertNotEqual(first_window, second_window)
        d = self.desktop

        d.activate(first_window)
        d.click(first_window, *EFFECT_BOX)
        d.click(first_window, *DRAW_BUTTON)
        self.assertRegex(self.record(first_window), r"^\d+/$")
        d.activate(second_window)
        self.assertEqual(self.record(second_window), "")

        self.close_window(first_window, "alt+F4")
        self.assert_ended_quietly(first, first.wait_exit(5))
        time.sleep(0.3)
        self.assertTrue(second.running())
        self.assertTrue(d.viewable(second_window))
        d.click(second_window, *EFFECT_BOX)
        d.click(second_window, *DRAW_BUTTON)
        self.assertRegex(self.record(second_window), r"^\d+/$")
        self.close_window(second_window, "alt+F4")
        self.assert_ended_quietly(second, second.wait_exit(5))


if __name__ == "__main__":
    unittest.main()
