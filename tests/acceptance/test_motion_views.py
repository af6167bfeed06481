"""What the editor shows of a motion and of the board's memory: the Curves dock, slot lists that
were never read, the LIST sheet after a Read, and a pose taken from the robot by hand (Snapshot)."""

import os
import subprocess
import unittest

from harness import DATA_DIR, DEADLINE, AcceptanceTest, tool, wait_for

WALK = os.path.abspath(os.path.join(DATA_DIR, "walk.QVB"))
WORD_FREE = 0x8002  # a freed servo in a pose write
WORD_CAPTURE = 0x8006  # "report where the hand left me" in a pose write


def pose_write(frame):
    """The 24 words of a live pose write FD 01 00 00 HEAD W1..W24, else None."""
    if frame[1:5] != b"\xfd\x01\x00\x00" or len(frame) < 6 + 48:
        return None
    return [frame[6 + 2 * c] << 8 | frame[7 + 2 * c] for c in range(24)]


def answer_questions(s, key="Return"):
    """Answers each message box that comes up until none is left."""
    while any(w["name"] == "MsgBox" for w in s.fresh_map()["windows"]):
        s.wait_active("MsgBox")
        s.key(key)
        s.window_gone("MsgBox")


class MotionViews(AcceptanceTest):

    def open_walk(self):
        s = self.s
        s.key("ctrl+o")
        s.file_dialog(WALK)
        s.wait_active("Brivane3")

    def test_the_curves_dock_plots_the_open_chart_and_hides_a_clicked_channel(self):
        s = self.s
        s.menu("View", "Curves")
        s.widget("CurvesDock", "Brivane3")
        # An empty chart has nothing to plot and says so.
        s.widget("CurvesMessage", "Brivane3", condition=lambda w: w["text"])
        self.open_walk()
        view = s.widget("CurvesView", "Brivane3", what="the curves of the opened chart")
        self.assertGreaterEqual(view["w"], 400, "the plot shrank below a useful width")
        legend = s.widget("CurvesLegend", "Brivane3", condition=lambda w: w.get("items"),
                          what="the channel list")
        first = legend["items"][0]
        self.assertTrue(first["text"].startswith("CH"), first["text"])
        self.assertTrue(first.get("checked"), "a channel starts hidden")
        s.click_at(*s.centre(first))
        s.widget("CurvesLegend", "Brivane3",
                 condition=lambda w: not w["items"][0].get("checked", True),
                 what=f"{first['text']} struck out after a click")
        # Closing the dock and opening it again shows the chart as it is now.
        s.menu("View", "Curves")
        wait_for(lambda: s.find("CurvesView", "Brivane3") is None, "the dock to close")
        s.menu("File", "New")
        answer_questions(s, "n")  # nothing to save: the opened chart is unchanged
        s.menu("View", "Curves")
        s.widget("CurvesMessage", "Brivane3", condition=lambda w: w["text"],
                 what="the new, empty chart's message after reopening")


class SlotListsNotRead(AcceptanceTest):
    """A board that holds a motion before the editor ever read its table."""

    choose_port = False

    def test_slot_lists_say_not_read_until_the_table_is_read_on_request(self):
        s = self.s
        out = subprocess.run([tool("brivane3-cli"), "--port", s.link, "--yes", "write", WALK,
                              "--slot", "M5"], capture_output=True, text=True, timeout=DEADLINE)
        self.assertEqual(out.returncode, 0, out.stderr)
        s.choose_com1()

        s.click("OptionBtn", "Brivane3")
        s.window("OptDlg")
        s.wait_active("OptDlg")
        s.widget("ReadTableBtn", "OptDlg", what="the offer to read the table")
        rows = self.popup_rows("StartList")
        self.assertTrue(any(r.startswith("M5") and "not read" in r for r in rows), rows)

        # Reading frees the servos, so the editor asks first and sends nothing before the answer.
        mark = s.trace.mark()
        s.click("ReadTableBtn", "OptDlg")
        s.window("MsgBox")
        s.wait_active("MsgBox")
        self.assertEqual(s.trace.host_bytes(mark), [], "the table was read before the answer")
        s.key("Return")
        s.window_gone("MsgBox")
        wait_for(lambda: s.find("ReadTableBtn", "OptDlg") is None, "the offer to go once read")
        rows = self.popup_rows("StartList")
        self.assertTrue(any(r.startswith("M5") and "歩行テスト" in r for r in rows), rows)
        self.assertFalse(any("not read" in r for r in rows), rows)
        s.key("Escape")
        s.window_gone("OptDlg")

    def popup_rows(self, combo):
        """The rows of a drop-down list, opened with a click and closed with Escape."""
        s = self.s
        s.click(combo, "OptDlg")
        popup = s.steady(lambda m: s.find(combo + "/popup", None, m) if
                         (s.find(combo + "/popup", None, m) or {}).get("items") else None,
                         f"the popup of {combo}")
        rows = [r["text"] for r in popup["items"]]
        # The fifth motion may lie below the fold: scroll to it as a person would.
        while not any(r.startswith("M5") for r in rows):
            s.move_to(*s.centre(popup))
            s.xdo("click", 5)
            popup = s.steady(lambda m: s.find(combo + "/popup", None, m), "the list to scroll")
            if [r["text"] for r in popup["items"]] == rows:
                break
            rows = [r["text"] for r in popup["items"]]
        s.key("Escape")
        wait_for(lambda: s.find(combo + "/popup") is None, f"the popup of {combo} to close")
        return rows


