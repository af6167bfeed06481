#include <gtest/gtest.h>

#include "ScriptedPort.h"
#include "core/board/TableActions.h"
#include "core/comm/BoardLink.h"
#include "core/comm/MotionTable.h"
#include "core/comm/TableEntry.h"
#include "core/comm/VersionText.h"
#include "core/util/CommaText.h"
#include "core/util/Cp932.h"

namespace brv3 {
namespace {

using test::ScriptedPort;
using test::WithChecksum;

Bytes EntryBytes(uint8_t count, std::array<uint8_t, 4> date, uint16_t code,
                 const std::string& nameCp932) {
  TableEntry e;
  e.Count = count;
  e.Date = date;
  e.Code = code;
  std::copy_n(nameCp932.begin(), std::min<size_t>(nameCp932.size(), 32), e.Name.begin());
  return e.Encode();
}

TEST(TableRows, FormatEveryColumn) {
  EXPECT_EQ(HexText(EmptyTableEntry()),
            HexText(Bytes{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0,
                          0, 0, 0, 0, 0,    0,    0,    0,    0,    0,    0, 0, 0, 0,
                          0, 0, 0, 0, 0,    0,    0,    0,    0,    0,    0, 0, 0, 0}));
  EXPECT_EQ(FormatTableRow(EmptyTableEntry(), 0),
            (TableRow{"M1", "", "0", "--/-- --:--", "65535"}));
  EXPECT_EQ(FormatTableRow(EntryBytes(12, {12, 31, 23, 59}, 513, "walk"), 79),
            (TableRow{"M80", "walk", "12", "12/31 23:59", "513"}));
  EXPECT_EQ(FormatTableRow(EntryBytes(3, {3, 7, 0, 0}, 0, "x"), 80).Date, "3/7 00:00");
  EXPECT_EQ(FormatTableRow(EntryBytes(3, {3, 7, 9, 5}, 0, "x"), 84).No, "S5");

  const std::string full(32, 'N');
  EXPECT_EQ(FormatTableRow(EntryBytes(1, {1, 1, 1, 1}, 1, full), 0).Name, full);
  EXPECT_EQ(FormatTableRow(EntryBytes(1, {1, 1, 1, 1}, 1, std::string("ab\0cd", 5)), 0).Name, "ab");
  EXPECT_EQ(FormatTableRow(EntryBytes(1, {1, 1, 1, 1}, 1, Utf8ToCp932("歩く")), 0).Name, "歩く");
  // The checksum byte after the entry is ignored; too few bytes show as the empty entry.
  Bytes withChecksum = WithChecksum(EntryBytes(5, {1, 2, 3, 4}, 7, "a"));
  EXPECT_EQ(FormatTableRow(withChecksum, 2).Count, "5");
  EXPECT_EQ(FormatTableRow(Bytes(10, 1), 2).Date, "--/-- --:--");

  // A name that does not fit is cut at 32 bytes without splitting a two-byte character.
  const auto cut = EntryNameBytes("a" + std::string(16, ' ') + "あいうえおかきく");
  EXPECT_EQ(cut[31], 0);
  EXPECT_EQ(Cp932ToUtf8(std::string(cut.begin(), cut.begin() + 31)),
            "a" + std::string(16, ' ') + "あいうえおかき");
}

TEST(SlotLabels, ParseBackAndNothingOutsideTheTableIsASlot) {
  EXPECT_EQ(Slot::Parse("M1")->Index(), 0);
  EXPECT_EQ(Slot::Parse("m80")->Index(), 79);
  EXPECT_EQ(Slot::Parse("S2")->Index(), 81);
  EXPECT_EQ(Slot::Parse("s5")->Number(), 4);
  EXPECT_TRUE(Slot::Parse("S5")->IsScenario());
  for (const char* bad : {"M0", "M81", "S6", "S0", "X1", "M", "M01", "M1x", "", "M100"}) {
    EXPECT_FALSE(Slot::Parse(bad).has_value()) << bad;
  }
  for (int i = 0; i < kTableEntries; ++i) EXPECT_EQ(Slot::Parse(Slot::LabelOf(i))->Index(), i);
  EXPECT_EQ(Slot::LabelOf(-1), "");
  EXPECT_EQ(Slot::LabelOf(kTableEntries), "");
  EXPECT_FALSE(Slot::FromIndex(kTableEntries));
  EXPECT_FALSE(Slot::Motion(kMotionSlots));
  EXPECT_EQ(Slot::Scenario(0)->Label(), "S1");
}

TEST(MotionTable, StartsEmptyAndBuildsListTexts) {
  MotionTable table;
  ASSERT_EQ(table.Rows().size(), 85u);
  EXPECT_EQ(table.Rows()[84], (TableRow{"S5", "", "0", "--/-- --:--", "65535"}));

  // Rows never read are marked so in the lists, apart from a slot the board reported empty.
  EXPECT_EQ(table.UnreadRows(), 85);
  table.ShowTableEntry(EntryBytes(4, {3, 7, 9, 5}, 1, "walk"), 0, false);
  table.ShowTableEntry(EmptyTableEntry(), 1, false);
  EXPECT_TRUE(table.RowRead(1));
  EXPECT_FALSE(table.RowRead(2));
  EXPECT_EQ(table.UnreadRows(), 83);
  std::string text = "OFF";
  table.MotionListText(text);
  EXPECT_EQ(text.rfind("OFF,\"M1 walk 3/7 09:05\",\"M2  --/-- --:--\",\"M3 (not read)\",", 0), 0u);
  EXPECT_EQ(std::count(text.begin(), text.end(), ','), 80);
  EXPECT_NE(text.find(",\"M80 (not read)\""), std::string::npos);
  EXPECT_EQ(text.find("S1"), std::string::npos);
  EXPECT_EQ(table.SlotItemText(2), "M3 (not read)");
  EXPECT_EQ(table.SlotItemText(85), "");
  // The table window itself still starts with empty rows.
  EXPECT_EQ(table.Rows()[2], (TableRow{"M3", "", "0", "--/-- --:--", "65535"}));

  std::string scenarios;
  table.ScenarioListText(scenarios);
  EXPECT_EQ(scenarios,
            "\"S1 (not read)\",\"S2 (not read)\",\"S3 (not read)\",\"S4 (not read)\","
            "\"S5 (not read)\"");

  // A quote in a board name is doubled so the item still reads as one.
  table.ShowTableEntry(EntryBytes(1, {0xFF, 0, 0, 0}, 1, "a\"b"), 80, false);
  scenarios.clear();
  table.ScenarioListText(scenarios);
  EXPECT_EQ(scenarios.substr(0, 21), "\"S1 a\"\"b --/-- --:--\"");

  // After a partial refresh a row beyond the list is still refreshed; the gap is filled empty.
  table.Clear();
  table.ShowTableEntry(EmptyTableEntry(), 0, true);
  table.ShowTableEntry(EntryBytes(2, {1, 2, 3, 4}, 9, "late"), 5, false);
  ASSERT_EQ(table.Rows().size(), 6u);
  EXPECT_EQ(table.Rows()[5].Name, "late");
  EXPECT_EQ(table.Rows()[3].No, "M4");
}

TEST(MotionTable, RefreshReadsAllEntriesAsleep) {
  ScriptedPort port;
  BoardLink link(&port);
  port.Data({0x00, 0x00});     // sleep on: mode word
  port.Data(Bytes(49, 0x00));  // live pose
  port.Ack();
  port.Ack();
  port.Ack();
  for (int i = 0; i < 85; ++i) port.Data(EntryBytes(static_cast<uint8_t>(i), {1, 1, 1, 1}, 0, "n"));
  port.Data({0x00, 0x01});  // sleep off
  port.Ack();

  MotionTable table;
  EXPECT_TRUE(RefreshMotionTable(link, table));
  ASSERT_EQ(table.Rows().size(), 85u);
  EXPECT_EQ(table.Rows()[84].Count, "84");
  const auto frames = port.Frames();
  ASSERT_EQ(frames.size(), 5u + 85u + 2u);
  EXPECT_EQ(frames[5], WithChecksum({0xF5, 0x00}));
  EXPECT_EQ(frames[89], WithChecksum({0xF5, 0x54}));
  EXPECT_EQ(frames.back(), WithChecksum({0xF2, 0x01, 0x00, 0x00}));

  // A failure part-way keeps the rows read so far, shows the others as unknown (the selection
  // lists still offer every slot) and does not wake the board.
  ScriptedPort port2;
  BoardLink link2(&port2);
  port2.Data({0x00, 0x00});
  port2.Data(Bytes(49, 0x00));
  port2.Ack();
  port2.Ack();
  port2.Ack();
  for (int i = 0; i < 3; ++i) port2.Data(EmptyTableEntry());
  EXPECT_FALSE(RefreshMotionTable(link2, table));
  ASSERT_EQ(table.Rows().size(), 85u);
  EXPECT_EQ(table.Rows()[2].Name, "");
  EXPECT_EQ(table.Rows()[3].Name, "?");
  EXPECT_EQ(table.Rows()[84].No, FormatTableRow(EmptyTableEntry(), 84).No);
  std::string list;
  table.ScenarioListText(list);
  EXPECT_EQ(SplitCommaText(list).size(), 5u);
  for (const Bytes& f : port2.Frames()) EXPECT_NE(HexText(f), "F2 01 00 00 F3");
}

class RowLog : public TableEntryObserver {
 public:
  std::vector<std::pair<int, Bytes>> shown;
  void ShowTableEntry(const Bytes& entry, int index, bool add) override {
    EXPECT_FALSE(add);
    shown.emplace_back(index, entry);
  }
};

TEST(TableEntryWrappers, UpdateChangesOnlyTheGivenFields) {
  ScriptedPort port;
  RowLog rows;
  BoardLink link(&port);
  link.SetTableObserver(&rows);
  link.SetClock([] { return std::array<uint8_t, 4>{3, 7, 9, 5}; });

  TableEntry before;
  before.Count = 9;
  before.Value24 = 0x123456;
  before.Date = {1, 2, 3, 4};
  before.Code = 77;
  std::copy_n("old name", 8, before.Name.begin());

  // count and code kept, date kept, new name
  port.Data(before.Encode());
  port.Ack();
  EXPECT_TRUE(link.UpdateTableEntry(6, -1, 0, "新", EntryDate::FromText({0x00}), -1));
  TableEntry expected = before;
  expected.Value24 = 0;
  expected.Name = EntryNameBytes("新");
  Bytes frame{0xF6, 0x01, 0x06};
  const Bytes encoded = expected.Encode();
  frame.insert(frame.end(), encoded.begin(), encoded.end());
  EXPECT_EQ(HexText(port.Frames()[1]), HexText(WithChecksum(frame)));
  ASSERT_EQ(rows.shown.size(), 1u);
  EXPECT_EQ(rows.shown[0].first, 6);
  EXPECT_EQ(rows.shown[0].second, encoded);

  // count, code and the current time stamped
  port.writes.clear();
  port.Data(before.Encode());
  port.Ack();
  EXPECT_TRUE(link.UpdateTableEntry(6, 30, 0, "walk", EntryDate::FromText({}), 0xFFFF));
  const TableEntry written = *TableEntry::Decode(rows.shown.back().second);
  EXPECT_EQ(written.Count, 30);
  EXPECT_EQ(written.Code, 0xFFFF);
  EXPECT_EQ(written.Date, (std::array<uint8_t, 4>{3, 7, 9, 5}));
  EXPECT_EQ(FormatTableRow(rows.shown.back().second, 6).Name, "walk");

  // given date bytes (a continuation entry uses six 0xFF bytes)
  port.Data(before.Encode());
  port.Ack();
  EXPECT_TRUE(
      link.UpdateTableEntry(7, 0, 0, "M7:walk", EntryDate::FromText(Bytes(6, 0xFF)), 0xFFFF));
  EXPECT_EQ(FormatTableRow(rows.shown.back().second, 7).Date, "--/-- --:--");

  // a failed read writes nothing and refreshes nothing
  port.writes.clear();
  rows.shown.clear();
  EXPECT_FALSE(link.UpdateTableEntry(6, 1, 0, "x", EntryDate::Now(), 1));
  for (const Bytes& f : port.Frames()) EXPECT_NE(f[0], 0xF6);
  EXPECT_TRUE(rows.shown.empty());
  // a failed write refreshes nothing
  port.Data(before.Encode());
  port.Reply({0x15});
  EXPECT_FALSE(link.UpdateTableEntry(6, 1, 0, "x", EntryDate::Now(), 1));
  EXPECT_TRUE(rows.shown.empty());
}

TEST(TableEntryWrappers, ClearWritesTheEmptyEntry) {
  ScriptedPort port;
  MotionTable table;
  BoardLink link(&port);
  link.SetTableObserver(&table);
  table.ShowTableEntry(EntryBytes(4, {3, 7, 9, 5}, 1, "walk"), 81, false);
  port.Data(EntryBytes(4, {3, 7, 9, 5}, 1, "walk"));
  port.Ack();
  EXPECT_TRUE(link.ClearTableEntry(81));
  Bytes frame{0xF6, 0x01, 81};
  const Bytes empty = EmptyTableEntry();
  frame.insert(frame.end(), empty.begin(), empty.end());
  EXPECT_EQ(port.Frames()[1], WithChecksum(frame));
  EXPECT_EQ(table.Rows()[81], (TableRow{"S2", "", "0", "--/-- --:--", "65535"}));
}

TEST(VersionText, FourLinesOfSixteen) {
  Bytes reply;
  for (const char* part : {"QVB-3 board     ", "firmware 1.02   ", "0123456789ABCDEF", "end"}) {
    reply.insert(reply.end(), part, part + std::string(part).size());
  }
  reply.resize(64, 0x00);
  reply = WithChecksum(reply);
  EXPECT_EQ(VersionLines(reply), (std::array<std::string, 4>{"QVB-3 board     ", "firmware 1.02   ",
                                                             "0123456789ABCDEF", "end"}));
  EXPECT_EQ(VersionLines({}), (std::array<std::string, 4>{}));
}

}  // namespace
}  // namespace brv3
