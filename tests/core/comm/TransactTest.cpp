#include <gtest/gtest.h>

#include "ScriptedPort.h"
#include "core/comm/BoardLink.h"
#include "core/comm/Frame.h"
#include "core/comm/Transact.h"

namespace brv3 {
namespace {

using test::RecordingPrompter;
using test::ScriptedPort;
using test::WithChecksum;

const Bytes kAttentionOnly{0x0D};

TEST(Frame, ChecksumAndVerify) {
  Bytes a{0xD2};
  AppendChecksum(a);
  EXPECT_EQ(a, (Bytes{0xD2, 0xD2}));
  Bytes b{0xF5, 0x03};
  AppendChecksum(b);
  EXPECT_EQ(b, (Bytes{0xF5, 0x03, 0xF8}));
  Bytes c{0xFF, 0xFF};
  AppendChecksum(c);
  EXPECT_EQ(c, (Bytes{0xFF, 0xFF, 0xFE}));
  Bytes empty;
  AppendChecksum(empty);
  EXPECT_TRUE(empty.empty());

  EXPECT_FALSE(VerifyReply({}));
  EXPECT_FALSE(VerifyReply({0x41}));
  EXPECT_TRUE(VerifyReply({0x41, 0x41}));
  EXPECT_FALSE(VerifyReply({0x41, 0x42}));
  EXPECT_TRUE(VerifyReply({0x05, 0x00, 0x80, 0x85}));
}

TEST(Transact, ShortReplyIsAskedFiveTimesThenFails) {
  ScriptedPort port;
  for (int i = 0; i < 6; ++i) port.Reply(Bytes(20, 0x11));
  BoardLink link(&port);
  Bytes reply{1, 2, 3};
  EXPECT_FALSE(link.ReadStopPositions(reply));
  EXPECT_TRUE(reply.empty());
  ASSERT_EQ(port.writes.size(), 10u);
  for (size_t i = 0; i < 10; i += 2) {
    EXPECT_EQ(port.writes[i], kAttentionOnly);
    EXPECT_EQ(port.writes[i + 1], (Bytes{0xD2, 0xD2}));
  }
  EXPECT_EQ(port.readSizes, (std::vector<int>{1, 49, 1, 49, 1, 49, 1, 49, 1, 49}));
  EXPECT_EQ(port.answers.size(), 2u);  // the sixth attempt was never made
  // Each attempt purges before the attention byte and again before the frame.
  EXPECT_EQ(port.purgesReceive, 10);
}

TEST(Transact, ShortReplyThenCompleteSucceedsOnRetry) {
  ScriptedPort port;
  Bytes full(48, 0x22);
  AppendChecksum(full);
  port.Reply(Bytes(10, 0x22));
  port.Reply(full);
  BoardLink link(&port);
  Bytes reply;
  EXPECT_TRUE(link.ReadServoPositions(reply));
  EXPECT_EQ(reply, Bytes(48, 0x22));
  EXPECT_EQ(port.Frames().size(), 2u);
}

TEST(Transact, NoAnswerToAttentionNeverSendsTheFrame) {
  ScriptedPort port;  // nothing scripted: every read times out
  BoardLink link(&port);
  Bytes reply;
  EXPECT_FALSE(link.ReadTableEntry(3, reply));
  EXPECT_EQ(port.writes, (std::vector<Bytes>{kAttentionOnly}));

  // A live command without the answer is not sent either, and still reports success.
  port.writes.clear();
  EXPECT_TRUE(link.SetServoLive(0, 0x3FFF));
  EXPECT_EQ(port.writes, (std::vector<Bytes>{kAttentionOnly}));
}

TEST(Transact, WrongChecksumAndWrongAckFailWithoutRetry) {
  ScriptedPort port;
  BoardLink link(&port);
  Bytes bad(43, 0x00);
  bad.back() = 0x01;
  port.Reply(bad);
  port.Reply(bad);
  Bytes reply;
  EXPECT_FALSE(link.ReadTableEntry(0, reply));
  EXPECT_TRUE(reply.empty());
  EXPECT_EQ(port.Frames().size(), 1u);

  port.writes.clear();
  port.answers.clear();
  port.Reply({0x15});
  port.Ack();
  EXPECT_FALSE(link.StopMotion());
  EXPECT_EQ(port.Frames().size(), 1u);

  port.writes.clear();
  port.answers.clear();
  // A missing acknowledgement is a short reply and is asked again.
  port.Reply({});
  port.Ack();
  EXPECT_TRUE(link.StopMotion());
  EXPECT_EQ(port.Frames().size(), 2u);
}

TEST(Transact, LiveCommandsDoNotRead) {
  ScriptedPort port;
  port.answers.push_back({0x00});
  port.answers.push_back({0x06});  // must stay unread
  BoardLink link(&port);
  EXPECT_TRUE(link.SetServoLive(0, 0x3FFF));
  EXPECT_EQ(port.Frames(), (std::vector<Bytes>{{0xFE, 0x00, 0x00, 0x01, 0x3F, 0xFF, 0x3D}}));
  EXPECT_EQ(port.readSizes, (std::vector<int>{1}));
  EXPECT_EQ(port.answers.size(), 1u);
}

TEST(Transact, NoPortOrClosedPortFailsEveryCommand) {
  RecordingPrompter prompter;
  BoardLink link(nullptr, &prompter);
  Bytes reply;
  EXPECT_FALSE(link.ReadVersion(reply));
  EXPECT_FALSE(link.StopMotion());
  EXPECT_TRUE(link.SetServoLive(3, 100));
  EXPECT_TRUE(link.SetAdCalibrationLive(0, 100));
  EXPECT_FALSE(link.SetSleep(ModeSwitch::On));
  EXPECT_EQ(prompter.captions.back(), "Brivane 3");

  ScriptedPort port;
  port.open = false;
  port.Reply({0x06});
  link.SetPort(&port);
  EXPECT_FALSE(link.StopMotion());
  EXPECT_TRUE(port.writes.empty());
  EXPECT_EQ(Transact(nullptr, {0xD2, 0xD2}, 49, 5), Bytes{});
}

TEST(Transact, CaptionShowsBusyDuringEveryCommandAndTitleAfter) {
  ScriptedPort port;
  RecordingPrompter prompter;
  BoardLink link(&port, &prompter);
  port.Ack();
  EXPECT_TRUE(link.StopMotion());
  EXPECT_EQ(prompter.captions,
            (std::vector<std::string>{"Brivane 3 [Communication now]", "Brivane 3"}));

  prompter.captions.clear();
  Bytes reply;
  EXPECT_FALSE(link.ReadVersion(reply));
  EXPECT_EQ(prompter.captions,
            (std::vector<std::string>{"Brivane 3 [Communication now]", "Brivane 3"}));

  // An exception from the port passes through, but the caption and the single-try limit are
  // restored.
  prompter.captions.clear();
  port.throwOnRead = true;
  EXPECT_THROW(link.ReadSvlEntryShort(2, reply), std::runtime_error);
  EXPECT_EQ(prompter.captions.back(), "Brivane 3");
  EXPECT_EQ(link.AttemptLimit(), 5);
  EXPECT_EQ(port.timeOut, 300);

  // A command started while another one runs (from an event handled during the wait) is refused
  // instead of interleaving on the line.
  port.throwOnRead = false;
  struct Reentrant : ScriptedPort {
    BoardLink* link = nullptr;
    bool nested = true;
    int ReadBytes(uint8_t* buffer, int count) override {
      if (link) {
        Bytes r;
        nested = link->ReadVersion(r);
        link = nullptr;
      }
      return ScriptedPort::ReadBytes(buffer, count);
    }
  } reentrant;
  reentrant.link = &link;
  reentrant.Ack();
  link.SetPort(&reentrant);
  EXPECT_TRUE(link.StopMotion());
  EXPECT_FALSE(reentrant.nested);
  EXPECT_EQ(reentrant.Frames().size(), 1u);
}

TEST(Transact, SerialServoRecordsUseLongTimeOutAndShortReadTriesOnce) {
  ScriptedPort port;
  BoardLink link(&port);
  for (int i = 0; i < 6; ++i) port.Reply(Bytes(5, 0));
  Bytes reply;
  EXPECT_FALSE(link.ReadSvlEntryShort(4, reply));
  EXPECT_EQ(port.Frames(), (std::vector<Bytes>{{0xDA, 0x04, 0xDE}}));
  EXPECT_EQ(port.readTimeOuts, (std::vector<int>{500, 500}));
  EXPECT_EQ(port.timeOut, 300);
  EXPECT_EQ(link.AttemptLimit(), 5);

  port.writes.clear();
  port.readTimeOuts.clear();
  EXPECT_FALSE(link.ReadSvlEntryLong(4, reply));
  EXPECT_EQ(port.Frames().size(), 5u);
  EXPECT_EQ(port.timeOut, 300);

  port.writes.clear();
  port.answers.clear();
  Bytes record(17, 0x33);
  port.Ack();
  EXPECT_TRUE(link.WriteSvlEntryShort(1, record));
  EXPECT_EQ(port.readTimeOuts.back(), 500);
  EXPECT_EQ(port.Frames()[0], WithChecksum([&] {
              Bytes f{0xDB, 0x01};
              f.insert(f.end(), record.begin(), record.end());
              return f;
            }()));
  EXPECT_EQ(port.timeOut, 300);
}

}  // namespace
}  // namespace brv3