class ReadAndSnapshot(AcceptanceTest):

    def test_a_read_of_an_empty_slot_empties_the_list_sheet(self):
        s = self.s
        self.open_walk_and_compile()
        s.click("MotReadBtn", "Brivane3")
        s.window("NumberSelectDialog")
        s.choose("Combo", "M7", "NumberSelectDialog", prefix=True)
        s.click("OkButton", "NumberSelectDialog")
        s.window_gone("NumberSelectDialog")
        answer_questions(s)
        self.show_list_sheet()
        s.widget("Qvb", "Brivane3", condition=lambda w: not w.get("items"),
                 what="an empty LIST sheet after reading an empty slot")

    def open_walk_and_compile(self):
        s = self.s
        s.key("ctrl+o")
        s.file_dialog(WALK)
        s.wait_active("Brivane3")
        s.click("CompileBtn", "Brivane3")
        answer_questions(s)
        self.show_list_sheet()
        s.widget("Qvb", "Brivane3", condition=lambda w: w.get("items"),
                 what="the compiled listing on the LIST sheet")

    def show_list_sheet(self):
        s = self.s
        tabs = wait_for(lambda: next((w for w in s.map()["widgets"] if w["class"] == "QTabBar"
                                      and w.get("window") == "Brivane3" and
                                      any(t["text"] == "LIST" for t in w.get("items", []))),
                                     None), "the LIST tab")
        tab = next(t for t in tabs["items"] if t["text"] == "LIST")
        if tabs["value"] != tab["row"]:
            s.click_at(*s.centre(tab))
        s.widget("Qvb", "Brivane3")

    def test_snapshot_frees_the_touched_servo_and_takes_where_the_hand_left_it(self):
        s = self.s
        s.click("Sync", "Brivane3")
        s.widget("Sync", "Brivane3", condition=lambda w: w.get("checked"))
        s.place("SetItem1Btn", 120, 80)
        s.click_at(*s.canvas_point(130, 90), repeat=2)
        s.window("PrmDlg")
        s.widget("Scroll1", "PrmDlg")
        # A link whose first channel is touched by hand.
        s.choose("LinkList", "New Link", "PrmDlg", then_dialog=True)
        s.window("PortDlg")
        s.wait_active("PortDlg")
        s.click("ListMenu", "PortDlg", dx=20)
        s.key("ctrl+a")
        s.type("hand")
        s.click("Cmb1", "PortDlg", dx=20)
        s.key("ctrl+a")
        s.type("TCH")
        s.click("OKBtn", "PortDlg")
        s.window_gone("PortDlg")
        s.wait_active("PrmDlg")
        s.choose("LinkList", "hand", "PrmDlg")

        mark = s.trace.mark()
        s.click("TchBtn", "PrmDlg")  # first press: CH1 goes limp
        s.trace.wait_frame(lambda f: (pose_write(f) or [0])[0] == WORD_FREE,
                           "CH1 freed on the robot", since=mark)
        s.sim_command("move 1 16684")  # the hand turns the servo
        mark = s.trace.mark()
        s.click("TchBtn", "PrmDlg")  # second press: where is it now?
        s.trace.wait_frame(lambda f: (pose_write(f) or [0])[0] == WORD_CAPTURE,
                           "CH1 asked for its position", since=mark)
        s.widget("Scroll1", "PrmDlg", condition=lambda w: w["value"] == 16684,
                 what="CH1's slider at the position the hand left")
        s.close_window("PrmDlg")
        path = os.path.join(s.work, "taken.QVB")
        s.save_as(path)
        self.assertEqual(s.dump_chart(path)["objects"][0]["values"][0], 16684)


if __name__ == "__main__":
    unittest.main()
