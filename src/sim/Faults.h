#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace brv3::sim {

enum class FaultKind { NoAttention, ShortReply, BadChecksum, Nak, Delay, Jitter, DisconnectAfter };

// One fault of a --faults list. For the counted kinds `every` hits every n-th occurrence and
// `only` hits just the n-th; for delay and jitter `value` is milliseconds; for disconnect-after
// it is a frame count.
struct FaultRule {
  FaultKind kind = FaultKind::NoAttention;
  int value = 1;
  bool once = false;
};

// Which faults the board injects and how many chances each has had so far.
class FaultPlan {
 public:
  // Syntax: comma list of kind:N (every N-th), kind@N (only the N-th), delay:MS, jitter:MS,
  // disconnect-after:N, seed:N. An empty text is no faults.
  static std::optional<FaultPlan> Parse(const std::string& text, std::string* error = nullptr);
  static const char* SyntaxHelp();

  void Add(const FaultRule& rule) { rules_.push_back(rule); }
  bool Empty() const { return rules_.empty(); }
  // Counts one occurrence of `kind` and says whether a fault hits it.
  bool Hit(FaultKind kind);
  // Extra milliseconds before a reply goes out (fixed delay plus a random jitter).
  int NextDelayMs();
  // Frames after which the board disconnects; 0 for never.
  int DisconnectAfter() const;

 private:
  std::vector<FaultRule> rules_;
  int counts_[7] = {};
  std::mt19937 random_{12345};
};

}  // namespace brv3::sim
