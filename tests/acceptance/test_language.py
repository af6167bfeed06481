"""The program's language: Japanese on a Japanese desktop, English otherwise, and View > Language
choosing one for the next start. Every tool window and object editor is opened with the mouse in
Japanese, three of them in English; a screenshot of each is kept."""

import re
import unittest

from harness import AcceptanceTest, wait_for

JAPANESE = re.compile(r"[\u3040-\u30ff\u4e00-\u9fff]")
# An English word (three or more letters, some small) in a Japanese window: a caption left
# untranslated. The program's name and units read the same in both languages.
ENGLISH_WORD = re.compile(r"(?<![A-Za-z0-9_])[A-Za-z]*[a-z][A-Za-z]*(?![A-Za-z0-9_])")
ALLOWED_WORDS = {"Brivane", "Part3", "ms", "sec", "Hz", "mV"}
# What reads the same in both languages: the program's full name, and what the board says of
# itself (the about box's version lines).
SAME_IN_BOTH = {"Brivane 3 for Linux"}
BOARD_TEXT = {"StaticText1"}

# The windows a user opens: the Tools toolbar's buttons, the parts' dialogs (placed with the
# parts toolbar, then double-clicked), and the table.
TOOLS = [("HomeBtn", "HomeDlg"), ("OptionBtn", "OptDlg"), ("AdBtn", "AdDlg"),
         ("SVLBtn", "SVLDlg"), ("OptionMenu3", "PropoDlg"), ("TableBtn", "TableDlg")]
# Windows whose captions on the screen are all technical tokens (CH1, SPEED, AD1-P, x 5).
NO_WORDS = {"PrmDlg", "MixDlg"}
PARTS = [("SetItem1Btn", "PrmDlg", 60, 40), ("SetItem2Btn", "SetDlg", 60, 140),
         ("SetItem3Btn", "CompDlg", 220, 40), ("SetItem4Btn", "MixDlg", 220, 140)]


def english_words(text):
    return [w for w in ENGLISH_WORD.findall(text) if len(w) >= 3 and w not in ALLOWED_WORDS]


class Language(AcceptanceTest):
    choose_port = False

    def texts(self, window):
        snap = self.s.map()
        found = []
        found += [w["title"] for w in snap["windows"] if w["name"] == window and w["title"]]
        for w in snap["widgets"]:
            if w.get("window") != window or w["name"] in BOARD_TEXT:
                continue
            if w.get("text"):
                found.append(w["text"])
            for item in w.get("items", []):
                if item.get("text"):
                    found.append(item["text"])
        return found

    def clipped(self, window):
        """Named captions of `window` narrower than their text."""
        return [w["name"] + ": " + w.get("text", "") for w in self.s.map()["widgets"]
                if w.get("window") == window and w.get("clipped")]

    def menu_titles(self):
        bar = wait_for(lambda: next((w for w in self.s.map()["widgets"]
                                     if w["class"] == "QMenuBar" and w.get("items")), None),
                       "the menu bar")
        return [i["text"] for i in bar["items"]]

    def restart(self, **env):
        self.s.quit_editor()
        self.s.start_editor(extra_env=env)

    def open_tool(self, button, window):
        s = self.s
        s.click(button, "Brivane3")
        s.window(window)
        s.wait_active(window)
        if window == "TableDlg":
            return
        # The SVL list first asks for the board's power cycle.
        if s.window_shown("MsgBox"):
            s.wait_active("MsgBox")
            s.key("Return")
            s.window_gone("MsgBox")
            s.wait_active(window)

    def close_tool(self, button, window):
        s = self.s
        if window == "TableDlg":
            s.click(button, "Brivane3")  # the button shows and hides the table
            s.window_gone(window)
        else:
            s.wait_active(window)
            s.key("Escape")
            s.window_gone(window)
        s.wait_active("Brivane3")

    def open_part(self, button, window, x, y):
        s = self.s
        s.place(button, x, y)
        s.click_at(*s.canvas_point(x + 10, y + 10), repeat=2)
        s.window(window)
        s.wait_active(window)

    def look_at(self, window, label, japanese):
        """Screenshots `window` and checks its language by the texts the widget map gives."""
        s = self.s
        s.steady(lambda m: next((w for w in m["windows"] if w["name"] == window), None),
                 f"window {window} to hold still")
        s.screenshot(label, window=window, name=label + ".png")
        texts = self.texts(window)
        if japanese:
            if window not in NO_WORDS:
                self.assertTrue(any(JAPANESE.search(t) for t in texts), f"{window}: {texts}")
            untranslated = [t for t in texts if t not in SAME_IN_BOTH and english_words(t)]
            self.assertEqual(untranslated, [], f"English left in the Japanese {window}")
        else:
            shown = [t for t in texts if JAPANESE.search(t) and "(Japanese)" not in t]
            self.assertEqual(shown, [], f"Japanese in the English {window}")
        self.assertEqual(self.clipped(window), [], f"captions cut off in {window}")

    def test_a_japanese_desktop_gets_japanese_windows(self):
        s = self.s
        self.restart(LC_ALL="ja_JP.UTF-8")
        titles = self.menu_titles()
        self.assertTrue(all(JAPANESE.search(t) for t in titles), titles)
        self.look_at("Brivane3", "japanese-main", japanese=True)
        s.choose_com1()
        for button, window in TOOLS:
            self.open_tool(button, window)
            self.look_at(window, f"japanese-{window}", japanese=True)
            self.close_tool(button, window)
        for button, window, x, y in PARTS:
            self.open_part(button, window, x, y)
            self.look_at(window, f"japanese-{window}", japanese=True)
            s.close_window(window)
        s.click("InfoBtn", "Brivane3")
        s.window("InfoDlg")
        s.wait_active("InfoDlg")
        self.look_at("InfoDlg", "japanese-InfoDlg", japanese=True)
        s.key("Escape")
        s.window_gone("InfoDlg")

    def test_an_english_desktop_has_no_japanese_and_the_menu_chooses_it_for_the_next_start(self):
        s = self.s
        titles = self.menu_titles()
        self.assertFalse(any(JAPANESE.search(t) for t in titles), titles)
        self.look_at("Brivane3", "english-main", japanese=False)
        s.choose_com1()
        self.open_tool("OptionBtn", "OptDlg")
        self.look_at("OptDlg", "english-OptDlg", japanese=False)
        self.close_tool("OptionBtn", "OptDlg")
        self.open_part("SetItem1Btn", "PrmDlg", 60, 40)
        self.look_at("PrmDlg", "english-PrmDlg", japanese=False)
        s.close_window("PrmDlg")
        self.open_part("SetItem2Btn", "SetDlg", 60, 140)
        self.look_at("SetDlg", "english-SetDlg", japanese=False)
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
