#include "core/motion/PoseEditor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/comm/EventPump.h"

namespace brv3 {
namespace {

// A board that logs every call and serves scripted replies.
class FakePoseBoard : public PoseEditorBoard {
 public:
  std::vector<std::string> log;
  std::optional<ChannelMask> mask = ChannelMask{0, 0, 0};
  std::optional<PoseRecord> livePose;
  std::optional<ChannelBytes> speedTable;
  Bytes positions = Bytes(48, 0);
  std::vector<PoseRecord> written;
  std::function<void()> duringLive;

  bool WritePose(const PoseRecord& record) override {
    log.push_back("WritePose");
    written.push_back(record);
    return true;
  }
  bool ReadServoPositions(Bytes& out) override {
    log.push_back("ReadServoPositions");
    out = positions;
    return true;
  }
  void SetServoLive(int channel, uint16_t word) override {
    log.push_back("Live " + std::to_string(channel) + " " + std::to_string(word));
    if (duringLive) duringLive();
  }
  std::optional<PoseRecord> ReadLivePose() override {
    log.push_back("ReadPose");
    return livePose;
  }
  std::optional<ChannelMask> ReadSerialServoMask() override {
    log.push_back("ReadMask");
    return mask;
  }
  std::optional<ChannelBytes> ReadSpeedTable() override {
    log.push_back("ReadSpeedTable");
    return speedTable;
  }
  std::optional<ChannelBytes> ReadStretchTable() override {
    log.push_back("ReadStretchTable");
    return speedTable;
  }
  bool WriteHomePosition(const ChannelWords& words) override {
    log.push_back("WriteHome " + std::to_string(words[0]));
    return true;
  }
  bool ToggleSleep() override {
    log.push_back("ToggleSleep");
    return true;
  }
};

// Records every store with its gesture, so undo merging can be checked.
class RecordingTarget : public PoseTarget {
 public:
  PoseRecord pose;
  std::vector<int> gestures;
  int ends = 0;
  std::string Name() const override { return "POS3"; }
  PoseRecord Pose() const override { return pose; }
  void StorePose(const PoseRecord& p, int gesture) override {
    pose = p;
    gestures.push_back(gesture);
  }
  void EndGesture() override { ++ends; }
};

class PoseEditorTest : public ::testing::Test {
 protected:
  FakePoseBoard board;
  bool sync = false;
  PoseEditor editor{board, [this] { return sync; }};
  RecordingTarget target;

