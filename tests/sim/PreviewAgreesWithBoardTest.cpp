#include <gtest/gtest.h>

#include "core/motion/ChannelWord.h"
#include "core/motion/MotionPreview.h"
#include "sim/Board.h"

namespace brv3::sim::test {
namespace {

PoseRecord Step(uint8_t head, uint16_t word) {
  PoseRecord r;
  r.Head = head;
  r.Values.fill(word);
  return r;
}

PoseRecord Pose(uint8_t speed, int seed) {
  PoseRecord r;
  r.Head = speed;
  for (int c = 0; c < kChannels; ++c)
    r.Values[c] = static_cast<uint16_t>(c % 5 == 4 ? 0 : 9000 + (seed * 3701 + c * 977) % 15000);
  r.Values[7] = seed % 2 ? kWordFree : r.Values[7];
  return r;
}

// A board switched on with `records` in slot 0 as its power-up motion plays it from time 0, as
// the preview does.
std::unique_ptr<Board> BoardPlaying(const std::vector<PoseRecord>& records) {
  FlashMemory flash = FlashMemory::Defaults();
  flash.table[0][0] = static_cast<uint8_t>(records.size());
  for (size_t i = 0; i < records.size(); ++i) records[i].PackInto(flash.motions[i].data());
  flash.startMotions[1] = 0;
  flash.modeWord = kModePowerUpMotion;
  return std::make_unique<Board>(flash, 0);
}

void ExpectSameOutputs(const std::vector<PoseRecord>& records, double seconds) {
  const MotionPreview preview(records);
  const std::unique_ptr<Board> board = BoardPlaying(records);
  for (Nanos t = 0; t <= static_cast<Nanos>(seconds * 1e9); t += 3 * kMillisecond) {
    board->AdvanceTo(t);
    const PreviewSample sample = preview.At(static_cast<double>(t) / 1e9);
    ASSERT_EQ(sample.words, board->ServoPositions(t)) << "at " << t / kMillisecond << " ms";
    if (!preview.RunsForever()) {
      ASSERT_EQ(sample.finished, !board->Playing()) << "at " << t / kMillisecond << " ms";
    }
  }
}

TEST(PreviewAgreesWithBoard, ALoopingMotionWithJumpsAndEnd) {
  // Counter 2; three poses; a jump over a pose; the loop back; a zero-speed pose; END.
  ExpectSameOutputs(
      {Step(1, 33287 + 2), Pose(12, 1), Pose(7, 2), Step(1, kWordJumpBase + 5), Pose(9, 3),
       Pose(20, 4), Step(1, 33543 + 1), Pose(0, 5), Pose(3, 6), Step(1, kWordEnd)},
      3.0);
}

TEST(PreviewAgreesWithBoard, AMotionThatNeverEnds) {
  // Folding the repetition back must give what the board shows many periods later.
  ExpectSameOutputs({Pose(5, 1), Pose(11, 2), Step(1, 33287 + 1), Pose(4, 3), Step(1, 33543 + 3),
                     Step(1, kWordJumpBase + 0)},
                    20.0);
}

}  // namespace
}  // namespace brv3::sim::test
