#pragma once

#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/comm/Frame.h"
#include "core/comm/Port.h"
#include "core/util/Bytes.h"

namespace brv3::test {

// A board behind a Port, in process: answers the attention byte, checks each frame's checksum and
// answers the motion-memory, table, scenario, mode-word and playback commands the way the board
// does. Motion memory is one run of records, 30 per slot, so a long motion runs into the next
// slots. `failWhen` makes a frame go unanswered, `loseWhen` acknowledges it and forgets it;
// `offline` leaves the attention byte unanswered.
class FakeBoardPort : public Port {
 public:
  static constexpr size_t kRecordsPerSlot = 30;

  FakeBoardPort() {
    for (Bytes& e : entries) {
      e.assign(42, 0);
      std::fill(e.begin() + 4, e.begin() + 10, 0xFF);
    }
    for (auto& s : scenarios) s.fill(255);
    live.assign(49, 0);
  }

  std::array<Bytes, 85> entries;
  std::map<size_t, Bytes> memory;  // flat record index -> 49 bytes
  std::array<std::array<uint8_t, 256>, 5> scenarios{};
  Bytes live;
  uint16_t modeWord = 0;
  std::vector<Bytes> frames;  // every frame received, checksum included
  std::vector<int> played;    // entry index of every play command
  bool offline = false;
  std::function<bool(const Bytes& frame)> failWhen;
  // Acknowledges the frame without doing what it asks (a board that loses a write).
  std::function<bool(const Bytes& frame)> loseWhen;

  bool Asleep() const { return (modeWord & 1) != 0; }
  Bytes& Record(int slot, int record) {
    Bytes& r = memory[static_cast<size_t>(slot) * kRecordsPerSlot + static_cast<size_t>(record)];
    if (r.empty()) r.assign(49, 0);
    return r;
  }
  // Frames whose command byte is `command`.
  size_t Count(uint8_t command) const {
    return static_cast<size_t>(std::count_if(frames.begin(), frames.end(), [&](const Bytes& f) {
      return !f.empty() && f[0] == command;
    }));
  }

  bool IsOpen() const override { return true; }
  bool WriteBytes(const uint8_t* data, size_t count) override {
    Bytes in(data, data + count);
    if (in.size() == 1 && in[0] == kAttention && !awaitingFrame_) {
      if (!offline) {
        out_.push_back(0x06);
        awaitingFrame_ = true;
      }
      return true;
    }
    awaitingFrame_ = false;
    frames.push_back(in);
    if (in.size() < 2 || Checksum(in.data(), in.size() - 1) != in.back()) return true;
    if (failWhen && failWhen(in)) return true;
    if (loseWhen && loseWhen(in)) {
      Ack();
      return true;
    }
    in.pop_back();
    Answer(in);
    return true;
  }
  int ReadBytes(uint8_t* buffer, int count) override {
    int n = 0;
    while (n < count && !out_.empty()) {
      buffer[n++] = out_.front();
      out_.pop_front();
    }
    return n;
  }
  void PurgeReceive() override { out_.clear(); }
  void PurgeTransmit() override {}
  int TimeOutReceive() const override { return 300; }
  void SetTimeOutReceive(int) override {}

 private:
  void Ack() { out_.push_back(0x06); }
  void Data(Bytes b) {
    AppendChecksum(b);
    out_.insert(out_.end(), b.begin(), b.end());
  }
  void Answer(const Bytes& f) {
    auto at = [&](size_t i) -> int { return i < f.size() ? f[i] : -1; };
    switch (f[0]) {
      case 0xF5:
        if (at(1) >= 0 && at(1) < 85) Data(entries[static_cast<size_t>(at(1))]);
        break;
      case 0xF6:
        if (f.size() == 45 && f[2] < 85) {
          entries[f[2]].assign(f.begin() + 3, f.end());
          Ack();
        }
        break;
      case 0xFC:
        if (f.size() == 4) Data((f[1] & 2) ? Record(f[2], f[3]) : live);
        break;
      case 0xFD:
        if (f.size() == 53) {
          Bytes pose(f.begin() + 4, f.end());
          if (f[1] & 2)
            Record(f[2], f[3]) = pose;
          else
            live = pose;
          Ack();
        }
        break;
      case 0xF7:
        if (f.size() == 3 && f[1] < 5) Data({scenarios[f[1]][f[2]]});
        break;
      case 0xF8:
        if (f.size() == 5 && f[2] < 5) {
          scenarios[f[2]][f[3]] = f[4];
          Ack();
        }
        break;
      case 0xF4:
        if (f.size() == 3) {
          played.push_back(f[2]);
          Ack();
        }
        break;
      case 0xF1:
        Data({static_cast<uint8_t>(modeWord >> 8), static_cast<uint8_t>(modeWord & 0xFF)});
        break;
      case 0xF2:
        if (f.size() == 4) {
          if ((f[1] & 2) == 0) modeWord = static_cast<uint16_t>(f[2] << 8 | f[3]);
          Ack();
        }
        break;
      case 0xF3:
      case 0xDE:
        Ack();
        break;
      // The configuration: reads answer zeros of their length, writes are acknowledged.
      case 0xEE:
        Data(Bytes(2, 0));
        break;
      case 0xEB:
      case 0xE9:
      case 0xDC:
        Data(Bytes(3, 0));
        break;
      case 0xF9:
        Data(Bytes(48, 0));
        break;
      case 0xD0:
        Data(Bytes(32, 0));
        break;
      case 0xE1:
        Data(Bytes(18, 0));
        break;
      case 0xE3:
        Data(Bytes(24, 0));
        break;
      case 0xE5:
        Data(Bytes(6, 0));
        break;
      case 0xDF:
        Data(Bytes(4, 0));
        break;
      case 0xEF:
      case 0xEC:
      case 0xEA:
      case 0xDD:
      case 0xFA:
      case 0xD1:
      case 0xE2:
      case 0xE4:
      case 0xE6:
      case 0xE0:
        Ack();
        break;
      default:
        break;
    }
  }

  std::deque<uint8_t> out_;
  bool awaitingFrame_ = false;
};

// `bytes` followed by their checksum.
inline Bytes WithChecksumOf(Bytes bytes) {
  AppendChecksum(bytes);
  return bytes;
}

}  // namespace brv3::test
