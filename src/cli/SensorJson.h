#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "core/board/SensorSettings.h"

namespace brv3::cli {

// The stored analog settings as the `analog` command prints them and config.json keeps them:
// {"references":[r1,r2,r3], "mix":[[24 factors of AD1],[AD2],[AD3]],
//  "triggers":[{"input":"AD1","motion":"M4" or null,"threshold":-500}, ... six in board order]}.
nlohmann::ordered_json AnalogToJson(const AnalogSettings& analog);
// {"references":[p1,p2,p3,p4]}.
nlohmann::ordered_json TransmitterToJson(const PropoReferences& references);

// The inverses, with every value range-checked; false with `bad` naming the first offending key
// below `path` (e.g. "analog.triggers[3].threshold"). References are the board's words (0..65535,
// transmitter 0..255 with 255 = the board sets it itself), factors -63..63, thresholds
// -1023..1023, motions "M1".."M80", "S1".."S5" or null.
bool ParseAnalogJson(const nlohmann::ordered_json& j, const std::string& path,
                     AnalogSettings& analog, std::string& bad);
bool ParseTransmitterJson(const nlohmann::ordered_json& j, const std::string& path,
                          PropoReferences& references, std::string& bad);

}  // namespace brv3::cli
