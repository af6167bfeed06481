"""The chart as a whole: File > New / Open / Save, undo and redo, writing to the board, the
table window and the data dialog."""

import os
import unittest

from harness import DATA_DIR, AcceptanceTest, wait_for

WALK = os.path.abspath(os.path.join(DATA_DIR, "walk.QVB"))


class ChartFiles(AcceptanceTest):

    def path(self, name):
        return os.path.join(self.s.work, name)

    def title(self):
        return next(w["title"] for w in self.s.map()["windows"] if w["name"] == "Brivane3")

    def open_file(self, path):
        s = self.s
        s.key("ctrl+o")
        s.file_dialog(path)

    def test_open_save_as_and_new(self):
        s = self.s
        # A chart built from scratch names itself as a new chart does.
        s.place("SetItem2Btn", 60, 40)
        s.save_as(self.path("fresh.QVB"))
        fresh_name = s.dump_chart(self.path("fresh.QVB"))["name"]

        self.open_file(WALK)
        wait_for(lambda: "歩行テスト" in self.title() or "walk" in self.title(),
                 "the title to name the opened chart")
        s.save_as(self.path("copy.QVB"))
        original, copy = s.dump_chart(WALK), s.dump_chart(self.path("copy.QVB"))
        self.assertEqual(copy["name"], original["name"])
        self.assertEqual(copy["objects"], original["objects"])

        s.menu("File", "New")
        wait_for(lambda: not self.title().startswith("*"), "a clean new chart")
        s.place("SetItem3Btn", 60, 40)
        s.save_as(self.path("new.QVB"))
        new = s.dump_chart(self.path("new.QVB"))
        self.assertEqual([o["type"] for o in new["objects"]], [2], "New kept the old objects")
        self.assertEqual(new["name"], fresh_name, "File > New kept the previous chart's name")

    def test_undo_and_redo_of_placing_and_of_a_dialog_choice(self):
        s = self.s
        s.place("SetItem2Btn", 60, 40)
        s.place("SetItem3Btn", 60, 120)
        s.key("ctrl+z")  # takes back the Compare object
        s.save_as(self.path("undone.QVB"))
        self.assertEqual([o["type"] for o in s.dump_chart(self.path("undone.QVB"))["objects"]],
                         [1])
        s.menu("Edit", "Redo")
        s.key("ctrl+s")
        wait_for(lambda: [o["type"] for o in s.dump_chart(self.path("undone.QVB"))["objects"]]
                 == [1, 2], "the Compare object back after Redo")

        # A choice in the Set dialog is one step too.
        s.click_at(*s.canvas_point(70, 50), repeat=2)
        s.window("SetDlg")
        s.choose("CycleList", "25ms", "SetDlg")
        s.close_window("SetDlg")
        s.wait_active("Brivane3")
        s.key("ctrl+s")
        timebase_25ms = 65527 + 4
        wait_for(lambda: s.dump_chart(self.path("undone.QVB"))["objects"][0]["values"] ==
                 [timebase_25ms] * 24, "the timebase saved")
        s.menu("Edit", "Undo")
        s.key("ctrl+s")
        wait_for(lambda: s.dump_chart(self.path("undone.QVB"))["objects"][0]["values"] !=
                 [timebase_25ms] * 24, "the timebase taken back by Undo")
        self.assertEqual(len(s.dump_chart(self.path("undone.QVB"))["objects"]), 2)

    def test_write_to_a_slot_then_the_table_window_and_the_data_dialog(self):
        s = self.s
        self.open_file(WALK)
        s.save_as(self.path("walk.QVB"))
        wait_for(lambda: not self.title().startswith("*"), "a clean title after saving")
        s.click("MotWriteBtn", "Brivane3")
        s.window("NumberSelectDialog")
        s.choose("Combo", "M5", "NumberSelectDialog", prefix=True)
        mark = s.trace.mark()
        s.click("OkButton", "NumberSelectDialog")
        # walk.QVB has an object the start never reaches: the write asks first.
        s.window("MsgBox")
        s.wait_active("MsgBox")
        s.key("Return")
        s.window_gone("MsgBox")
        wait_for(lambda: "M5" in s.status_text() or len(s.trace.frames(mark)) > 5,
                 "the write to start")
        s.wait_active("Brivane3")
        # The table window lists the slot once read.
        s.click("TableBtn", "Brivane3")
        s.window("TableDlg")
        s.click("MotReadBtn", "TableDlg")
        for _ in range(2):  # reading frees the servos: the editor asks first
            m = s.fresh_map()
            if any(w["name"] == "MsgBox" for w in m["windows"]):
                s.wait_active("MsgBox")
                s.key("Return")
                s.window_gone("MsgBox")
        s.widget("ListView", "TableDlg",
                 condition=lambda w: any(r["text"].startswith("M5") and "歩行テスト" in r["text"]
                                         for r in w.get("items", [])),
                 what="the table listing M5")

        s.close_window("TableDlg")

        # The data dialog renames the open chart, undoably.
        s.wait_active("Brivane3")
        s.click_at(*s.canvas_point(400, 300), repeat=2)
        s.window("DataDlg")
        s.focus("MotName", "DataDlg")
        s.key("ctrl+a")
        s.type("renamed")
        s.click("Button1", "DataDlg")
        s.window_gone("DataDlg")
        wait_for(lambda: self.title().startswith("*"), "the title to mark the rename unsaved")
        s.save_as(self.path("renamed.QVB"))
        self.assertEqual(s.dump_chart(self.path("renamed.QVB"))["name"], "renamed")
        s.menu("Edit", "Undo")
        s.key("ctrl+s")
        wait_for(lambda: s.dump_chart(self.path("renamed.QVB"))["name"] == "歩行テスト",
                 "Undo to take the rename back")
        self.assertEqual(s.dump_chart(self.path("renamed.QVB"))["objects"],
                         s.dump_chart(WALK)["objects"], "Undo took back more than the rename")

    def test_the_table_button_shows_and_hides_the_table_window(self):
        s = self.s
        s.click("TableBtn", "Brivane3")
        s.window("TableDlg")
        s.click("TableBtn", "Brivane3")
        s.window_gone("TableDlg")


if __name__ == "__main__":
    unittest.main()
