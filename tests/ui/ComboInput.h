#pragma once

class QComboBox;

namespace brv3::test {

// Drop-down lists driven as a person drives them, through the list's popup. Each returns false
// (after a test failure) when the popup did not open or close as it should.

// A click opens the list, a click on item `index` takes it.
bool ChooseWithMouse(QComboBox* box, int index);
// Alt+Down opens the list, `steps` presses of Down (Up when negative) move, Enter takes it.
bool ChooseWithKeys(QComboBox* box, int steps);
// A click opens the list, `steps` presses of Down move in it, Escape closes it without a choice.
bool OpenAndEscape(QComboBox* box, int steps = 1);

}  // namespace brv3::test
