"""The program's language: Japanese on a Japanese desktop, English otherwise, and View > Language
choosing one for the next start. Screenshots of the windows in each language are kept."""

import re
import unittest

from harness import AcceptanceTest, wait_for

JAPANESE = re.compile(r"[\u3040-\u30ff\u4e00-\u9fff]")
# Two English words in a row: a caption or sentence left untranslated.
ENGLISH_WORDS = re.compile(r"[A-Za-z]{3,} [a-z]{3,}")


class Language(AcceptanceTest):
    choose_port = False

    def texts(self, window):
        snap = self.s.map()
        found = []
        found += [w["title"] for w in snap["windows"] if w["name"] == window and w["title"]]
        for w in snap["widgets"]:
            if w.get("window") != window:
                continue
            if w.get("text"):
                found.append(w["text"])
            for item in w.get("items", []):
                if item.get("text"):
                    found.append(item["text"])
        return found

    def menu_titles(self):
        bar = wait_for(lambda: next((w for w in self.s.map()["widgets"]
                                     if w["class"] == "QMenuBar" and w.get("items")), None),
                       "the menu bar")
        return [i["text"] for i in bar["items"]]

    def restart(self, **env):
        self.s.quit_editor()
        self.s.start_editor(extra_env=env)

    def open_set_dialog(self):
        s = self.s
        s.place("SetItem2Btn", 60, 40)
        s.click_at(*s.canvas_point(70, 50), repeat=2)
        s.window("SetDlg")
        s.wait_active("SetDlg")

    def test_a_japanese_desktop_gets_japanese_windows(self):
        s = self.s
        self.restart(LC_ALL="ja_JP.UTF-8")
        titles = self.menu_titles()
        self.assertTrue(all(JAPANESE.search(t) for t in titles), titles)
        s.screenshot("japanese-main")
        self.open_set_dialog()
        dialog = [t for t in self.texts("SetDlg") if JAPANESE.search(t)]
        self.assertTrue(dialog, "the Set dialog shows no Japanese")
        s.screenshot("japanese-set-dialog")
        s.close_window("SetDlg")
        s.click("InfoBtn", "Brivane3")
        s.window("InfoDlg")
        s.screenshot("japanese-about")
        s.wait_active("InfoDlg")
        s.key("Escape")
        s.window_gone("InfoDlg")
        untranslated = [t for t in self.texts("Brivane3") if ENGLISH_WORDS.search(t)]
        self.assertEqual(untranslated, [], "English left in the Japanese main window")

    def test_an_english_desktop_has_no_japanese_and_the_menu_chooses_it_for_the_next_start(self):
        s = self.s
        titles = self.menu_titles()
        self.assertFalse(any(JAPANESE.search(t) for t in titles), titles)
        shown = [t for t in self.texts("Brivane3")
                 if JAPANESE.search(t) and "(Japanese)" not in t]
        self.assertEqual(shown, [], "Japanese in the English main window")
        s.screenshot("english-main")
        self.open_set_dialog()
        s.screenshot("english-set-dialog")
        s.close_window("SetDlg")

        s.menu("View", "Language", "日本語 (Japanese)")
        s.window("MsgBox")
        s.wait_active("MsgBox")
        s.key("Return")
        s.window_gone("MsgBox")
        ini = s.read(s.config + "/BRV3.ini")
        self.assertIn("Language=ja", ini)

        self.restart()
        titles = self.menu_titles()
        self.assertTrue(all(JAPANESE.search(t) for t in titles), titles)


if __name__ == "__main__":
    unittest.main()
