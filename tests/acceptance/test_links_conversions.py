"""Links (the position editor's LINK list) and conversions (Convert in the canvas menu), kept in
PATTERN.ini beside BRV3.ini."""

import os
import unittest

from harness import DATA_DIR, AcceptanceTest, wait_for

WALK = os.path.abspath(os.path.join(DATA_DIR, "walk.QVB"))


def channel_one_word(frame):
    """CH1's word in a live servo command or a live pose write, else None."""
    if frame[1:4] == b"\xfe\x00\x00" and len(frame) >= 7:
        return frame[5] << 8 | frame[6]
    if frame[1:5] == b"\xfd\x01\x00\x00" and len(frame) >= 8:
        return frame[6] << 8 | frame[7]
    return None


class LinksAndConversions(AcceptanceTest):

    def pattern_ini(self):
        return self.s.read(os.path.join(self.s.config, "PATTERN.ini"))

    def fill_port_dialog(self, name, first_entry):
        s = self.s
        s.window("PortDlg")
        s.wait_active("PortDlg")
        s.click("ListMenu", "PortDlg", dx=20)
        s.key("ctrl+a")
        s.type(name)
        s.click("Cmb1", "PortDlg", dx=20)
        s.key("ctrl+a")
        s.type(first_entry)
        s.click("OKBtn", "PortDlg")
        s.window_gone("PortDlg")

    def test_a_new_link_is_kept_and_moves_the_robot_one_step(self):
        s = self.s
        s.click("Sync", "Brivane3")
        s.widget("Sync", "Brivane3", condition=lambda w: w.get("checked"))
        s.place("SetItem1Btn", 120, 80)
        s.click_at(*s.canvas_point(130, 90), repeat=2)
        s.window("PrmDlg")
        s.widget("Scroll1", "PrmDlg")  # the object took the board's pose: CH1 is a servo
        s.choose("LinkList", "New Link", "PrmDlg", then_dialog=True)
        self.fill_port_dialog("step", "MOV(50)")
        wait_for(lambda: "step" in self.pattern_ini() and "MOV(50)" in self.pattern_ini(),
                 "the link in PATTERN.ini")
        s.choose("LinkList", "step", "PrmDlg")
        before = s.find("Scroll1", "PrmDlg")["value"]
        mark = s.trace.mark()
        s.click("LinkAddBtn", "PrmDlg")
        s.widget("Scroll1", "PrmDlg", condition=lambda w: w["value"] == before + 50,
                 what="CH1 moved by the link")
        s.trace.wait_frame(lambda f: channel_one_word(f) == before + 50,
                           "the linked position sent to the robot", since=mark)
        s.close_window("PrmDlg")
        path = os.path.join(s.work, "linked.QVB")
        s.save_as(path)
        self.assertEqual(s.dump_chart(path)["objects"][0]["values"][0], before + 50)

    def test_a_link_saved_in_the_new_link_dialog_returns_to_the_editor(self):
        # After the save the editor is back in front and its list shows "New Link" (no link is
        # chosen until the user picks the saved one).
        s = self.s
        s.place("SetItem1Btn", 120, 80)
        s.click_at(*s.canvas_point(130, 90), repeat=2)
        s.window("PrmDlg")
        s.choose("LinkList", "New Link", "PrmDlg", then_dialog=True)
        self.fill_port_dialog("step", "MOV(50)")
        s.wait_active("PrmDlg")
        s.widget("LinkList", "PrmDlg", condition=lambda w: w["text"] == "New Link",
                 what="the editor's LINK list showing New Link")
        wait_for(lambda: "step" in self.pattern_ini(), "the link in PATTERN.ini")

    def test_a_conversion_changes_the_chosen_object_and_is_kept(self):
        s = self.s
        s.key("ctrl+o")
        s.file_dialog(WALK)
        walk = s.dump_chart(WALK)
        first = walk["objects"][0]
        # A right click on the first object chooses it and opens the canvas menu.
        s.click_at(*s.canvas_point(first["left"] + 10, first["top"] + 10), button=3)
        s.menu_item("Convert", closes=False)
        self.fill_port_dialog("lift", "ADD(100)")
        wait_for(lambda: "lift" in self.pattern_ini() and "ADD(100)" in self.pattern_ini(),
                 "the conversion in PATTERN.ini")
        path = os.path.join(s.work, "converted.QVB")
        s.save_as(path)
        converted = s.dump_chart(path)["objects"][0]
        self.assertEqual(converted["values"][0], first["values"][0] + 100)
        self.assertEqual(converted["values"][1], first["values"][1], "only CH1 has a row")


if __name__ == "__main__":
    unittest.main()
