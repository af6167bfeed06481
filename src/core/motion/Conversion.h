#pragma once

#include <cstdint>

#include "core/chart/Chart.h"
#include "core/motion/LinkCommand.h"

namespace brv3 {

// Applies the 24 conversion rows to one object's words and speed. Every row reads the words as
// they were before the conversion and the speed as the SPD rows before it left it; later rows
// overwrite what earlier rows wrote.
void ConvertWords(const ChannelTexts& rows, ChannelWords& values, uint8_t& head);

// Converts every selected object of the chart except Compare objects, in index order. Returns the
// number of objects converted.
int ApplyConversion(Chart& chart, const ChannelTexts& rows);

}  // namespace brv3
