#include <random>

#include <gtest/gtest.h>

#include "ScriptedPort.h"
#include "core/comm/Notifications.h"

namespace brv3 {
namespace {

Bytes PlaybackFrame(const Bytes& masks, const Bytes& values) {
  Bytes f{0xFF};
  f.insert(f.end(), masks.begin(), masks.end());
  Bytes v = values;
  v.resize(24, 0x00);
  f.insert(f.end(), v.begin(), v.end());
  f.push_back(0x00);
  return f;
}

TEST(Notifications, ThirteenBytesGiveOneAnalogReportAndKeepTheRest) {
  NotificationBuffer buffer;
  const Bytes burst{0x01, 0x02, 0xFE, 0x05, 0x0A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  const auto n = buffer.ReceiveEvent(burst.data(), burst.size());
  ASSERT_TRUE(n.has_value());
  const auto* analog = std::get_if<AnalogReport>(&*n);
  ASSERT_NE(analog, nullptr);
  EXPECT_EQ(analog->Values, (std::array<uint16_t, 4>{650, 0, 0, 0}));
  EXPECT_EQ(analog->VoltageText(), "10.00V");
  EXPECT_EQ(analog->InputTexts(), (std::array<std::string, 3>{"0.00V", "0.00V", "0.00V"}));
  EXPECT_EQ(buffer.Held(), Bytes{0x00});
}

TEST(Notifications, ReportsSplitAcrossEventsWaitForTheirRest) {
  NotificationBuffer buffer;
  const Bytes report = PlaybackFrame({0x03, 0, 0, 0, 0, 0}, {0x02, 0x02, 0x05});
  EXPECT_FALSE(buffer.ReceiveEvent(report.data(), 5).has_value());
  EXPECT_EQ(buffer.Size(), 5u);
  EXPECT_FALSE(buffer.ReceiveEvent(report.data() + 5, 20).has_value());
  const auto n = buffer.ReceiveEvent(report.data() + 25, report.size() - 25);
  ASSERT_TRUE(n.has_value());
  // Only values 0 and 1 count (mask bits 0 and 1); both are 2, shown once.
  EXPECT_EQ(std::get<PlaybackReport>(*n).Lines(), std::vector<std::string>{"[3]Playback is done"});
  EXPECT_EQ(buffer.Size(), 0u);
}

TEST(Notifications, DecodesPlaybackAnalogAndRemoteReports) {
  // Mask byte k/4 bit k%4 selects value k; the upper mask bits are ignored; 255 is never shown.
  const auto playback = DecodeNotification(
      PlaybackFrame({0xF1, 0x08, 0, 0, 0, 0x08},
                    {7, 9, 9, 9, 9, 9, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255}));
  ASSERT_TRUE(playback.has_value());
  EXPECT_EQ(std::get<PlaybackReport>(*playback).Entries, (std::vector<int>{0, 7}));

  const auto analog =
      DecodeNotification({0xFE, 0x7F, 0x7F, 0x01, 0x00, 0x07, 0x55, 0x00, 0x01, 0x00});
  ASSERT_TRUE(analog.has_value());
  const auto& a = std::get<AnalogReport>(*analog);
  EXPECT_EQ(a.Values, (std::array<uint16_t, 4>{16383, 128, 981, 1}));
  EXPECT_EQ(a.VoltageText(), "252.13V");  // 16383 x 0.01539 = 252.134
  EXPECT_EQ(a.InputTexts(), (std::array<std::string, 3>{"0.68V", "5.22V", "0.01V"}));
  EXPECT_EQ((AnalogReport{{325, 0, 0, 0}}.VoltageText()), "05.00V");

  const auto remote = DecodeNotification({0xFD, 0x00, 0x12, 0x34, 1, 2, 3, 4, 0x00});
  ASSERT_TRUE(remote.has_value());
  const auto& r = std::get<RemoteReport>(*remote);
  EXPECT_EQ(r.CodeText(), "4660");
  EXPECT_EQ(r.Transmitter, (std::array<uint8_t, 4>{1, 2, 3, 4}));

  EXPECT_FALSE(DecodeNotification({0xFD, 0x00}).has_value());
  EXPECT_FALSE(DecodeNotification({0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0}).has_value());
}

TEST(Notifications, OneReportPerEventAndGarbageIsNotHoarded) {
  NotificationBuffer buffer;
  Bytes burst{0xFD, 0x00, 0x00, 0x05, 0, 0, 0, 0, 0};
  const Bytes second{0xFD, 0x00, 0x00, 0x06, 0, 0, 0, 0, 0};
  burst.insert(burst.end(), second.begin(), second.end());
  auto n = buffer.ReceiveEvent(burst.data(), burst.size());
  ASSERT_TRUE(n.has_value());
  EXPECT_EQ(std::get<RemoteReport>(*n).Code, 5);
  EXPECT_EQ(buffer.Size(), 9u);
  n = buffer.ReceiveEvent(nullptr, 0);
  ASSERT_TRUE(n.has_value());
  EXPECT_EQ(std::get<RemoteReport>(*n).Code, 6);

  // Bytes with no header before them are dropped rather than kept for ever.
  const Bytes noise(300, 0x41);
  EXPECT_FALSE(buffer.ReceiveEvent(noise.data(), noise.size()).has_value());
  EXPECT_EQ(buffer.Size(), 0u);
  // A header byte of no known notification goes with the bytes before it.
  const Bytes odd{0x10, 0x80, 0x05, 0xFD, 0, 0, 9, 0, 0, 0, 0, 0};
  n = buffer.ReceiveEvent(odd.data(), odd.size());
  ASSERT_TRUE(n.has_value());
  EXPECT_EQ(std::get<RemoteReport>(*n).Code, 9);

  // A board that outpaces the events cannot make the backlog grow without end, and what is
  // kept still starts on a notification.
  buffer.Clear();
  for (int i = 0; i < 200; ++i) {
    Bytes two = burst;
    two[3] = static_cast<uint8_t>(i);
    buffer.ReceiveEvent(two.data(), two.size());
    EXPECT_LE(buffer.Size(), NotificationBuffer::kMaxHeld);
  }
  EXPECT_EQ(buffer.Held()[0], 0xFD);
  n = buffer.ReceiveEvent(nullptr, 0);
  ASSERT_TRUE(n.has_value());
}

TEST(Notifications, ReadsAtMost256BytesFromThePortPerEvent) {
  test::ScriptedPort port;
  port.answers.push_back(Bytes(300, 0x00));
  NotificationBuffer buffer;
  EXPECT_FALSE(buffer.ReceiveEvent(port, 300).has_value());
  EXPECT_EQ(port.readSizes, std::vector<int>{256});

  port.answers.push_back({0xFE, 0x05, 0x0A, 0, 0, 0, 0, 0, 0, 0});
  const auto n = buffer.ReceiveEvent(port, 10);
  ASSERT_TRUE(n.has_value());
  EXPECT_TRUE(std::holds_alternative<AnalogReport>(*n));

  port.open = false;  // a closed port hands nothing over
  EXPECT_FALSE(buffer.ReceiveEvent(port, 5).has_value());
}

TEST(Notifications, AnyByteStreamStaysBounded) {
  std::mt19937 random(12345);
  NotificationBuffer buffer;
  int decoded = 0;
  for (int event = 0; event < 3000; ++event) {
    Bytes chunk(random() % 300);
    for (auto& b : chunk)
      b = static_cast<uint8_t>(random() % 4 == 0 ? 0xFD + random() % 3 : random());
    const auto n = buffer.ReceiveEvent(chunk.data(), chunk.size());
    if (n) ++decoded;
    ASSERT_LE(buffer.Size(), NotificationBuffer::kMaxHeld);
  }
  EXPECT_GT(decoded, 1000);
}

}  // namespace
}  // namespace brv3
