#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace brv3 {

// A handle on one subscription: destroying or resetting it detaches the handler. It may outlive
// the notifier it came from.
class Subscription {
 public:
  Subscription() = default;
  explicit Subscription(std::function<void()> detach) : detach_(std::move(detach)) {}
  Subscription(Subscription&& other) noexcept : detach_(std::exchange(other.detach_, nullptr)) {}
  Subscription& operator=(Subscription&& other) noexcept {
    if (this != &other) {
      Reset();
      detach_ = std::exchange(other.detach_, nullptr);
    }
    return *this;
  }
  Subscription(const Subscription&) = delete;
  Subscription& operator=(const Subscription&) = delete;
  ~Subscription() { Reset(); }

  void Reset() {
    if (!detach_) return;
    std::function<void()> detach = std::exchange(detach_, nullptr);
    detach();
  }
  bool Attached() const { return static_cast<bool>(detach_); }

 private:
  std::function<void()> detach_;
};

// Calls every subscribed handler with each event, in the order they subscribed. A handler may
// subscribe or detach others (or itself) while it runs: a detached handler is not called again,
// one added during a round first hears the next event. While held, events queue up and are
// delivered in order when the last hold ends. Copying a notifier copies no subscribers.
template <class Event>
class Notifier {
 public:
  using Handler = std::function<void(const Event&)>;

  Notifier() : state_(std::make_shared<State>()) {}
  Notifier(const Notifier&) : Notifier() {}
  Notifier& operator=(const Notifier&) { return *this; }

  [[nodiscard]] Subscription Subscribe(Handler handler) {
    auto entry = std::make_shared<Entry>(Entry{std::move(handler), true});
    state_->entries.push_back(entry);
    std::weak_ptr<State> weak = state_;
    std::weak_ptr<Entry> weakEntry = entry;
    return Subscription([weak, weakEntry] {
      std::shared_ptr<State> state = weak.lock();
      std::shared_ptr<Entry> e = weakEntry.lock();
      if (!state || !e) return;
      e->active = false;
      if (state->depth == 0) state->Compact();
    });
  }

  void Notify(const Event& event) const {
    std::shared_ptr<State> state = state_;  // a handler may destroy the notifier's owner
    if (state->holds > 0) {
      state->queued.push_back(event);
      return;
    }
    Deliver(*state, event);
  }

  // Holds delivery until the matching Release.
  void Hold() const { ++state_->holds; }
  void Release() const {
    std::shared_ptr<State> state = state_;
    if (state->holds == 0 || --state->holds > 0) return;
    std::vector<Event> queued = std::move(state->queued);
    state->queued.clear();
    for (const Event& event : queued) Deliver(*state, event);
  }

  size_t SubscriberCount() const {
    size_t n = 0;
    for (const auto& e : state_->entries) n += e->active ? 1 : 0;
    return n;
  }

 private:
  struct Entry {
    Handler handler;
    bool active = true;
  };
  struct State {
    std::vector<std::shared_ptr<Entry>> entries;
    std::vector<Event> queued;
    int depth = 0;
    int holds = 0;
    void Compact() {
      std::erase_if(entries, [](const std::shared_ptr<Entry>& e) { return !e->active; });
    }
  };

  static void Deliver(State& state, const Event& event) {
    ++state.depth;
    const size_t count = state.entries.size();
    for (size_t i = 0; i < count; ++i) {
      std::shared_ptr<Entry> entry = state.entries[i];
      if (entry->active && entry->handler) entry->handler(event);
    }
    if (--state.depth == 0) state.Compact();
  }

  std::shared_ptr<State> state_;
};

// What changed in a chart. Where `objects` names indices it may also be empty: then any number
// of objects changed that way.
enum class ChartChangeKind : uint8_t {
  ObjectsAdded,      // `objects`: the new indices (always appended at the end)
  ObjectsChanged,    // `objects`: the indices changed (place, look, words, name, size)
  ObjectsRemoved,    // indices shifted: any index held before is stale
  WiresChanged,      // wires added, removed, reversed or bent
  SelectionChanged,  // only selection marks
  HeaderChanged,     // the chart's name, control code or start flag
  CanvasChanged,     // the canvas size
  Replaced,          // anything may have changed: a file opened, a read back, undo or redo
};

// Why it changed.
enum class ChangeOrigin : uint8_t { Edit, Undo, Redo, Load };

struct ChartChange {
  ChartChangeKind kind = ChartChangeKind::Replaced;
  std::vector<int32_t> objects;
  ChangeOrigin origin = ChangeOrigin::Edit;
  // ObjectsChanged where only the objects' words (Head, Values) changed: a pose edit. Nothing the
  // canvas draws depends on them, so it need not repaint.
  bool wordsOnly = false;

  // True when object indices a view kept from before may no longer name the same objects.
  bool IndicesStale() const {
    return kind == ChartChangeKind::ObjectsRemoved || kind == ChartChangeKind::Replaced;
  }
};

using ChartNotifier = Notifier<ChartChange>;

}  // namespace brv3
