// The motion table window's entry edit against the in-process board: what the board holds before,
// during and after the data dialog.
#include <gtest/gtest.h>

#include "core/board/TableActions.h"
#include "core/comm/BoardLink.h"
#include "core/comm/MotionTable.h"
#include "core/comm/TableEntry.h"
#include "sim/Engine.h"
#include "sim/SimPort.h"
#include "support/ScriptedPrompter.h"

namespace brv3 {
namespace {

// M4 holds "walk", 5 records, dated 3/7 09:05, remote code 0x0102.
sim::FlashMemory WalkInM4() {
  sim::FlashMemory flash = sim::FlashMemory::Defaults();
  TableEntry e;
  e.Count = 5;
  e.Date = {3, 7, 9, 5};
  e.Code = 0x0102;
  e.Name = EntryNameBytes("walk");
  const Bytes bytes = e.Encode();
  std::copy(bytes.begin(), bytes.begin() + sim::kEntrySize, flash.table[3].begin());
  return flash;
}

struct SimBoard {
  SimBoard()
      : engine(std::make_unique<sim::Board>(WalkInM4())), port(engine), link(&port, &prompter) {}

  TableEntry Entry(int index) const {
    const sim::Entry& raw = engine.board().Flash().table[index];
    return *TableEntry::Decode(Bytes(raw.begin(), raw.end()));
  }
  uint16_t Mode() const { return engine.board().Working().modeWord; }

  sim::Engine engine;
  sim::SimPort port;
  test::ScriptedPrompter prompter;
  BoardLink link;
};

TEST(TableEditAgainstSim, EditKeepsCountDateAndOptionallyTheCode) {
  SimBoard b;
  MotionTable table;
  ASSERT_TRUE(RefreshMotionTable(b.link, table));
  ASSERT_TRUE(BeginEntryEdit(b.link, table, 3));
  EXPECT_EQ(table.Rows()[3].Name, "walk");
  EXPECT_EQ(b.Mode() & (kModeSleep | kModeReceiverReport), 0);  // awake, report off

  // A button pressed on the remote while the dialog is open is what the dialog captures.
  b.engine.board().InjectRemote(0x0A0B, {1, 2, 3, 4}, b.engine.Now());
  EXPECT_EQ(CaptureRemoteCode(b.link), std::optional<uint16_t>(0x0A0B));

  ASSERT_TRUE(SaveEntryEdit(b.link, 3, "歩く", 0x0A0B));
  EndEdit(b.link);
  TableEntry e = b.Entry(3);
  EXPECT_EQ(EntryNameText(e), "歩く");
  EXPECT_EQ(e.Code, 0x0A0B);
  EXPECT_EQ(e.Count, 5);
  EXPECT_EQ(e.Date, (std::array<uint8_t, 4>{3, 7, 9, 5}));

  // Code -1 keeps the code the board has.
  ASSERT_TRUE(SaveEntryEdit(b.link, 3, "run", -1));
  e = b.Entry(3);
  EXPECT_EQ(EntryNameText(e), "run");
  EXPECT_EQ(e.Code, 0x0A0B);
  EXPECT_EQ(e.Count, 5);
}

TEST(TableEditAgainstSim, BadIndexAndSilentBoardOpenNoDialog) {
  SimBoard b;
  MotionTable table;
  b.port.ClearLog();
  EXPECT_FALSE(BeginEntryEdit(b.link, table, -1));
  EXPECT_FALSE(BeginEntryEdit(b.link, table, kTableEntries));
  EXPECT_TRUE(b.port.Log().empty());  // nothing was sent for a bad index

  b.engine.SetFaults(*sim::FaultPlan::Parse("no-attention@1"));
  b.link.SetAttemptLimit(1);
  EXPECT_FALSE(BeginEntryEdit(b.link, table, 3));
  EXPECT_EQ(b.Entry(3).Count, 5);  // the entry is untouched
}

}  // namespace
}  // namespace brv3
