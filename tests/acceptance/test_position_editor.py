"""The position editor: a slider dragged with SYNC, and every dialog opened from the editor."""

import os
import unittest

from harness import AcceptanceTest, wait_for

CENTRE = 16384


def live_servo(frame):
    """(channel, word) of a live servo command FE 00 CH MODE HI LO, else None."""
    if len(frame) < 7 or frame[1:3] != b"\xfe\x00":
        return None
    return frame[3], frame[5] << 8 | frame[6]


class PositionEditor(AcceptanceTest):

    def open_editor(self, sync=True):
        s = self.s
        if sync:
            s.click("Sync", "Brivane3")
            s.widget("Sync", "Brivane3", condition=lambda w: w.get("checked"))
        s.place("SetItem1Btn", 120, 80)
        s.click_at(*s.canvas_point(130, 90), repeat=2)
        s.window("PrmDlg")
        s.wait_active("PrmDlg")
        return s.widget("Scroll1", "PrmDlg") if sync else None

    def editor_still_there(self, after):
        s = self.s
        try:
            s.wait_active("PrmDlg")
        except AssertionError:
            shown = s.window_shown("PrmDlg")
            self.fail(f"after {after} the position editor is " +
                      ("shown but not active" if shown else "gone (it vanished)"))

    def test_dragging_a_slider_sends_live_frames_and_the_released_position_last(self):
        s = self.s
        self.open_editor()
        mark = s.trace.mark()
        s.drag_slider("Scroll1", "PrmDlg", 0.75)
        released = s.steady(lambda m: s.find("Scroll1", "PrmDlg", m), "the slider to rest")["value"]
        self.assertGreater(released, CENTRE)

        def channel_one_words():
            words = [live_servo(f)[1] for f in s.trace.frames(mark)
                     if live_servo(f) and live_servo(f)[0] == 0]
            return words if words and words[-1] == released else None
        words = wait_for(channel_one_words, f"the released position {released} on the wire")
        self.assertGreater(len(set(words)), 2, f"the drag sent too few live frames: {words}")
        self.assertEqual(words, sorted(words), "live frames out of order")

        # The chart holds the released position.
        self.close_editor()
        path = os.path.join(s.work, "pose.QVB")
        s.save_as(path)
        position = [o for o in s.dump_chart(path)["objects"] if o["type"] == 0][0]
        self.assertEqual(position["values"][0], released)

    def close_editor(self):
        self.s.close_window("PrmDlg")

    def cancel_port_dialog(self, title):
        s = self.s
        s.window("PortDlg")
        s.wait_active("PortDlg")
        dlg = [w for w in s.map()["windows"] if w["name"] == "PortDlg"][0]
        self.assertEqual(dlg["title"], title)
        s.click("Button1", "PortDlg")
        s.window_gone("PortDlg")

    def test_the_editor_stays_after_each_dialog_opened_from_it(self):
        s = self.s
        self.open_editor(sync=False)

        s.choose("LinkList", "New Link", "PrmDlg", then_dialog=True)
        self.cancel_port_dialog("Link Editing")
        self.editor_still_there("the link dialog")

        for item, title in (("Name", "Change of the name"),
                            ("Display Scale Factor", "Display Scale Factor")):
            s.click("Label1", "PrmDlg", button=3)
            s.menu_item(item)
            self.cancel_port_dialog(title)
            self.editor_still_there(f"the {item} dialog")

        # The picture is offered on the editor's background, right of the button bar.
        editor = next(w for w in s.map()["windows"] if w["name"] == "PrmDlg")
        s.click_at(editor["x"] + editor["w"] - 8, editor["y"] + editor["h"] - 8, button=3)
        s.menu_item("Background Image")
        wait_for(lambda: s.map().get("activeClass") == "QFileDialog", "the picture's file dialog")
        s.key("Escape")
        wait_for(lambda: not any(w["class"] == "QFileDialog" for w in s.map()["windows"]),
                 "the file dialog to close")
        self.editor_still_there("the picture's file dialog")

    def test_a_name_entered_in_the_name_dialog_reaches_the_board_and_the_panel(self):
        s = self.s
        self.open_editor(sync=False)
        s.click("Label1", "PrmDlg", button=3)
        s.menu_item("Name")
        s.window("PortDlg")
        s.wait_active("PortDlg")
        s.click("Cmb1", "PortDlg")
        s.key("ctrl+a")
        s.type("ARM")
        mark = s.trace.mark()
        s.click("OKBtn", "PortDlg")
        s.window_gone("PortDlg")
        s.trace.wait_frame(lambda f: b"ARM" in f, "the channel name written to the board",
                           since=mark)
        self.editor_still_there("the name dialog")
        s.widget("Label1", "PrmDlg", condition=lambda w: w["text"] == "ARM",
                 what="CH1's panel to read ARM")


if __name__ == "__main__":
    unittest.main()
