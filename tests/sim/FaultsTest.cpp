#include <gtest/gtest.h>

#include "sim/SimHost.h"
#include "sim/StateFile.h"

namespace brv3::sim::test {
namespace {

FaultPlan Plan(const std::string& text) {
  std::string error;
  auto plan = FaultPlan::Parse(text, &error);
  EXPECT_TRUE(plan.has_value()) << error;
  return plan.value_or(FaultPlan{});
}

TEST(Faults, ParseAcceptsTheHelpSyntaxOnly) {
  EXPECT_TRUE(Plan("").Empty());
  EXPECT_FALSE(Plan("no-attention:2, short-reply@1,delay:0,jitter:5,seed:7").Empty());
  for (const char* bad : {"nak", "nak:0", "nak:x", "bogus:1", "delay@3", "short-reply:-1",
                          "disconnect-after:0", "nak:3junk"}) {
    std::string error;
    EXPECT_FALSE(FaultPlan::Parse(bad, &error).has_value()) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

TEST(Faults, EachFaultHasItsEffect) {
  {
    SimHost host;
    host.engine().SetFaults(Plan("no-attention:2"));
    EXPECT_EQ(host.Transact({0xF1, 0x00}, 3).size(), 3u);
    EXPECT_TRUE(host.Transact({0xF1, 0x00}, 3).empty());  // attention unanswered
    EXPECT_EQ(host.Transact({0xF1, 0x00}, 3).size(), 3u);
  }
  {
    SimHost host;
    host.engine().SetFaults(Plan("short-reply@1"));
    EXPECT_EQ(host.Transact({0xF5, 0x00}, 43).size(), 21u);
    EXPECT_EQ(host.Transact({0xF5, 0x00}, 43).size(), 43u);
  }
  {
    SimHost host;
    host.engine().SetFaults(Plan("bad-checksum:1"));
    const Bytes r = host.Transact({0xF1, 0x00}, 3);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[2], 0xFF);
    EXPECT_TRUE(host.Acked({0xF2, 0x01, 0x00, 0x08}));  // ACKs are not touched
  }
  {
    SimHost host;
    host.engine().SetFaults(Plan("nak@1"));
    EXPECT_EQ(host.Transact({0xF2, 0x01, 0x12, 0x34}, 1), Bytes{0x15});
    EXPECT_EQ(host.Transact({0xF1, 0x00}, 3)[1], 0x00);  // the refused write did nothing
    EXPECT_TRUE(host.Acked({0xF2, 0x01, 0x12, 0x34}));
  }
  {
    SimHost host;
    host.engine().SetFaults(Plan("delay:400"));
    host.Write({0x0D});
    EXPECT_TRUE(host.Read(1).empty());  // later than the 300 ms time-out
    EXPECT_EQ(host.Read(1), Bytes{0x06});
  }
  {
    SimHost host;
    host.engine().SetFaults(Plan("disconnect-after:2"));
    EXPECT_EQ(host.Transact({0xF1, 0x00}, 3).size(), 3u);
    EXPECT_TRUE(host.Acked({0xF2, 0x01, 0x02, 0x00}));
    EXPECT_TRUE(host.engine().Disconnected());
    EXPECT_TRUE(host.Transact({0xF1, 0x00}, 3).empty());
  }
}

TEST(StateFile, RoundTripAndBadFiles) {
  SimHost host;
  Bytes entry(42, 0x00);
  entry[0] = 1;
  entry[10] = 'A';
  ASSERT_TRUE(host.Acked(Concat({0xF6, 0x01, 84}, entry)));
  ASSERT_TRUE(host.Acked(Concat({0xFD, 0x03, 79, 29}, PoseBytes(9, 0x1234))));
  ASSERT_TRUE(host.Acked({0xF2, 0x03, 0xAB, 0xCD}));
  ASSERT_TRUE(host.Acked({0xDD, 0x01, 0x01, 0x01, 0x00}));
  ASSERT_TRUE(host.Acked({0xF8, 0x01, 4, 255, 7}));
  EXPECT_TRUE(host.board().FlashChanged());
  const FlashMemory& flash = host.board().Flash();

  const std::string text = StateText(flash);
  auto loaded = ParseStateText(text);
  ASSERT_TRUE(loaded.has_value());
  EXPECT_TRUE(*loaded == flash);
  EXPECT_FALSE(*loaded == FlashMemory::Defaults());

  // A board started from the loaded flash shows it; the working mode word starts as stored.
  auto board = std::make_unique<Board>(*loaded);
  Engine engine(std::move(board));
  SimPort port(engine);
  port.WriteBytes(Bytes{0x0D}.data(), 1);
  uint8_t answer;
  ASSERT_EQ(port.ReadBytes(&answer, 1), 1);
  const Bytes read{0xF1, 0x00, 0xF1};
  port.WriteBytes(read.data(), read.size());
  uint8_t mode[3];
  ASSERT_EQ(port.ReadBytes(mode, 3), 3);
  EXPECT_EQ(mode[0], 0xAB);

  std::string error;
  EXPECT_FALSE(ParseStateText("hello\n", &error).has_value());
  EXPECT_NE(error.find("line 1"), std::string::npos);
  EXPECT_FALSE(ParseStateText("QVB3-SIM-STATE 1\nmode 12\n", &error).has_value());
  EXPECT_NE(error.find("mode"), std::string::npos);
  EXPECT_FALSE(ParseStateText("QVB3-SIM-STATE 1\nmode 12GG\n", &error).has_value());
  EXPECT_FALSE(ParseStateText("QVB3-SIM-STATE 1\nwhat 00\n", &error).has_value());
  auto partial = ParseStateText("QVB3-SIM-STATE 1\nmode 0200\n");
  ASSERT_TRUE(partial.has_value());
  EXPECT_EQ(partial->modeWord, 0x0200);
  EXPECT_EQ(partial->startMotions[0], 0xFF);
}

}  // namespace
}  // namespace brv3::sim::test