  void OpenWith(std::initializer_list<std::pair<int, uint16_t>> words, uint8_t head = 100) {
    target.pose.Head = head;
    for (auto [c, w] : words) target.pose.Values[static_cast<size_t>(c - 1)] = w;
    editor.Open(&target);
  }
};

TEST_F(PoseEditorTest, OpenShowsEachKindOfWord) {
  OpenWith({{1, 16500},
            {2, 0x8001},
            {3, 0x8004},
            {4, 0x8007 + 20},
            {5, 0x8087 + 9},
            {6, 0x8006},
            {7, 0x8107},
            {8, 0xFFFF}},
           0);
  EXPECT_EQ(editor.Caption(), "POS3");
  EXPECT_EQ(editor.SpeedBar(), 1);  // held within 1..255
  EXPECT_EQ(editor.Channel(1).Kind, ChannelKind::Servo);
  EXPECT_EQ(editor.Channel(1).EditText, "116");
  EXPECT_EQ(editor.Channel(2).Kind, ChannelKind::Level);
  EXPECT_TRUE(editor.Channel(2).Radios[static_cast<size_t>(ChannelRadio::High)]);
  EXPECT_EQ(editor.Channel(3).Kind, ChannelKind::FreeSet);
  EXPECT_TRUE(editor.Channel(3).Radios[static_cast<size_t>(ChannelRadio::Set2)]);
  EXPECT_EQ(editor.Channel(4).Kind, ChannelKind::SpeedStretch);
  EXPECT_EQ(editor.Channel(4).SpeedStretchLabel, "SP");
  EXPECT_EQ(editor.Channel(4).EditText, "20");
  EXPECT_EQ(editor.Channel(5).SpeedStretchLabel, "ST");
  EXPECT_EQ(editor.Channel(5).SpeedStretch, 9);
  for (int c : {6, 7, 8, 9}) EXPECT_EQ(editor.Channel(c).Kind, ChannelKind::None) << c;
  // Without SYNC nothing goes to the board.
  EXPECT_TRUE(board.log.empty());

  const PoseRecord built = editor.BuildRecord();
  EXPECT_EQ(built.Head, 1);
  EXPECT_EQ(built.Values[0], 16500);
  EXPECT_EQ(built.Values[1], 0x8001);
  EXPECT_EQ(built.Values[2], 0x8004);
  EXPECT_EQ(built.Values[3], 0x8007 + 20);
  EXPECT_EQ(built.Values[4], 0x8087 + 9);
  EXPECT_EQ(built.Values[5], 0);  // 0x8006 and the words past STRETCH build as 0
  EXPECT_EQ(built.Values[6], 0);
  EXPECT_EQ(built.Values[7], 0);
}

TEST_F(PoseEditorTest, ServoWordOutsideTheRangeShowsAtTheNearerEnd) {
  OpenWith({{1, 20000}, {2, 100}});
  EXPECT_EQ(editor.Channel(1).Position, kPulseServoMaximum);
  EXPECT_EQ(editor.Channel(1).EditText, "690");
  EXPECT_EQ(editor.BuildRecord().Values[0], kPulseServoMaximum);
  EXPECT_EQ(editor.BuildRecord().Values[1], kPulseServoRange.minimum);
  // A serial-servo range widens the slider; the held position stays where it was.
  editor.ApplySerialServoMask({0x01, 0x00, 0x00});
  EXPECT_EQ(editor.Channel(1).Range, kSerialServoRange);
  EXPECT_TRUE(editor.IsSerialServo(1));
  EXPECT_FALSE(editor.IsSerialServo(2));
  EXPECT_EQ(editor.Channel(1).Position, kPulseServoMaximum);
}

TEST_F(PoseEditorTest, OpenWithSyncOnAnAllZeroPoseReadsTheBoardFirstThenWritesIt) {
  sync = true;
  PoseRecord onBoard;
  onBoard.Head = 7;
  onBoard.Values[0] = 16400;
  onBoard.Values[1] = 0x8000;
  board.livePose = onBoard;
  board.mask = ChannelMask{0x01, 0, 0};
  OpenWith({}, 60);
  EXPECT_EQ(board.log, (std::vector<std::string>{"ReadMask", "ReadMask", "ReadPose", "WritePose"}));
  // The object takes the board's pose and keeps its own speed.
  EXPECT_EQ(target.pose.Head, 60);
  EXPECT_EQ(target.pose.Values[0], 16400);
  EXPECT_EQ(target.pose.Values[1], 0x8000);
  ASSERT_EQ(board.written.size(), 1u);
  EXPECT_EQ(board.written[0], target.pose);
  EXPECT_EQ(editor.Channel(1).Range, kSerialServoRange);

  // A pose that is not all zero is sent as it stands.
  board.log.clear();
  OpenWith({{3, 16384}});
  EXPECT_EQ(board.log, (std::vector<std::string>{"ReadMask", "WritePose"}));
}

TEST_F(PoseEditorTest, ScaleFactorShapesDisplayAndEntry) {
  OpenWith({{1, 16484}});
  editor.SetScaleFactor(1, 0.5);
  EXPECT_EQ(editor.Channel(1).EditText, "50");
  EXPECT_EQ(editor.Channel(1).EditColor, kEditAqua);
  editor.EditEntered(1, "50");
  EXPECT_EQ(target.pose.Values[0], 16484);
  editor.EditEntered(1, "51");
  EXPECT_EQ(target.pose.Values[0], 16486);
  EXPECT_EQ(editor.Channel(1).EditText, "51");
  // Text that is not a number keeps the current position; numbers past the end are held.
  editor.EditEntered(1, "abc");
  EXPECT_EQ(target.pose.Values[0], 16486);
  editor.EditEntered(1, "99999999999");
  EXPECT_EQ(target.pose.Values[0], kPulseServoMaximum);
  // A factor of 0 cannot be divided by: the position stays.
  editor.SetScaleFactor(1, 0.0);
  editor.EditEntered(1, "5");
  EXPECT_EQ(target.pose.Values[0], kPulseServoMaximum);
  editor.SetScaleFactor(1, -1.0);
  EXPECT_EQ(editor.Channel(1).EditColor, kEditWhite);
  // Halves go to the even neighbour.
  EXPECT_EQ(PoseEditor::DisplayedValue(16385, 0.5), 0);
  EXPECT_EQ(PoseEditor::DisplayedValue(16387, 0.5), 2);
}

TEST_F(PoseEditorTest, EnterOnAFreeChannelStoresAServoPositionAndSendsItWithSync) {
  sync = true;
  OpenWith({{2, 0x8002}});
  board.log.clear();
  editor.EditEntered(2, "10");
  EXPECT_EQ(target.pose.Values[1], 16394);
  EXPECT_EQ(editor.Channel(2).Kind, ChannelKind::FreeSet);
  EXPECT_EQ(board.log, (std::vector<std::string>{"Live 2 16394"}));
}

TEST_F(PoseEditorTest, SpeedStretchEditAndSlider) {
  OpenWith({{4, 0x8087 + 3}});
  editor.EditEntered(4, "500");
  EXPECT_EQ(editor.Channel(4).SpeedStretch, 127);
  EXPECT_EQ(target.pose.Values[3], 0x8087 + 127);
  editor.EditEntered(4, "x");
  EXPECT_EQ(target.pose.Values[3], 0x8087 + 127);
  EXPECT_TRUE(editor.SpeedStretchSliderMoved(4, 0));
  EXPECT_EQ(editor.Channel(4).SpeedStretch, 1);
  EXPECT_EQ(target.pose.Values[3], 0x8087 + 1);
}

TEST_F(PoseEditorTest, RadioReleasedOutsideChangesNothingInsideStoresAndReadsTheServo) {
  sync = true;
  OpenWith({{5, 0x8001}});
  board.log.clear();
  const PoseRecord before = target.pose;
  editor.RadioReleased(5, ChannelRadio::Free, false);
  EXPECT_EQ(target.pose, before);
  EXPECT_TRUE(board.log.empty());

  board.positions[8] = 0x40;  // channel 5 stands at 0x4032 = 16434
  board.positions[9] = 0x32;
  editor.RadioReleased(5, ChannelRadio::Free, true);
  EXPECT_EQ(target.pose.Values[4], 0x8002);
  EXPECT_EQ(board.log, (std::vector<std::string>{"Live 5 32770", "ReadServoPositions"}));
  EXPECT_EQ(editor.Channel(5).EditText, "50");
  EXPECT_EQ(editor.Channel(5).Position, 16434);
  EXPECT_TRUE(editor.Channel(5).Radios[static_cast<size_t>(ChannelRadio::Free)]);
  EXPECT_FALSE(editor.Channel(5).Radios[static_cast<size_t>(ChannelRadio::High)]);

  board.log.clear();
  editor.RadioReleased(5, ChannelRadio::Low, true);
  EXPECT_EQ(board.log, (std::vector<std::string>{"Live 5 32768"}));
}

TEST_F(PoseEditorTest, MenuTypeChoices) {
  OpenWith({{6, 16500}});
  editor.TypeChosen(6, kTypeHigh);
  EXPECT_EQ(target.pose.Values[5], 0x8001);
  EXPECT_EQ(editor.Channel(6).Kind, ChannelKind::Level);
  editor.TypeChosen(6, kTypeServo);
  EXPECT_EQ(target.pose.Values[5], 16500);  // the slider kept its position
  editor.TypeChosen(6, kTypeSet3);
  EXPECT_EQ(target.pose.Values[5], 0x8005);
  EXPECT_EQ(editor.Channel(6).Kind, ChannelKind::FreeSet);
  // A table that cannot be read stores 0 while the panel shows SPEED/STRETCH.
  editor.TypeChosen(6, kTypeSpeed);
  EXPECT_EQ(target.pose.Values[5], 0);
  EXPECT_EQ(editor.Channel(6).Kind, ChannelKind::SpeedStretch);
  ChannelBytes table{};
  table[5] = 40;
  board.speedTable = table;
  editor.TypeChosen(6, kTypeStretch);
  EXPECT_EQ(target.pose.Values[5], 0x8087 + 40);
  EXPECT_EQ(editor.Channel(6).SpeedStretchLabel, "ST");
  table[5] = 200;  // outside 0..127 counts as 0
  board.speedTable = table;
  editor.TypeChosen(6, kTypeSpeed);
  EXPECT_EQ(target.pose.Values[5], 0x8007);
  editor.TypeChosen(6, kTypeNone);
  EXPECT_EQ(target.pose.Values[5], 0);
  EXPECT_EQ(editor.Channel(6).Kind, ChannelKind::None);
}

TEST_F(PoseEditorTest, SpeedBarAndSpeedEdit) {
  OpenWith({}, 80);
  editor.SpeedBarMoved(300);
  EXPECT_EQ(editor.SpeedBar(), 255);
  EXPECT_EQ(target.pose.Head, 255);
  editor.SpeedEditEntered("42");
  EXPECT_EQ(target.pose.Head, 42);
  EXPECT_EQ(editor.SpeedEditText(), "42");
  editor.SpeedEditEntered("0");  // not in 1..255: the bar's position
  EXPECT_EQ(editor.SpeedEditText(), "42");
  EXPECT_EQ(target.pose.Head, 42);
}

// A pump that delivers slider events while a live frame is on its way, as the event loop does.
class ScriptedPump : public EventPump {
 public:
  std::function<void()> onPump;
  int pumps = 0;
  void Pump() override {
    ++pumps;
    if (auto run = std::exchange(onPump, nullptr)) run();
  }
};

TEST(PoseEditorLive, MovesQueuedDuringASendFoldIntoTheNewestAndTheReleaseIsApplied) {
  FakePoseBoard board;
  ScriptedPump pump;
  PoseEditor editor(
      board, [] { return true; }, &pump);
  RecordingTarget target;
  target.pose.Values[0] = 16384;
  editor.Open(&target);
  board.log.clear();

  // Queued behind the first move: two more moves of the same slider, one of another channel,
  // and the release.
  bool refused = false;
  pump.onPump = [&] {
    refused = !editor.PositionSliderMoved(1, 16400);
    refused = !editor.PositionSliderMoved(1, 16405) && refused;
    refused = !editor.PositionSliderMoved(2, 16000) && refused;
    refused = !editor.PositionSliderMoved(1, 16407) && refused;
    editor.PositionSliderReleased(1, 16410);
  };
  EXPECT_TRUE(editor.PositionSliderMoved(1, 16390));
  EXPECT_TRUE(refused);
  EXPECT_FALSE(editor.ScrollBusy());
  // Refused moves run no event loop of their own: one pump per frame sent (the move, the release).
  EXPECT_EQ(pump.pumps, 2);
  // The frame goes where the slider stands after the queued moves; the other channel's move is
  // dropped; the release ends the drag.
  EXPECT_EQ(board.log, (std::vector<std::string>{"Live 1 16407", "Live 1 16410"}));
  EXPECT_EQ(target.pose.Values[0], 16410);
  EXPECT_EQ(target.pose.Values[1], 0);
  EXPECT_EQ(editor.Channel(1).Position, 16410);
  // Every store of the drag belongs to the channel's gesture, which the release ends.
  EXPECT_EQ(target.gestures, (std::vector<int>{1, 1}));
  EXPECT_EQ(target.ends, 1);
}

TEST(PoseEditorLive, AMoveDuringTheFrameIsFollowedUpSoTheBoardEndsWhereTheSliderIs) {
  FakePoseBoard board;
  PoseEditor editor(board, [] { return true; });
  RecordingTarget target;
  target.pose.Values[0] = 16384;
  editor.Open(&target);
  board.log.clear();

  // The board link lets events run while it waits: the pointer moves on twice during the first
  // frame, and during the second it is moved to where it already is.
  int frames = 0;
  board.duringLive = [&] {
    if (++frames == 1) {
      EXPECT_FALSE(editor.PositionSliderMoved(1, 16395));
      EXPECT_FALSE(editor.PositionSliderMoved(1, 16399));
    } else {
      EXPECT_FALSE(editor.PositionSliderMoved(1, 16399));
    }
  };
  EXPECT_TRUE(editor.PositionSliderMoved(1, 16390));
  EXPECT_EQ(board.log, (std::vector<std::string>{"Live 1 16390", "Live 1 16399"}));
  EXPECT_EQ(target.pose.Values[0], 16399);
  EXPECT_FALSE(editor.ScrollBusy());
}

TEST_F(PoseEditorTest, ButtonBarActions) {
  OpenWith({{1, 16400}, {2, 0x8000}}, 90);
  ASSERT_TRUE(editor.WritePose());
  ASSERT_EQ(board.written.size(), 1u);
  EXPECT_EQ(board.written[0].Head, 90);
  EXPECT_EQ(board.written[0].Values[0], 16400);

  ASSERT_TRUE(editor.SetHomePosition());
  EXPECT_EQ(board.log.back(), "WriteHome 16400");
  ASSERT_TRUE(editor.ToggleSleep());

  // Read pose: a failed mask read stops before the pose is read.
  board.mask.reset();
  board.log.clear();
  EXPECT_FALSE(editor.ReadPose());
  EXPECT_EQ(board.log, (std::vector<std::string>{"ReadMask"}));
  board.mask = ChannelMask{0, 0, 0};
  EXPECT_FALSE(editor.ReadPose());  // no pose on the board: nothing changes
  EXPECT_EQ(target.pose.Values[0], 16400);
  PoseRecord onBoard;
  onBoard.Head = 3;
  onBoard.Values[0] = 16300;
  board.livePose = onBoard;
  ASSERT_TRUE(editor.ReadPose());
  EXPECT_EQ(target.pose.Head, 90);
  EXPECT_EQ(target.pose.Values[0], 16300);
  EXPECT_EQ(target.pose.Values[1], 0);
  EXPECT_EQ(editor.Channel(2).Kind, ChannelKind::None);
}

TEST_F(PoseEditorTest, IncrementLinkAndSnapshotGoThroughTheChosenLink) {
  OpenWith({{1, 16384}, {2, 16384}, {3, 0x8001}});
  EXPECT_FALSE(editor.IncrementLink(+1));  // no link chosen
  ChannelTexts link;
  link[0] = "MOV(+10)";
  link[1] = "TCH";
  link[2] = "TTL(L)";
  editor.ChooseLink(link);
  ASSERT_TRUE(editor.IncrementLink(-1));
  EXPECT_EQ(target.pose.Values[0], 16374);
  EXPECT_EQ(editor.Channel(1).EditText, "-10");
  EXPECT_EQ(target.pose.Values[2], 0x8000);
  EXPECT_EQ(editor.Channel(3).Kind, ChannelKind::Level);
  EXPECT_TRUE(board.written.empty());  // without SYNC nothing is sent

  // With SYNC a refused pose leaves the object as it was.
  sync = true;
  class Refusing : public FakePoseBoard {
   public:
    bool WritePose(const PoseRecord&) override { return false; }
  } refusing;
  PoseEditor other(refusing, [] { return true; });
  other.Open(&target);
  other.ChooseLink(link);
  const PoseRecord before = target.pose;
  EXPECT_FALSE(other.IncrementLink(+1));
  EXPECT_EQ(target.pose, before);

  // Snapshot: the first press frees the TCH channel, the second takes its measured position.
  sync = false;
  ASSERT_TRUE(editor.Snapshot());
  EXPECT_EQ(target.pose.Values[1], 0x8002);
  board.positions[2] = 0x40;
  board.positions[3] = 0x64;  // channel 2 now stands at 16484
  ASSERT_TRUE(editor.Snapshot());
  EXPECT_EQ(target.pose.Values[1], 16484);
  EXPECT_EQ(target.pose.Values[0], 16374);
  // Opening the editor again keeps the choice: the link is the user's until another is chosen.
  editor.Open(&target);
  EXPECT_TRUE(editor.LinkChosen());
}

TEST(ChartPoseTargetTest, WritesIntoTheObjectAndIgnoresABadIndex) {
  Chart chart;
  const int index = chart.PlaceObject(10, 10, kPosition);
  ChartPoseTarget target(chart, index);
  PoseRecord pose;
  pose.Head = 12;
  pose.Values[23] = 0x8001;
  target.StorePose(pose, 0);
  EXPECT_EQ(chart.Objects[static_cast<size_t>(index)].Head, 12);
  EXPECT_EQ(chart.Objects[static_cast<size_t>(index)].Values[23], 0x8001);
  EXPECT_EQ(target.Pose(), pose);
  ChartPoseTarget stale(chart, 5);
  stale.StorePose(pose, 0);
  EXPECT_EQ(stale.Name(), "");
}

}  // namespace
}  // namespace brv3
