#include <gtest/gtest.h>

#include "ScriptedPort.h"
#include "core/comm/BoardLink.h"

namespace brv3 {
namespace {

using test::RecordingPrompter;
using test::ScriptedPort;
using test::WithChecksum;

Bytes PoseWith(const std::vector<uint16_t>& words, uint8_t speed) {
  Bytes pose{speed};
  for (int c = 0; c < 24; ++c) {
    const uint16_t w = c < static_cast<int>(words.size()) ? words[c] : 0x4000;
    pose.push_back(static_cast<uint8_t>(w >> 8));
    pose.push_back(static_cast<uint8_t>(w & 0xFF));
  }
  return pose;
}

TEST(ModeWord, SleepOnFreesHeldChannelsThenRestoresThePose) {
  ScriptedPort port;
  RecordingPrompter prompter;
  BoardLink link(&port, &prompter);
  const std::vector<uint16_t> words{0x8001, 0x8002, 0x8106, 0x0001, 0x7FFF,
                                    0x0000, 0x8107, 0xFFFF, 0x8000, 0x8050};
  port.Data({0x02, 0x20});  // mode word 0x0220, sleep bit clear
  port.Data(PoseWith(words, 9));
  port.Ack();
  port.Ack();
  port.Ack();
  EXPECT_TRUE(link.SetSleep(ModeSwitch::Toggle));  // toggle from clear means sleep on

  const std::vector<uint16_t> freed{0x8001, 0x8002, 0x8002, 0x8002, 0x8002,
                                    0x0000, 0x8107, 0xFFFF, 0x8000, 0x8002};
  std::vector<uint16_t> freedAll = freed;
  freedAll.resize(24, 0x8002);  // the 0x4000 positions of the other channels
  const auto frames = port.Frames();
  ASSERT_EQ(frames.size(), 5u);
  EXPECT_EQ(frames[0], WithChecksum({0xF1, 0x00}));
  EXPECT_EQ(frames[1], WithChecksum({0xFC, 0x00, 0x00, 0x00}));
  Bytes freedFrame{0xFD, 0x01, 0x00, 0x00};
  const Bytes freedPose = PoseWith(freedAll, 1);
  freedFrame.insert(freedFrame.end(), freedPose.begin(), freedPose.end());
  EXPECT_EQ(HexText(frames[2]), HexText(WithChecksum(freedFrame)));
  EXPECT_EQ(frames[3], WithChecksum({0xF2, 0x01, 0x02, 0x21}));
  Bytes savedFrame{0xFD, 0x01, 0x00, 0x00};
  const Bytes savedPose = PoseWith(words, 1);
  savedFrame.insert(savedFrame.end(), savedPose.begin(), savedPose.end());
  EXPECT_EQ(HexText(frames[4]), HexText(WithChecksum(savedFrame)));
  ASSERT_EQ(prompter.panels.size(), 1u);
  EXPECT_EQ(prompter.panels[0], std::make_pair(1, std::string("Sleep")));
}

TEST(ModeWord, SleepOnWithoutThePoseWritesNothing) {
  ScriptedPort port;
  RecordingPrompter prompter;
  BoardLink link(&port, &prompter);
  port.Data({0x00, 0x00});
  // ReadPose gets no reply at all
  EXPECT_FALSE(link.SetSleep(ModeSwitch::On));
  for (const Bytes& f : port.Frames()) EXPECT_NE(f[0], 0xF2);
  EXPECT_TRUE(prompter.panels.empty());

  // A failed pose write stops before the mode word is touched.
  ScriptedPort port2;
  BoardLink link2(&port2, &prompter);
  port2.Data({0x00, 0x00});
  port2.Data(PoseWith({}, 0));
  port2.Reply({0x15});
  EXPECT_FALSE(link2.SetSleep(ModeSwitch::On));
  EXPECT_EQ(port2.Frames().size(), 3u);
  EXPECT_TRUE(prompter.panels.empty());
}

TEST(ModeWord, SleepOffClearsTheBitAndShowsRun) {
  ScriptedPort port;
  RecordingPrompter prompter;
  BoardLink link(&port, &prompter);
  port.Data({0x00, 0x03});
  port.Ack();
  EXPECT_TRUE(link.SetSleep(ModeSwitch::Toggle));  // toggle from set means sleep off
  EXPECT_EQ(port.Frames().back(), WithChecksum({0xF2, 0x01, 0x00, 0x02}));
  EXPECT_EQ(prompter.panels.back(), std::make_pair(1, std::string("RUN")));

  port.writes.clear();
  port.Data({0x00, 0x00});
  port.Reply({0x00});  // wrong acknowledgement
  EXPECT_FALSE(link.SetSleep(ModeSwitch::Off));
  EXPECT_EQ(prompter.panels.size(), 1u);
}

TEST(ModeWord, WrappersChangeOnlyTheirBitInTheirArea) {
  struct Case {
    const char* name;
    bool (BoardLink::*wrapper)(ModeSwitch);
    ModeSwitch mode;
    uint16_t before;
    uint8_t readFlag;
    uint8_t writeFlag;
    uint16_t after;
  };
  const std::vector<Case> cases{
      {"motion enable set", &BoardLink::SetMotionEnable, ModeSwitch::On, 0x0000, 0x00, 0x01,
       0x0002},
      {"motion enable clear", &BoardLink::SetMotionEnable, ModeSwitch::Off, 0xFFFF, 0x00, 0x01,
       0xFFFD},
      {"motion enable toggle", &BoardLink::SetMotionEnable, ModeSwitch::Toggle, 0x0002, 0x00, 0x01,
       0x0000},
      {"receiver report clear", &BoardLink::SetReceiverReport, ModeSwitch::Off, 0x0204, 0x00, 0x01,
       0x0200},
      {"receiver report set", &BoardLink::SetReceiverReport, ModeSwitch::On, 0x0200, 0x00, 0x01,
       0x0204},
      {"remote input set", &BoardLink::SetRemoteInput, ModeSwitch::On, 0x0000, 0x00, 0x01, 0x0020},
      {"remote input clear", &BoardLink::SetRemoteInput, ModeSwitch::Off, 0x00E0, 0x00, 0x01,
       0x00C0},
      {"analog report toggle", &BoardLink::SetAnalogReport, ModeSwitch::Toggle, 0x0000, 0x00, 0x01,
       0x0100},
      {"svl mode set", &BoardLink::SetSvlMode, ModeSwitch::On, 0x0001, 0x02, 0x03, 0x4001},
      {"svl mode clear", &BoardLink::SetSvlMode, ModeSwitch::Off, 0x4001, 0x02, 0x03, 0x0001},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedPort port;
    BoardLink link(&port);
    port.Data({static_cast<uint8_t>(c.before >> 8), static_cast<uint8_t>(c.before & 0xFF)});
    port.Ack();
    EXPECT_TRUE((link.*c.wrapper)(c.mode));
    const auto frames = port.Frames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], WithChecksum({0xF1, c.readFlag}));
    EXPECT_EQ(frames[1], WithChecksum({0xF2, c.writeFlag, static_cast<uint8_t>(c.after >> 8),
                                       static_cast<uint8_t>(c.after & 0xFF)}));
  }

  // No toggle for these two; a failed read writes nothing.
  ScriptedPort port;
  BoardLink link(&port);
  EXPECT_FALSE(link.SetRemoteInput(ModeSwitch::Toggle));
  EXPECT_FALSE(link.SetSvlMode(ModeSwitch::Toggle));
  EXPECT_TRUE(port.writes.empty());
  EXPECT_FALSE(link.SetMotionEnable(ModeSwitch::On));
  EXPECT_EQ(port.writes.size(), 1u);  // the attention byte only
}

}  // namespace
}  // namespace brv3
