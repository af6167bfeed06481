"""The Set, Compare and Mix dialogs, opened by double-clicking a part placed with the toolbar."""

import os
import unittest

from harness import AcceptanceTest, wait_for

# Words the board reads (the same on every channel of a Set or Compare object).
LOOP_COUNTER_7 = 33287 + 7
TIMEBASE_20MS = 65527 + 2
COMPARE_AD1_CHANGE = 35846
MIX = 6  # the object type of a Mix object in a chart file
MIX_OFF = 36614
MIX_AD1_P_TIMES_5 = 36614 + (0x80 | 5)
MIX_AD2_R_TIMES_MINUS_3 = 64756 + (0x80 | 0x40 | 3)
MIX_AD3_P_TIMES_2 = 37126 + (0x80 | 2)


def live_pose_words(frame):
    """The 24 channel words of a live pose write (FD 01 00 00, head, 24 words, checksum)."""
    if len(frame) < 54 or frame[1:5] != b"\xfd\x01\x00\x00":
        return None
    body = frame[5:]
    return [body[1 + 2 * i] << 8 | body[2 + 2 * i] for i in range(24)]


class ObjectDialogs(AcceptanceTest):

    def chart_path(self):
        return os.path.join(self.s.work, "chart.QVB")

    def object_of_type(self, chart, kind):
        objects = [o for o in chart["objects"] if o["type"] == kind]
        self.assertEqual(len(objects), 1, chart["objects"])
        return objects[0]

    def open_part(self, tool_button, dialog, x=120, y=80):
        s = self.s
        s.place(tool_button, x, y)
        s.click_at(*s.canvas_point(x + 10, y + 10), repeat=2)
        s.window(dialog)
        s.wait_active(dialog)

    def close_dialog(self, dialog):
        """Alt+F4 to the window manager, as a person closes a tool window."""
        self.s.close_window(dialog)

    def test_set_dialog_keeps_a_list_choice_and_a_typed_count(self):
        s = self.s
        self.open_part("SetItem2Btn", "SetDlg")
        s.choose("CycleList", "20ms", "SetDlg", keyboard=True)
        self.close_dialog("SetDlg")
        s.save_as(self.chart_path())
        chart = s.dump_chart(self.chart_path())
        self.assertEqual(self.object_of_type(chart, 1)["values"], [TIMEBASE_20MS] * 24)

        # Reopened it shows the choice; a loop count typed and entered replaces it.
        s.click_at(*s.canvas_point(130, 90), repeat=2)
        s.widget("CycleList", "SetDlg", condition=lambda w: w["text"] == "20ms")
        s.widget("RadBtn5", "SetDlg", condition=lambda w: w.get("checked"))
        s.click("RadBtn2", "SetDlg")
        s.focus("Edit1", "SetDlg")
        s.key("ctrl+a")
        s.type("7")
        s.key("Return")
        s.widget("NumBar", "SetDlg", condition=lambda w: w["value"] == 7)
        self.close_dialog("SetDlg")
        s.key("ctrl+s")
        wait_for(lambda: self.object_of_type(s.dump_chart(self.chart_path()), 1)["values"] ==
                 [LOOP_COUNTER_7] * 24, "the loop count in the saved chart")

    def test_compare_dialog_stores_the_clicked_condition(self):
        s = self.s
        self.open_part("SetItem3Btn", "CompDlg")
        s.click("RadBtn2", "CompDlg")
        self.close_dialog("CompDlg")
        s.save_as(self.chart_path())
        chart = s.dump_chart(self.chart_path())
        self.assertEqual(self.object_of_type(chart, 2)["values"], [COMPARE_AD1_CHANGE] * 24)
        s.click_at(*s.canvas_point(130, 90), repeat=2)
        s.widget("RadBtn2", "CompDlg", condition=lambda w: w.get("checked"))

    def test_mix_dialog_sends_and_stores_choices_made_by_mouse_and_keyboard(self):
        s = self.s
        s.click("Sync", "Brivane3")
        s.widget("Sync", "Brivane3", condition=lambda w: w.get("checked"))
        self.open_part("SetItem4Btn", "MixDlg")
        mark = s.trace.mark()
        s.choose("MixNum1", "AD1-P", "MixDlg")
        s.choose("MixList1", "x 5", "MixDlg")
        s.choose("MixNum2", "AD2-R", "MixDlg", keyboard=True)
        s.choose("MixList2", "x -3", "MixDlg", keyboard=True)
        s.choose("MixNum3", "AD3-P", "MixDlg")
        s.choose("MixList3", "x 2", "MixDlg", keyboard=True)
        want = [MIX_AD1_P_TIMES_5, MIX_AD2_R_TIMES_MINUS_3, MIX_AD3_P_TIMES_2] + [MIX_OFF] * 21
        # With SYNC the robot gets the mixing pose live after each choice; the last one holds all.
        s.trace.wait_frame(lambda f: live_pose_words(f) == want,
                           "a live pose carrying the three mixing choices", since=mark)
        self.close_dialog("MixDlg")
        s.save_as(self.chart_path())
        self.assertEqual(self.object_of_type(s.dump_chart(self.chart_path()), MIX)["values"], want)

        s.click_at(*s.canvas_point(130, 90), repeat=2)
        for name, text in (("MixNum1", "AD1-P"), ("MixList1", "x 5"), ("MixNum2", "AD2-R"),
                           ("MixList2", "x -3"), ("MixNum3", "AD3-P"), ("MixList3", "x 2")):
            s.widget(name, "MixDlg", condition=lambda w, t=text: w["text"] == t,
                     what=f"{name} to show {text} again")


if __name__ == "__main__":
    unittest.main()
