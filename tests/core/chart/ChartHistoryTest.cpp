#include "core/chart/ChartHistory.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace brv3 {
namespace {

using Kinds = std::vector<ChartChangeKind>;

// Records the kinds (and origins) a chart announces.
struct ChangeLog {
  Kinds kinds;
  std::vector<ChangeOrigin> origins;
  Subscription subscription;
  explicit ChangeLog(const Chart& chart)
      : subscription(chart.Changes().Subscribe([this](const ChartChange& c) {
          kinds.push_back(c.kind);
          origins.push_back(c.origin);
        })) {}
};

ChartChange Change(ChartChangeKind kind) {
  return {kind, {}, ChangeOrigin::Edit};
}

// Moves object 0 by dx as one edit of `gesture`.
bool Nudge(ChartHistory& history, int32_t dx, ChartHistory::Gesture gesture = 0) {
  return history.Apply(
      "Move",
      [dx](Chart& chart) {
        chart.Objects[0].Left += dx;
        return dx != 0;
      },
      Change(ChartChangeKind::ObjectsChanged), gesture);
}

TEST(Notifier, SubscribersHearInOrderAndDetachWhenTheirHandleGoes) {
  Notifier<int> notifier;
  std::vector<std::string> heard;
  Subscription a = notifier.Subscribe([&](int v) { heard.push_back("a" + std::to_string(v)); });
  auto b = std::make_unique<Subscription>(
      notifier.Subscribe([&](int v) { heard.push_back("b" + std::to_string(v)); }));
  notifier.Notify(1);
  b.reset();
  notifier.Notify(2);
  EXPECT_EQ(heard, (std::vector<std::string>{"a1", "b1", "a2"}));
  EXPECT_EQ(notifier.SubscriberCount(), 1u);

  // A moved handle keeps the subscription; the moved-from one detaches nothing.
  Subscription moved = std::move(a);
  EXPECT_FALSE(a.Attached());
  notifier.Notify(3);
  EXPECT_EQ(heard.back(), "a3");

  // A handle outliving its notifier detaches harmlessly.
  Subscription late;
  {
    Notifier<int> shortLived;
    late = shortLived.Subscribe([](int) {});
  }
  late.Reset();
  EXPECT_FALSE(late.Attached());
}

TEST(Notifier, HandlersMayDetachAndSubscribeWhileNotified) {
  Notifier<int> notifier;
  std::vector<std::string> heard;
  Subscription first, second, third, added;
  first = notifier.Subscribe([&](int v) {
    heard.push_back("first" + std::to_string(v));
    first.Reset();   // itself
    second.Reset();  // one not yet called this round
    if (!added.Attached())
      added = notifier.Subscribe([&](int w) { heard.push_back("added" + std::to_string(w)); });
  });
  second = notifier.Subscribe([&](int v) { heard.push_back("second" + std::to_string(v)); });
  third = notifier.Subscribe([&](int v) { heard.push_back("third" + std::to_string(v)); });
  notifier.Notify(1);
  notifier.Notify(2);
  EXPECT_EQ(heard, (std::vector<std::string>{"first1", "third1", "third2", "added2"}));
  EXPECT_EQ(notifier.SubscriberCount(), 2u);
}

TEST(Notifier, HeldEventsArriveInOrderAfterTheLastRelease) {
  Notifier<int> notifier;
  std::vector<int> heard;
  Subscription s = notifier.Subscribe([&](int v) { heard.push_back(v); });
  notifier.Hold();
  notifier.Hold();
  notifier.Notify(1);
  notifier.Notify(2);
  notifier.Release();
  EXPECT_TRUE(heard.empty());
  notifier.Release();
  notifier.Release();  // one too many is ignored
  notifier.Notify(3);
  EXPECT_EQ(heard, (std::vector<int>{1, 2, 3}));
}

TEST(ChartEvents, CopiesAndMovesOfAChartCarryNoSubscribers) {
  Chart chart;
  ChangeLog log(chart);
  chart.PlaceObject(0, 0, kPosition);
  Chart copy = chart;
  copy.SetChartName("copy");
  Chart moved = std::move(copy);
  moved.SetChartName("moved");
  EXPECT_TRUE(log.kinds.empty());
  chart = moved;  // assigning data keeps the chart's own subscribers
  EXPECT_TRUE(chart == moved);
  EXPECT_EQ(chart.Name, "moved");
  chart.SetChartName("walk");
  EXPECT_EQ(log.kinds, Kinds{ChartChangeKind::HeaderChanged});
  EXPECT_FALSE(chart == moved);
}

TEST(ChartHistory, EditsUndoAndRedoRestoreExactStates) {
  Chart chart;
  ChartHistory history(chart);
  ChangeLog log(chart);
  EXPECT_TRUE(history.Apply(
      "Place", [](Chart& c) { return c.PlaceObject(10, 20, kPosition) >= 0; },
      Change(ChartChangeKind::ObjectsAdded)));
  const Chart placed = chart;
  EXPECT_TRUE(Nudge(history, 5));
  const Chart moved = chart;
  // An edit that changes nothing leaves no step and announces nothing.
  EXPECT_FALSE(Nudge(history, 0));
  EXPECT_EQ(history.UndoCount(), 2u);
  EXPECT_EQ(history.UndoLabel(), "Move");
  EXPECT_EQ(log.kinds, (Kinds{ChartChangeKind::ObjectsAdded, ChartChangeKind::ObjectsChanged}));

  ASSERT_TRUE(history.Undo());
  EXPECT_TRUE(chart == placed);
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(chart.ObjectCount(), 0);
  EXPECT_FALSE(history.Undo());
  EXPECT_EQ(history.RedoLabel(), "Place");
  ASSERT_TRUE(history.Redo());
  ASSERT_TRUE(history.Redo());
  EXPECT_TRUE(chart == moved);
  EXPECT_FALSE(history.Redo());
  EXPECT_EQ(log.kinds.back(), ChartChangeKind::Replaced);
  EXPECT_EQ(log.origins, (std::vector<ChangeOrigin>{ChangeOrigin::Edit, ChangeOrigin::Edit,
                                                    ChangeOrigin::Undo, ChangeOrigin::Undo,
                                                    ChangeOrigin::Redo, ChangeOrigin::Redo}));

  // A new edit after an undo drops what could have been redone.
  history.Undo();
  Nudge(history, -3);
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(chart.Objects[0].Left, 7);
}

TEST(ChartHistory, OneGestureIsOneStepUntilItEnds) {
  Chart chart;
  chart.PlaceObject(0, 0, kPosition);
  ChartHistory history(chart);
  const ChartHistory::Gesture drag = history.NewGesture();
  for (int i = 0; i < 100; ++i) Nudge(history, 1, drag);
  EXPECT_EQ(history.UndoCount(), 1u);
  EXPECT_EQ(chart.Objects[0].Left, 100);
  history.EndGesture();
  Nudge(history, 1, drag);  // the same number after the end starts anew
  EXPECT_EQ(history.UndoCount(), 2u);
  // Another gesture, or an edit outside any, never joins.
  const ChartHistory::Gesture slider = history.NewGesture();
  EXPECT_NE(slider, drag);
  Nudge(history, 1, slider);
  Nudge(history, 1);
  Nudge(history, 1);
  EXPECT_EQ(history.UndoCount(), 5u);

  history.Undo();
  history.Undo();
  history.Undo();
  history.Undo();
  EXPECT_EQ(chart.Objects[0].Left, 100);
  history.Undo();
  EXPECT_EQ(chart.Objects[0].Left, 0);
  // An undo ends the gesture: its next edit is a step of its own.
  history.Redo();
  Nudge(history, 1, drag);
  EXPECT_EQ(history.UndoCount(), 2u);
}

TEST(ChartHistory, CleanMarkFollowsSavesUndoAndLostStates) {
  Chart chart;
  chart.PlaceObject(0, 0, kPosition);
  ChartHistory history(chart);
  std::vector<bool> cleanSeen;
  Subscription s =
      history.SubscribeState([&](const HistoryState& st) { cleanSeen.push_back(st.Clean); });
  EXPECT_TRUE(history.IsClean());
  Nudge(history, 1);
  EXPECT_FALSE(history.IsClean());
  history.MarkClean();
  EXPECT_TRUE(history.IsClean());
  history.Undo();
  EXPECT_FALSE(history.IsClean());
  history.Redo();
  EXPECT_TRUE(history.IsClean());
  EXPECT_EQ(cleanSeen, (std::vector<bool>{false, true, false, true}));

  // Saved, then undone and edited otherwise: the saved state cannot come back.
  history.Undo();
  Nudge(history, 2);
  history.Undo();
  EXPECT_FALSE(history.IsClean());

  // Saved in the middle of a gesture: its later moves leave the saved state.
  history.Clear();
  const auto g = history.NewGesture();
  Nudge(history, 1, g);
  history.MarkClean();
  Nudge(history, 1, g);
  EXPECT_EQ(history.UndoCount(), 2u);
  EXPECT_FALSE(history.IsClean());

  history.Clear();
  EXPECT_TRUE(history.IsClean());
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.CanRedo());
}

