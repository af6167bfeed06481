#include <algorithm>

#include "sim/Board.h"

namespace brv3::sim {
namespace {

constexpr uint8_t kAreaBit = 0x02;

uint16_t Word(const Bytes& f, size_t at) {
  return static_cast<uint16_t>(f[at] << 8 | f[at + 1]);
}

ChannelWords Words(const Bytes& f, size_t at) {
  ChannelWords words{};
  for (int c = 0; c < kChannels; ++c) words[c] = Word(f, at + 2 * c);
  return words;
}

template <size_t N>
void CopyFrom(const Bytes& f, size_t at, std::array<uint8_t, N>& out) {
  std::copy_n(f.begin() + static_cast<ptrdiff_t>(at), N, out.begin());
}

}  // namespace

Board::Board(const FlashMemory& flash, Nanos now)
    : flash_(flash),
      working_(WorkingSettings::From(flash)),
      servos_(flash.home),
      stopPositions_(flash.home),
      now_(now),
      nextTick_(now),
      nextAnalogReport_(now + kAnalogReportPeriod) {
  speedTable_.fill(0x80);
  stretchTable_.fill(0x80);
  livePose_[0] = 1;
  for (int c = 0; c < kChannels; ++c) {
    livePose_[1 + 2 * c] = static_cast<uint8_t>(flash.home[c] >> 8);
    livePose_[2 + 2 * c] = static_cast<uint8_t>(flash.home[c] & 0xFF);
  }
  player_.TakeAnalogReferences();
  const uint8_t powerUp = flash.startMotions[1];
  if ((flash.modeWord & kModePowerUpMotion) && powerUp < kTableEntries) Play(powerUp, now);
}

std::string Board::VersionText() {
  std::string text = "QVB-3 simulator Brivane 3 Linux protocol 1";
  text.resize(kVersionSize, ' ');
  return text;
}

Reply Board::Ack() {
  return Reply{ReplyKind::Ack, Bytes{kAck}};
}
Reply Board::Nak() {
  return Reply{ReplyKind::Ack, Bytes{kNak}};
}

Reply Board::Data(const uint8_t* data, size_t count) {
  Reply reply{ReplyKind::Data, Bytes(data, data + count)};
  AppendChecksum(reply.bytes);
  return reply;
}

Reply Board::DataWords(const ChannelWords& words) {
  Bytes data;
  for (uint16_t w : words) {
    data.push_back(static_cast<uint8_t>(w >> 8));
    data.push_back(static_cast<uint8_t>(w & 0xFF));
  }
  return Data(data);
}

Reply Board::HandleFrame(const CommandInfo& info, const Bytes& f, Nanos now) {
  AdvanceTo(now);
  if (static_cast<int>(f.size()) != info.frameLength) return {};
  switch (f[0]) {
    case 0xF0:
      return DataWords(servos_.Measured(now));
    case 0xD2:
      return DataWords(stopPositions_);
    case 0xD3:
      flash_.home = Words(f, 2);
      MarkFlash();
      return Ack();
    case 0xF1: {
      const uint16_t word = (f[1] & kAreaBit) ? flash_.modeWord : working_.modeWord;
      const uint8_t data[] = {static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word & 0xFF)};
      return Data(data, 2);
    }
    case 0xF2:
      WriteModeWord(f[1] & kAreaBit, Word(f, 2), now);
      return Ack();
    case 0xF3:
      Stop(now);
      return Ack();
    case 0xF4:
      if (f[2] >= kTableEntries) return Nak();
      Play(f[2], now);
      return Ack();
    case 0xF5:
      if (f[1] >= kTableEntries) return {};
      return Data(flash_.table[f[1]].data(), kEntrySize);
    case 0xF6:
      if (f[2] >= kTableEntries) return Nak();
      CopyFrom(f, 3, flash_.table[f[2]]);
      MarkFlash();
      return Ack();
    case 0xF7:
      if (f[1] >= kScenarioSlots) return {};
      return Data(&flash_.scenarios[f[1]][f[2]], 1);
    case 0xF8:
      if (f[2] >= kScenarioSlots) return Nak();
      flash_.scenarios[f[2]][f[3]] = f[4];
      MarkFlash();
      return Ack();
    case 0xFC:
    case 0xFD:
      return HandlePoseCommand(f, now);
    case 0xFE:
      if (f[2] < kChannels) {
        const uint16_t value = Word(f, 4);
        livePose_[1 + 2 * f[2]] = f[4];
        livePose_[2 + 2 * f[2]] = f[5];
        if (!(working_.modeWord & kModeSleep)) servos_.Move(f[2], value, now, 0);
      }
      return {};
    case 0xFF: {
      const std::string text = VersionText();
      return Data(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    }
    case 0xDE:
      lastExtendedSerial_.assign(f.begin() + 1, f.end() - 1);
      return Ack();
    default:
      return HandleConfigCommand(f, now);
  }
}

Reply Board::HandlePoseCommand(const Bytes& f, Nanos now) {
  const bool memory = f[1] & kAreaBit;
  const int index = f[2] * kRecordsPerSlot + f[3];
  const bool inMemory = f[2] < kMotionSlots && index < kMotionRecords;
  if (f[0] == 0xFC) {
    if (!memory) return Data(livePose_.data(), kRecordSize);
    if (!inMemory) return {};
    return Data(flash_.motions[index].data(), kRecordSize);
  }
  Record record;
  std::copy_n(f.begin() + 4, kRecordSize, record.begin());
  if (!memory) {
    livePose_ = record;
    if (!(working_.modeWord & kModeSleep)) ApplyPose(record.data(), now, false);
    return Ack();
  }
  // A motion running past the last slot would have nowhere to go: refuse rather than wrap.
  if (!inMemory) return Nak();
  flash_.motions[index] = record;
  MarkFlash();
  return Ack();
}

Reply Board::HandleConfigCommand(const Bytes& f, Nanos now) {
  const bool stored = f.size() > 1 && (f[1] & kAreaBit);
  switch (f[0]) {
    case 0xCE:
      return Data(speedTable_.data(), kChannels);
    case 0xCF:
      return Data(stretchTable_.data(), kChannels);
    case 0xD0:
      if (f[1] >= kChannels) return {};
      return Data(flash_.channelNames[f[1]].data(), kNameSize);
    case 0xD1:
      if (f[2] >= kChannels) return Nak();
      CopyFrom(f, 3, flash_.channelNames[f[2]]);
      MarkFlash();
      return Ack();
    case 0xD8:
      if (f[1] >= kChannels) return {};
      return Data(flash_.svlLong[f[1]].data(), kSvlLongSize);
    case 0xD9:
      if (f[1] >= kChannels) return Nak();
      CopyFrom(f, 2, flash_.svlLong[f[1]]);
      MarkFlash();
      return Ack();
    case 0xDA:
      if (f[1] >= kChannels) return {};
      return Data(flash_.svlShort[f[1]].data(), kSvlShortSize);
    case 0xDB:
      if (f[1] >= kChannels) return Nak();
      CopyFrom(f, 2, flash_.svlShort[f[1]]);
      MarkFlash();
      return Ack();
    case 0xDC:
      return Data(flash_.svlMask.data(), 3);
    case 0xDD:
      CopyFrom(f, 2, flash_.svlMask);
      MarkFlash();
      return Ack();
    case 0xE9:
      return Data(flash_.ssvMask.data(), 3);
    case 0xEA:
      CopyFrom(f, 2, flash_.ssvMask);
      MarkFlash();
      return Ack();
    case 0xEB:
      return Data(flash_.alarmMotion.data(), 3);
    case 0xEC:
      CopyFrom(f, 2, flash_.alarmMotion);
      MarkFlash();
      return Ack();
    case 0xEE:
      return Data(flash_.startMotions.data(), 2);
    case 0xEF:
      CopyFrom(f, 2, flash_.startMotions);
      MarkFlash();
      return Ack();
    case 0xED: {
      const uint8_t data[] = {0x00,
                              static_cast<uint8_t>(player_.Inputs().remoteCode >> 8),
                              static_cast<uint8_t>(player_.Inputs().remoteCode & 0xFF),
                              player_.Inputs().transmitter[0],
                              player_.Inputs().transmitter[1],
                              player_.Inputs().transmitter[2],
                              player_.Inputs().transmitter[3]};
      return Data(data, sizeof data);
    }
    case 0xDF:
      return Data((stored ? flash_.propo : working_.propo).data(), kPropoSize);
    case 0xE0: {
      auto& propo = stored ? flash_.propo : working_.propo;
      CopyFrom(f, 2, propo);
      // 0xFF asks for the reference to be taken from the input as it stands.
      for (size_t i = 0; i < propo.size(); ++i)
        if (propo[i] == 0xFF)
          propo[i] = static_cast<uint8_t>(std::min<int>(player_.Inputs().transmitter[i], 127));
      if (stored) MarkFlash();
      return Ack();
    }
    case 0xE1:
      return Data((stored ? flash_.adSettings : working_.adSettings).data(), kAdSettingsSize);
    case 0xE2:
      CopyFrom(f, 2, stored ? flash_.adSettings : working_.adSettings);
      if (stored) MarkFlash();
      return Ack();
    case 0xE3:
      if (f[2] >= kMixTables) return {};
      return Data((stored ? flash_.mixTables : working_.mixTables)[f[2]].data(), kChannels);
    case 0xE4:
      if (f[2] >= kMixTables) return Nak();
      CopyFrom(f, 3, (stored ? flash_.mixTables : working_.mixTables)[f[2]]);
      if (stored) MarkFlash();
      return Ack();
    case 0xE5: {
      const auto& values = stored ? flash_.adCalibration : working_.adCalibration;
      Bytes data;
      for (uint16_t v : values) {
        data.push_back(static_cast<uint8_t>(v >> 8));
        data.push_back(static_cast<uint8_t>(v & 0xFF));
      }
      return Data(data);
    }
    case 0xE6: {
      auto& values = stored ? flash_.adCalibration : working_.adCalibration;
      for (int i = 0; i < 3; ++i) values[i] = Word(f, 2 + 2 * i);
      if (stored) MarkFlash();
      return Ack();
    }
    case 0xE7:
      if (f[2] < 3) {
        const uint16_t value = Word(f, 3);
        working_.adCalibration[f[2]] = value == 0xFFFF ? player_.Inputs().analog[f[2] + 1] : value;
      }
      return {};
    case 0xF9:
      return DataWords(stored ? flash_.trim : working_.trim);
    case 0xFA:
      (stored ? flash_.trim : working_.trim) = Words(f, 2);
      if (stored) MarkFlash();
      return Ack();
    case 0xFB:
      if (f[2] < kChannels) working_.trim[f[2]] = Word(f, 3);
      return {};
    default:
      (void)now;
      return {};
  }
}

void Board::WriteModeWord(bool stored, uint16_t value, Nanos now) {
  if (stored) {
    if (flash_.modeWord != value) MarkFlash();
    flash_.modeWord = value;
    return;
  }
  const uint16_t old = working_.modeWord;
  working_.modeWord = value;
  // Waking up drives the outputs to the pose buffer, which may have changed during sleep.
  if ((old & kModeSleep) && !(value & kModeSleep)) ApplyPose(livePose_.data(), now, false);
  if (!(old & kModeAnalogReport) && (value & kModeAnalogReport)) {
    nextAnalogReport_ = now + kAnalogReportPeriod;
  }
  if (!(old & kModeReceiverReport) && (value & kModeReceiverReport)) {
    nextRemoteReport_ = now + kRemoteReportPeriod;
  }
}

}  // namespace brv3::sim
