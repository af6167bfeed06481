#include "sim/Protocol.h"

#include <array>

namespace brv3::sim {
namespace {

constexpr ReplyKind kNone = ReplyKind::None;
constexpr ReplyKind kAckReply = ReplyKind::Ack;
constexpr ReplyKind kData = ReplyKind::Data;

// Frame lengths count the command byte, the flag byte where there is one, the arguments and the
// checksum.
constexpr CommandInfo kCommands[] = {
    {0xCE, "ReadSpeedTable", 2, kData, 25},
    {0xCF, "ReadStretchTable", 2, kData, 25},
    {0xD0, "ReadChannelName", 3, kData, 33},
    {0xD1, "WriteChannelName", 36, kAckReply, 1},
    {0xD2, "ReadStopPositions", 2, kData, 49},
    {0xD3, "WriteHomePosition", 51, kAckReply, 1},
    {0xD8, "ReadSvlEntryLong", 3, kData, 30},
    {0xD9, "WriteSvlEntryLong", 32, kAckReply, 1},
    {0xDA, "ReadSvlEntryShort", 3, kData, 18},
    {0xDB, "WriteSvlEntryShort", 20, kAckReply, 1},
    {0xDC, "ReadSvlChannelMask", 2, kData, 4},
    {0xDD, "WriteSvlChannelMask", 6, kAckReply, 1},
    {0xDE, "SendExtendedSerial", 10, kAckReply, 1},
    {0xDF, "ReadPropoSettings", 3, kData, 5},
    {0xE0, "WritePropoSettings", 7, kAckReply, 1},
    {0xE1, "ReadAdSettings", 3, kData, 19},
    {0xE2, "WriteAdSettings", 21, kAckReply, 1},
    {0xE3, "ReadMixTable", 4, kData, 25},
    {0xE4, "WriteMixTable", 28, kAckReply, 1},
    {0xE5, "ReadAdCalibration", 3, kData, 7},
    {0xE6, "WriteAdCalibration", 9, kAckReply, 1},
    {0xE7, "SetAdCalibrationLive", 6, kNone, 0},
    {0xE9, "ReadSsvChannelMask", 2, kData, 4},
    {0xEA, "WriteSsvChannelMask", 6, kAckReply, 1},
    {0xEB, "ReadAlarmMotion", 2, kData, 4},
    {0xEC, "WriteAlarmMotion", 6, kAckReply, 1},
    {0xED, "ReadRemoteCode", 2, kData, 8},
    {0xEE, "ReadStartMotions", 2, kData, 3},
    {0xEF, "WriteStartMotions", 5, kAckReply, 1},
    {0xF0, "ReadServoPositions", 2, kData, 49},
    {0xF1, "ReadModeWord", 3, kData, 3},
    {0xF2, "WriteModeWord", 5, kAckReply, 1},
    {0xF3, "StopMotion", 6, kAckReply, 1},
    {0xF4, "PlayMotion", 4, kAckReply, 1},
    {0xF5, "ReadTableEntry", 3, kData, 43},
    {0xF6, "WriteTableEntry", 46, kAckReply, 1},
    {0xF7, "ReadScenarioStep", 4, kData, 2},
    {0xF8, "WriteScenarioStep", 6, kAckReply, 1},
    {0xF9, "ReadTrim", 3, kData, 49},
    {0xFA, "WriteTrim", 51, kAckReply, 1},
    {0xFB, "SetTrimLive", 6, kNone, 0},
    {0xFC, "ReadPose", 5, kData, 50},
    {0xFD, "WritePose", 54, kAckReply, 1},
    {0xFE, "SetServoLive", 7, kNone, 0},
    {0xFF, "ReadVersion", 2, kData, 65},
};

constexpr std::array<const CommandInfo*, 256> BuildIndex() {
  std::array<const CommandInfo*, 256> index{};
  for (const CommandInfo& info : kCommands) index[info.code] = &info;
  return index;
}

constexpr std::array<const CommandInfo*, 256> kIndex = BuildIndex();

}  // namespace

const CommandInfo* FindCommand(uint8_t code) {
  return kIndex[code];
}

}  // namespace brv3::sim