TEST(ChartHistory, OldestStepsGoFirstAndTheNewestAlwaysStays) {
  Chart chart;
  chart.PlaceObject(0, 0, kPosition);
  ChartHistory limited(chart, 3);
  limited.MarkClean();
  for (int i = 0; i < 5; ++i) Nudge(limited, 1);
  EXPECT_EQ(limited.UndoCount(), 3u);
  while (limited.Undo()) {
  }
  EXPECT_EQ(chart.Objects[0].Left, 2);
  EXPECT_FALSE(limited.IsClean());  // the saved state was forgotten

  Chart big;
  big.AppendObjects(1000);
  EXPECT_GT(ChartHistory::ApproxBytes(big), 1000 * sizeof(ChartObject));
  ChartHistory probe(big);
  Nudge(probe, 1);
  const size_t oneStep = probe.StoredBytes();
  ChartHistory budgeted(big, 100, oneStep * 2 + oneStep / 2);
  for (int i = 0; i < 5; ++i) Nudge(budgeted, 1);
  EXPECT_EQ(budgeted.UndoCount(), 2u);
  EXPECT_LE(budgeted.StoredBytes(), oneStep * 3);
  ChartHistory tiny(big, 100, 1);
  Nudge(tiny, 1);
  Nudge(tiny, 1);
  EXPECT_EQ(tiny.UndoCount(), 1u);
  EXPECT_TRUE(tiny.Undo());
}

