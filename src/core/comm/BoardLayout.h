#pragma once

#include <cstdint>

namespace brv3 {

// What the board holds, counted as its commands address it.
constexpr int kChannels = 24;      // servo channels CH1..CH24
constexpr int kMotionSlots = 80;   // motions M1..M80: table index 0..79
constexpr int kScenarioSlots = 5;  // scenarios S1..S5: table index 80..84
constexpr int kTableEntries = kMotionSlots + kScenarioSlots;
constexpr int kScenarioFirstSlot = kMotionSlots;
// A motion slot holds 30 records; a longer motion runs on into the following slots.
constexpr int kRecordsPerSlot = 30;

// Bits of the board's mode word.
constexpr uint16_t kModeSleep = 0x0001;           // bit 0: asleep, servos let go
constexpr uint16_t kModePause = 0x0002;           // bit 1: playback held ("motion enable")
constexpr uint16_t kModeReceiverReport = 0x0004;  // bit 2: remote-control reports
constexpr uint16_t kModeRemoteInput = 0x0020;     // bit 5
constexpr uint16_t kModeAnalogReport = 0x0100;    // bit 8: analog reports
constexpr uint16_t kModePlaybackReport = 0x0200;  // bit 9: playback reports (motion replay)
constexpr uint16_t kModeLowVoltage = 0x0400;      // bit 10: the alarm motion on low voltage
constexpr uint16_t kModePowerUpMotion = 0x0800;   // bit 11
constexpr uint16_t kModeStartSwitch = 0x1000;     // bit 12
constexpr uint16_t kModeRemotePlay = 0x2000;      // bit 13: playback by remote control
constexpr uint16_t kModeServoList = 0x4000;       // bit 14: serial-servo list (stored copy)

}  // namespace brv3
