"""The robot dock in the real window: drawn with OpenGL under Xvfb, playing the open motion."""

import os
import unittest

from harness import DATA_DIR, AcceptanceTest, wait_for

WALK = os.path.abspath(os.path.join(DATA_DIR, "humanoid_walk.csv"))


def seconds(label):
    return float(label["text"].split()[0])


class RobotView(AcceptanceTest):

    choose_port = False

    def test_the_dock_draws_the_robot_and_plays_the_open_motion(self):
        s = self.s
        s.quit_editor()
        # The widget map of the editor that just ended must not stand for the new one.
        os.remove(s.map_path)
        s.start_editor(WALK)
        s.menu("View", "Robot")
        # The 3D view itself, not the message shown where OpenGL is missing.
        s.widget("RobotQuick", "Brivane3", "the robot's 3D view")
        self.assertIsNone(s.find("RobotViewMessage", "Brivane3"))
        slider = s.widget("RobotTimeSlider", "Brivane3",
                          condition=lambda w: w.get("value") == 0)
        self.assertEqual(seconds(s.widget("RobotTimeLabel", "Brivane3")), 0.0)

        s.click("RobotPlayBtn", "Brivane3")
        s.widget("RobotPauseBtn", "Brivane3", "Pause to be enabled", lambda w: w["enabled"])
        # Played to its end, the preview stops there by itself and Play is offered again.
        end = s.widget("RobotTimeLabel", "Brivane3", "the preview to reach its end",
                       lambda w: seconds(w) >= 2.0)
        s.widget("RobotPlayBtn", "Brivane3", "Play to be enabled again", lambda w: w["enabled"])
        self.assertGreater(s.find("RobotTimeSlider", "Brivane3")["value"], slider["value"])

        # Stop goes back to the start.
        s.click("RobotStopBtn", "Brivane3")
        wait_for(lambda: seconds(s.find("RobotTimeLabel", "Brivane3")) == 0.0,
                 f"the time to go back to 0 from {end['text']}")


if __name__ == "__main__":
    unittest.main()