TEST(ChartHistory, EditsHoldTheirOwnAnnouncementsAndNestInsideOthers) {
  Chart chart;
  ChartHistory history(chart);
  Kinds seen;
  std::vector<int> countsSeen;
  Subscription s = chart.Changes().Subscribe([&](const ChartChange& c) {
    seen.push_back(c.kind);
    countsSeen.push_back(chart.ObjectCount());
  });
  history.Apply(
      "Read",
      [&](Chart& c) {
        c.SetChartName("WALK");  // heard only once the edit is done
        EXPECT_TRUE(seen.empty());
        c.PlaceObject(0, 0, kPosition);
        // A dialog run by this edit makes its own edit: part of this step.
        history.Apply(
            "Inner", [](Chart& inner) { return inner.PlaceObject(50, 0, kPosition) >= 0; },
            Change(ChartChangeKind::ObjectsAdded));
        EXPECT_FALSE(history.Undo());  // no undo while an edit runs
        return true;
      },
      Change(ChartChangeKind::Replaced));
  EXPECT_EQ(seen, (Kinds{ChartChangeKind::HeaderChanged, ChartChangeKind::ObjectsAdded,
                         ChartChangeKind::Replaced}));
  EXPECT_EQ(countsSeen, (std::vector<int>{2, 2, 2}));
  EXPECT_EQ(history.UndoCount(), 1u);
  history.Undo();
  EXPECT_EQ(chart.ObjectCount(), 0);
  EXPECT_EQ(chart.Name, kUntitledName);
}

TEST(ChartHistory, CheckedEditsCompareWithTheStateBefore) {
  Chart chart;
  chart.PlaceObject(0, 0, kPosition);
  ChartHistory history(chart);
  ChangeLog log(chart);
  EXPECT_FALSE(history.ApplyChecked(
      "Properties", [](Chart& c) { c.Objects[0].Name = c.Objects[0].Name; },
      Change(ChartChangeKind::ObjectsChanged)));
  EXPECT_TRUE(log.kinds.empty());
  EXPECT_TRUE(history.ApplyChecked(
      "Properties", [](Chart& c) { c.Objects[0].Width = 80; },
      Change(ChartChangeKind::ObjectsChanged)));
  EXPECT_EQ(history.UndoCount(), 1u);
  // Merging checked edits of one gesture (a slider) keeps one step.
  const auto slider = history.NewGesture();
  for (int v = 1; v <= 50; ++v)
    history.ApplyChecked(
        "Position", [v](Chart& c) { c.Objects[0].Values[3] = static_cast<uint16_t>(v); },
        Change(ChartChangeKind::ObjectsChanged), slider);
  EXPECT_EQ(history.UndoCount(), 2u);
  history.Undo();
  EXPECT_EQ(chart.Objects[0].Values[3], 0);
  EXPECT_EQ(chart.Objects[0].Width, 80);
}

