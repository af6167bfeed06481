#pragma once

#include <array>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/chart/Chart.h"
#include "core/comm/MotionBoard.h"
#include "core/comm/TableEntry.h"
#include "core/util/Cp932.h"
#include "core/util/Prompter.h"

#include "support/ScriptedPrompter.h"

namespace brv3::test {

// Board memory as the motion commands see it, with a log of the calls and a switch to make one
// call fail.
class FakeMotionBoard : public MotionBoard {
 public:
  FakeMotionBoard() {
    for (Bytes& e : entries) e = EmptyEntry();
  }

  static Bytes EmptyEntry() {
    Bytes e(kTableEntrySize, 0);
    for (size_t i = 4; i < 10; ++i) e[i] = 0xFF;
    return e;
  }

  bool ReadTableEntry(int index, Bytes& entry) override {
    if (!Call("ReadTableEntry " + std::to_string(index)) || index < 0 || index >= 85) return false;
    entry = entries[static_cast<size_t>(index)];
    return true;
  }

  bool UpdateTableEntry(int index, int count, int value24, const std::string& name,
                        const EntryDate& date, int code) override {
    if (!Call("UpdateTableEntry " + std::to_string(index) + " " + std::to_string(count) + " " +
              name) ||
        index < 0 || index >= 85)
      return false;
    Bytes& e = entries[static_cast<size_t>(index)];
    if (count != -1) e[0] = static_cast<uint8_t>(count);
    if (value24 != -1)
      for (int i = 0; i < 3; ++i)
        e[static_cast<size_t>(1 + i)] = static_cast<uint8_t>(value24 >> (8 * i));
    if (date.kind == EntryDate::Kind::Now) {
      e[4] = 12, e[5] = 8, e[6] = 1, e[7] = 30;
    } else if (date.kind == EntryDate::Kind::Given) {
      for (size_t i = 0; i < 4; ++i) e[4 + i] = date.bytes[i];
    }
    if (code != -1) e[8] = static_cast<uint8_t>(code >> 8), e[9] = static_cast<uint8_t>(code);
    std::string board = Utf8ToCp932(name);
    for (size_t i = 0; i < 32; ++i)
      e[10 + i] = i < board.size() ? static_cast<uint8_t>(board[i]) : 0;
    return true;
  }

  bool WritePose(PoseArea area, int slot, int record, const Bytes& pose) override {
    if (!Call("WritePose " + std::to_string(static_cast<int>(area)) + " " + std::to_string(slot) +
              " " + std::to_string(record)) ||
        pose.size() != 49)
      return false;
    poses[{slot, record}] = pose;
    return true;
  }

  bool ReadPose(PoseArea area, int slot, int record, Bytes& pose) override {
    if (!Call("ReadPose " + std::to_string(static_cast<int>(area)) + " " + std::to_string(slot) +
              " " + std::to_string(record)))
      return false;
    auto it = poses.find({slot, record});
    pose = it == poses.end() ? Bytes(49, 0) : it->second;
    return true;
  }

  bool WriteScenarioStep(int scenario, int step, int motion) override {
    if (!Call("WriteScenarioStep " + std::to_string(scenario) + " " + std::to_string(step) + " " +
              std::to_string(motion)))
      return false;
    scenarios[static_cast<size_t>(scenario)][static_cast<size_t>(step)] =
        static_cast<uint8_t>(motion);
    return true;
  }

  bool ReadScenarioStep(int scenario, int step, Bytes& reply) override {
    if (!Call("ReadScenarioStep " + std::to_string(scenario) + " " + std::to_string(step)))
      return false;
    reply = {scenarios[static_cast<size_t>(scenario)][static_cast<size_t>(step)]};
    return true;
  }

  // Makes the call with this number (0 = the next one) fail; -1 = never.
  void FailCall(int number) { failAt_ = static_cast<int>(log.size()) + number; }

  std::array<Bytes, 85> entries;
  std::map<std::pair<int, int>, Bytes> poses;
  std::array<std::array<uint8_t, 256>, 5> scenarios{};
  std::vector<std::string> log;

 private:
  bool Call(const std::string& what) {
    bool fail = static_cast<int>(log.size()) == failAt_;
    log.push_back(what);
    return !fail;
  }
  int failAt_ = -1;
};

// Builds charts for the tests.
class ChartBuilder {
 public:
  explicit ChartBuilder(uint8_t kind = kMotionChart) { chart.Type = kind; }

  int Add(uint8_t type, const std::string& name, uint16_t word = 0, uint8_t head = 100) {
    int i = chart.ObjectCount();
    ChartObject& o = chart.Objects.emplace_back();
    o.Type = type;
    o.Name = name;
    o.Head = head;
    o.Values.fill(word ? word : DefaultObjectWord(type));
    o.Width = 50;
    o.Height = 30;
    if (chart.Start < 0) chart.Start = i;
    return i;
  }
  int Pos(const std::string& name, uint16_t word = 16384) { return Add(kPosition, name, word); }
  int Cmp(const std::string& name) { return Add(kCompare, name, 33543, 1); }
  int Mot(const std::string& name, uint8_t motion) { return Add(kMot, name, 0, motion); }

  ChartBuilder& Flow(int from, int to) { return Wire(kFlowWiring, from, to); }
  ChartBuilder& Branch(int from, int to) { return Wire(kBranchWiring, from, to); }
  ChartBuilder& Wire(uint8_t main, int from, int to) {
    ChartLink& l = chart.Links.emplace_back();
    l.Main = main;
    l.Origin = from;
    l.Final = to;
    return *this;
  }

  Chart chart;
};

// A chain of `count` Position objects named `name`: count + 1 steps.
inline Chart LongChart(int count, const std::string& name) {
  ChartBuilder b;
  int prev = b.Pos("P0");
  for (int i = 1; i < count; ++i) {
    const int p = b.Pos("P" + std::to_string(i));
    b.Flow(prev, p);
    prev = p;
  }
  b.chart.SetChartName(name);
  return b.chart;
}

}  // namespace brv3::test
