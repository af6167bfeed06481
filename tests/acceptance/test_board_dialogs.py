"""The board's configuration dialogs of the Tools toolbar: trim, options, SVL list and record,
analog inputs and transmitter. Each checks what the board keeps afterwards by asking it with
brivane3-cli once the editor has let the port go."""

import json
import subprocess
import unittest

from harness import DEADLINE, AcceptanceTest, tool


class BoardDialogs(AcceptanceTest):

    def cli(self, *args):
        out = subprocess.run([tool("brivane3-cli"), "--port", self.s.link, *args],
                             capture_output=True, text=True, timeout=DEADLINE)
        self.assertEqual(out.returncode, 0, f"brivane3-cli {' '.join(args)}: {out.stderr}")
        return out.stdout

    def board_config(self):
        """The board's stored settings, read after the editor has ended."""
        self.s.quit_editor()
        return json.loads(self.cli("config", "--json"))

    def open_tool(self, button, dialog):
        self.s.click(button, "Brivane3")
        self.s.window(dialog)
        self.s.wait_active(dialog)

    def close_with_escape(self, dialog):
        self.s.wait_active(dialog)
        self.s.key("Escape")
        self.s.window_gone(dialog)

    def enter(self, edit, window, text):
        self.s.focus(edit, window)
        self.s.key("ctrl+a")
        self.s.type(text)
        self.s.key("Return")

    def test_trim_follows_typed_offsets_and_stores_them_on_closing(self):
        s = self.s
        self.open_tool("HomeBtn", "HomeDlg")
        mark = s.trace.mark()
        self.enter("Edit1", "HomeDlg", "120")
        s.widget("Scroll1", "HomeDlg", condition=lambda w: w["value"] == 16384 + 120,
                 what="CH1's trim slider at +120")
        self.enter("Edit2", "HomeDlg", "-400")  # beyond a pulse servo's range: held at -345
        s.widget("Edit2", "HomeDlg", condition=lambda w: w["text"] == "-345",
                 what="CH2's offset held at -345")
        # The robot followed both while the dialog was open (live trim words FB 00 CH HI LO).
        for channel, word in ((0, 16384 + 120), (1, 16384 - 345)):
            s.trace.wait_frame(lambda f, c=channel, w=word: f[1:3] == b"\xfb\x00" and
                               f[3] == c and f[4:6] == w.to_bytes(2, "big"),
                               f"CH{channel + 1}'s offset sent live", since=mark)
        self.close_with_escape("HomeDlg")
        trim = self.board_config()["trim"]
        self.assertEqual(trim[0], 16384 + 120)
        self.assertEqual(trim[1], 16384 - 345)
        self.assertEqual(trim[2:], [16384] * 22)

    def test_options_write_each_control_as_it_is_released(self):
        s = self.s
        self.open_tool("OptionBtn", "OptDlg")
        s.click("Check5", "OptDlg")
        s.widget("Check5", "OptDlg", condition=lambda w: w.get("checked"))
        s.choose("CycleList", "20ms", "OptDlg")
        # The low voltage goes up one step with the arrows' upper half; the next click elsewhere
        # must still tick its box.
        volt = s.widget("AlmVoltBtn", "OptDlg")
        before = s.widget("AlmVoltEdit", "OptDlg")["text"]
        s.click_at(volt["x"] + volt["w"] // 2, volt["y"] + volt["h"] // 4)
        s.widget("AlmVoltEdit", "OptDlg", condition=lambda w: w["text"] != before,
                 what="the low voltage to change")
        s.click("SSV_C3", "OptDlg")
        s.widget("SSV_C3", "OptDlg", condition=lambda w: w.get("checked"),
                 what="CH3's serial box ticked by the first click after the voltage")
        s.click("SVL_C5", "OptDlg")
        s.widget("SVL_C5", "OptDlg", condition=lambda w: w.get("checked"))
        volt_text = s.widget("AlmVoltEdit", "OptDlg")["text"]
        self.close_with_escape("OptDlg")
        config = self.board_config()
        self.assertTrue(config["options"]["motion_replay"])
        self.assertEqual(config["options"]["timebase"], "20ms")
        self.assertEqual(config["serial_servo_channels"], [3])
        self.assertEqual(config["svl_channels"], [5])
        self.assertAlmostEqual(config["options"]["low_voltage"],
                               float(volt_text.rstrip("V")), places=1)

    def test_a_fresh_board_shows_a_low_voltage_within_the_dialogs_range(self):
        self.open_tool("OptionBtn", "OptDlg")
        volt = self.s.widget("AlmVoltEdit", "OptDlg", condition=lambda w: w["text"])["text"]
        self.assertNotEqual(volt, "00.0V", "a fresh board's low voltage is outside the range")
        self.close_with_escape("OptDlg")

    def test_the_port_state_has_its_own_status_panel_after_a_reconnect(self):
        s = self.s
        s.stop_sim()
        s.start_sim()
        # The next board command opens the port again by itself.
        self.open_tool("OptionBtn", "OptDlg")
        self.close_with_escape("OptDlg")
        s.widget("Panel2", "Brivane3", condition=lambda w: w["text"] == "COM1 OK",
                 what="the port panel (the third) to read COM1 OK")
        self.assertIn(s.find("Panel1", "Brivane3")["text"], ("RUN", "Sleep"),
                      "the board's state panel shows something else")

    def test_svl_record_is_edited_after_the_reboot_into_the_list_mode(self):
        s = self.s
        # CH1 becomes an SVL channel through the options dialog.
        self.open_tool("OptionBtn", "OptDlg")
        s.click("SVL_C1", "OptDlg")
        s.widget("SVL_C1", "OptDlg", condition=lambda w: w.get("checked"))
        self.close_with_escape("OptDlg")

        self.open_tool("SVLBtn", "SVLDlg")
        # The board serves the records only after a power cycle with the list open.
        s.stop_sim()
        s.start_sim()
        s.click("SioReadBtn", "SVLDlg")
        rows = s.widget("SVLList", "SVLDlg", condition=lambda w: w.get("items") and w["enabled"],
                        what="the records listed")["items"]
        before = rows[0]["text"]
        s.click_at(*s.centre(rows[0]), repeat=2)
        s.window("SVLPrm")
        s.wait_active("SVLPrm")
        s.widget("Punch", "SVLPrm", condition=lambda w: w["enabled"],
                 what="an enabled Punch list in the record dialog (it opened disabled)")
        s.choose("Punch", "7", "SVLPrm")
        s.close_window("SVLPrm")
        s.wait_active("SVLDlg")
        self.close_with_escape("SVLDlg")
        record = self.board_config()["servo_records"]["1"]
        self.assertEqual(record["punch"], 7, f"{record} (row read as {before})")

    def test_analog_dialog_shows_fed_values_and_stores_factors_and_calibration(self):
        s = self.s
        self.open_tool("AdBtn", "AdDlg")
        s.sim_command("analog 650 400 200 300")
        s.widget("AdcEdit", "AdDlg", condition=lambda w: w["text"] == "400",
                 what="the measured AD1 value 400")
        s.click("AutoCalBtn", "AdDlg")
        s.widget("CalEdit", "AdDlg", condition=lambda w: w["text"] == "400",
                 what="the reference set to the measured 400")
        s.choose("ComboBox1", "x 5", "AdDlg")
        s.choose("ComboBox2", "x -3", "AdDlg", keyboard=True)
        self.close_with_escape("AdDlg")
        config = self.board_config()
        analog = config["analog"]
        self.assertEqual(analog["mix"][0][0], 5)
        self.assertEqual(analog["mix"][0][1], -3)
        self.assertEqual(analog["mix"][0][2:], [0] * 22)

    def test_transmitter_dialog_shows_fed_values_and_stores_the_automatic_reference(self):
        s = self.s
        self.open_tool("OptionMenu3", "PropoDlg")
        s.sim_command("remote 1234 10 20 30 40")
        s.widget("PAdc2", "PropoDlg", condition=lambda w: w["text"] == "20",
                 what="PA2 measuring 20")
        s.widget("BEdit", "PropoDlg", condition=lambda w: "1234" in w["text"],
                 what="the button code 1234")
        s.click("ACBtn2", "PropoDlg")
        s.widget("PCal2", "PropoDlg", condition=lambda w: w["text"] in ("20", "AUTO"),
                 what="PA2's reference set automatically")
        self.close_with_escape("PropoDlg")
        transmitter = self.board_config()["transmitter"]
        self.assertIn(transmitter["references"][1], (20, 255))


if __name__ == "__main__":
    unittest.main()