// Edits of every shape on one chart: each undo and redo gives back exactly the state it should.
TEST(ChartHistory, StepsOfEveryShapeUndoAndRedoExactly) {
  Chart chart;
  chart.AppendObjects(12);
  chart.AppendLinks(6);
  for (int i = 0; i < chart.ObjectCount(); ++i) chart.Objects[static_cast<size_t>(i)].Left = i;
  for (int i = 0; i < chart.LinkCount(); ++i) {
    chart.Links[static_cast<size_t>(i)].Origin = i;
    chart.Links[static_cast<size_t>(i)].Point = {{i, i}, {i + 1, i}};
  }
  ChartHistory history(chart);
  const auto objects = ChartChange{ChartChangeKind::ObjectsChanged, {}, ChangeOrigin::Edit};
  std::vector<std::function<void(Chart&)>> edits = {
      [](Chart& c) { c.Objects[3].Left = 99; },                       // one object
      [](Chart& c) { c.Objects[1].Top = 5, c.Objects[10].Top = 7; },  // two far apart
      [](Chart& c) { c.Objects.erase(c.Objects.begin() + 4, c.Objects.begin() + 6); },
      [](Chart& c) { c.Objects.insert(c.Objects.begin(), ChartObject{}); },
      [](Chart& c) { c.AppendObjects(3); },
      [](Chart& c) { c.Objects.pop_back(); },
      [](Chart& c) {
        c.Links[2].Point.push_back({7, 7});
      },
      [](Chart& c) { c.Links.erase(c.Links.begin()); },
      [](Chart& c) { c.SetChartName("WALK"), c.Start = 2, c.CanvasWidth = 900; },
      [](Chart& c) { c.Objects.clear(), c.Links.clear(); },
      [](Chart& c) { c.AppendObjects(2); },
  };
  std::vector<Chart> states{chart};
  for (const auto& edit : edits) {
    ASSERT_TRUE(history.ApplyChecked("Edit", edit, objects));
    states.push_back(chart);
  }
  for (size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(history.Undo());
    EXPECT_TRUE(chart == states[i - 1]) << "after undoing edit " << i;
  }
  for (size_t i = 1; i < states.size(); ++i) {
    ASSERT_TRUE(history.Redo());
    EXPECT_TRUE(chart == states[i]) << "after redoing edit " << i;
  }
}

// Steps hold what their edits changed: a big chart keeps thousands of small steps within the
// default budget, and a drag's step is cut down to what it moved when the drag ends.
TEST(ChartHistory, SmallEditsOfABigChartCostWhatTheyChanged) {
  Chart chart;
  chart.AppendObjects(10000);
  chart.AppendLinks(10000);
  const Chart original = chart;
  ChartHistory history(chart);
  const size_t oneChart = ChartHistory::ApproxBytes(chart);
  for (int i = 0; i < 1500; ++i)
    history.Apply(
        "Move",
        [i](Chart& c) {
          c.Objects[static_cast<size_t>(i * 6)].Left += 3;
          return true;
        },
        Change(ChartChangeKind::ObjectsChanged));
  EXPECT_EQ(history.UndoCount(), 1500u);
  EXPECT_LT(history.StoredBytes(), oneChart / 2);

  const auto drag = history.NewGesture();
  for (int i = 0; i < 50; ++i) Nudge(history, 1, drag);
  history.EndGesture();
  EXPECT_EQ(history.UndoCount(), 1501u);
  EXPECT_LT(history.StoredBytes(), oneChart / 2);

  while (history.Undo()) {
  }
  EXPECT_TRUE(chart == original);
}

// A chart changed in shape behind the history cannot take the recorded steps: undo refuses and
// forgets them instead of splicing objects into the wrong places.
TEST(ChartHistory, AChartReshapedOutsideTheHistoryForgetsItsSteps) {
  Chart chart;
  chart.AppendObjects(3);
  ChartHistory history(chart);
  Nudge(history, 4);
  chart.AppendObjects(1);  // not through the history
  const Chart now = chart;
  EXPECT_FALSE(history.Undo());
  EXPECT_TRUE(chart == now);
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.IsClean());
}

}  // namespace
}  // namespace brv3
