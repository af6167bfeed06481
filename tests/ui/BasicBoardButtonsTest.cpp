#include "ui/app/BoardButtons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "core/comm/BoardLink.h"
#include "core/comm/Notifications.h"
#include "support/ScriptedPrompter.h"
#include "support/UnaskedBytesPort.h"

namespace brv3 {
namespace {

using test::UnaskedBytesPort;

class CountingActions : public BasicBoardButtons {
 public:
  using BasicBoardButtons::BasicBoardButtons;
  void AnalogReportArrived(const AnalogReport& report) override { analog.push_back(report); }
  std::vector<AnalogReport> analog;
};

TEST(BasicBoardButtonsTest, PlaybackReportsBecomeStatusLinesAndAnalogReportsArePassedOn) {
  UnaskedBytesPort port;
  test::ScriptedPrompter prompter;
  BoardLink link(&port, &prompter);
  NotificationBuffer buffer;
  CountingActions actions(link, prompter, buffer);

  Bytes playback{0xFF, 0x03, 0, 0, 0, 0, 0, 0x02, 0x02, 0x05};
  playback.resize(1 + 6 + 24, 0x00);
  playback.push_back(0x00);
  const auto decoded = DecodeNotification(playback);
  ASSERT_TRUE(decoded && std::holds_alternative<PlaybackReport>(*decoded));
  const auto lines = std::get<PlaybackReport>(*decoded).Lines();
  ASSERT_FALSE(lines.empty());

  // Split across two receive events: nothing shows until the report is complete.
  port.incoming.assign(playback.begin(), playback.begin() + 10);
  actions.CommX1Receive(10);
  EXPECT_TRUE(prompter.statuses.empty());
  port.incoming.assign(playback.begin() + 10, playback.end());
  actions.CommX1Receive(static_cast<int>(playback.size() - 10));
  EXPECT_EQ(prompter.statuses, lines);

  const Bytes analog{0xFE, 0x05, 0x0A, 0, 0, 0, 0, 0, 0, 0};
  port.incoming.assign(analog.begin(), analog.end());
  actions.CommX1Receive(static_cast<int>(analog.size()));
  ASSERT_EQ(actions.analog.size(), 1u);
  EXPECT_EQ(actions.analog[0].Values[0], 650);
  EXPECT_EQ(prompter.statuses.size(), lines.size());

  // Without a port there is nothing to read and nothing happens.
  link.SetPort(nullptr);
  port.incoming.assign(playback.begin(), playback.end());
  actions.CommX1Receive(static_cast<int>(playback.size()));
  EXPECT_EQ(prompter.statuses.size(), lines.size());
}

}  // namespace
}  // namespace brv3
