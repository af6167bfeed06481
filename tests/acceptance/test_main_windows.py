"""The main window's own small windows: the about box, the properties dialog, the question about
unsaved changes and the count asked for by Insert."""

import os
import unittest

from harness import AcceptanceTest, wait_for


class MainWindows(AcceptanceTest):

    def path(self, name):
        return os.path.join(self.s.work, name)

    def title(self):
        return next(w["title"] for w in self.s.map()["windows"] if w["name"] == "Brivane3")

    def test_the_about_box_shows_the_boards_version_text(self):
        s = self.s
        mark = s.trace.mark()
        s.click("InfoBtn", "Brivane3")
        s.window("InfoDlg")
        text = s.widget("StaticText1", "InfoDlg", condition=lambda w: w["text"].strip(),
                        what="the board's version text")["text"]
        self.assertGreaterEqual(len(text.splitlines()), 2, text)
        self.assertTrue(s.trace.host_bytes(mark), "the version was not asked of the board")
        s.wait_active("InfoDlg")
        s.key("Escape")
        s.window_gone("InfoDlg")

    def test_properties_resize_the_canvas_hide_a_toolbar_and_the_grid_is_kept(self):
        s = self.s
        s.click("FormBtn", "Brivane3")
        s.window("FormDlg")
        s.wait_active("FormDlg")
        s.focus("GridX", "FormDlg")
        s.key("ctrl+a")
        s.type("8")
        s.focus("FormWidth", "FormDlg")
        s.key("ctrl+a")
        s.type("900")
        s.click("ViewCmdMenu", "FormDlg")  # the board commands' toolbar
        s.widget("ViewCmdMenu", "FormDlg", condition=lambda w: not w.get("checked"))
        s.click("ReWriteBtn", "FormDlg")
        s.window_gone("FormDlg")
        s.widget("Image1", "Brivane3", condition=lambda w: w["w"] == 900,
                 what="the canvas 900 wide")
        wait_for(lambda: s.find("MotWriteBtn", "Brivane3") is None, "the toolbar to hide")
        # Ended as a session's end ends it (a signal), the settings are still kept.
        s.quit_editor()
        ini = s.read(os.path.join(s.config, "BRV3.ini"))
        self.assertIn("GridWidth=8", ini, "the grid spacing was not kept")
        self.assertIn("CommPort=1", ini, "the chosen port was not kept")

    def test_unsaved_changes_are_asked_about_and_cancel_keeps_them(self):
        s = self.s
        s.place("SetItem2Btn", 60, 40)
        wait_for(lambda: self.title().startswith("*"), "the unsaved mark")
        s.menu("File", "New")
        s.window("SaveChangesBox")
        s.wait_active("SaveChangesBox")
        s.key("Escape")  # Cancel: the chart stays as it is
        s.window_gone("SaveChangesBox")
        self.assertTrue(self.title().startswith("*"), "Cancel dropped the changes")

        s.menu("File", "New")
        s.window("SaveChangesBox")
        s.wait_active("SaveChangesBox")
        s.key("Return")  # Save, which asks for a name first
        s.file_dialog(self.path("kept.QVB"))
        wait_for(lambda: os.path.exists(self.path("kept.QVB")), "the chart saved")
        wait_for(lambda: not self.title().startswith("*"), "a clean new chart")
        self.assertEqual([o["type"] for o in s.dump_chart(self.path("kept.QVB"))["objects"]],
                         [1])

    def test_insert_asks_for_a_count_and_adds_that_many_positions(self):
        s = self.s
        s.place("SetItem1Btn", 60, 40)
        s.place("SetItem1Btn", 260, 40)
        # A rubber band around both selects them.
        s.drag(s.canvas_point(20, 10), s.canvas_point(340, 90))
        s.click_at(*s.canvas_point(70, 50), button=3)
        s.menu_item("Insert")
        s.window("InputTextDialog")
        s.wait_active("InputTextDialog")
        s.key("ctrl+a")
        s.type("3")
        s.key("Return")
        s.window_gone("InputTextDialog")
        s.save_as(self.path("inserted.QVB"))
        types = [o["type"] for o in s.dump_chart(self.path("inserted.QVB"))["objects"]]
        self.assertEqual(types, [0] * 5)


if __name__ == "__main__":
    unittest.main()
