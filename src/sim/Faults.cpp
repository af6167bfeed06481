#include "sim/Faults.h"

#include <charconv>

namespace brv3::sim {
namespace {

struct KindName {
  const char* name;
  FaultKind kind;
  bool counted;
};

constexpr KindName kKinds[] = {
    {"no-attention", FaultKind::NoAttention, true},
    {"short-reply", FaultKind::ShortReply, true},
    {"bad-checksum", FaultKind::BadChecksum, true},
    {"nak", FaultKind::Nak, true},
    {"delay", FaultKind::Delay, false},
    {"jitter", FaultKind::Jitter, false},
    {"disconnect-after", FaultKind::DisconnectAfter, false},
};

bool ParseNumber(const std::string& text, int min, int max, int* out) {
  int value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || value < min || value > max) return false;
  *out = value;
  return true;
}

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

}  // namespace

const char* FaultPlan::SyntaxHelp() {
  return "Faults: a comma list of\n"
         "  no-attention:N    every N-th attention byte gets no answer\n"
         "  short-reply:N     every N-th reply is cut to half its length (an ACK to nothing)\n"
         "  bad-checksum:N    every N-th data reply carries a wrong checksum\n"
         "  nak:N             every N-th acknowledged command is refused with 0x15, not run\n"
         "  KIND@N            any of the four above, but only the N-th occurrence\n"
         "  delay:MS          every answer and reply goes out MS milliseconds late\n"
         "  jitter:MS         every answer and reply goes out a random 0..MS ms late\n"
         "  disconnect-after:N  the board vanishes after N frames (the pty closes)\n"
         "  seed:N            seed of the jitter's random numbers\n"
         "N counts from 1. Example: --faults short-reply@1,nak:3,delay:20";
}

std::optional<FaultPlan> FaultPlan::Parse(const std::string& text, std::string* error) {
  FaultPlan plan;
  auto fail = [&](const std::string& why) -> std::optional<FaultPlan> {
    if (error) *error = why;
    return std::nullopt;
  };
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    const std::string item = Trim(text.substr(start, comma - start));
    start = comma + 1;
    if (item.empty()) {
      if (comma == text.size()) break;
      continue;
    }
    const size_t sep = item.find_first_of(":@");
    if (sep == std::string::npos) return fail("fault '" + item + "' needs a value, as in nak:3");
    const std::string name = item.substr(0, sep);
    const bool once = item[sep] == '@';
    const std::string valueText = item.substr(sep + 1);
    if (name == "seed") {
      int seed = 0;
      if (once || !ParseNumber(valueText, 0, 2147483647, &seed)) return fail("bad seed: " + item);
      plan.random_.seed(static_cast<uint32_t>(seed));
      continue;
    }
    const KindName* found = nullptr;
    for (const KindName& k : kKinds) {
      if (name == k.name) found = &k;
    }
    if (!found) return fail("unknown fault '" + name + "'");
    if (once && !found->counted) return fail("'" + name + "' takes ':', not '@'");
    int value = 0;
    const int min = found->counted || found->kind == FaultKind::DisconnectAfter ? 1 : 0;
    if (!ParseNumber(valueText, min, 1000000, &value)) {
      return fail("bad number in fault '" + item + "'");
    }
    plan.Add(FaultRule{found->kind, value, once});
    if (comma == text.size()) break;
  }
  return plan;
}

bool FaultPlan::Hit(FaultKind kind) {
  const int count = ++counts_[static_cast<int>(kind)];
  for (const FaultRule& rule : rules_) {
    if (rule.kind != kind) continue;
    if (rule.once ? count == rule.value : count % rule.value == 0) return true;
  }
  return false;
}

int FaultPlan::NextDelayMs() {
  int ms = 0;
  for (const FaultRule& rule : rules_) {
    if (rule.kind == FaultKind::Delay) ms += rule.value;
    if (rule.kind == FaultKind::Jitter && rule.value > 0) {
      ms += std::uniform_int_distribution<int>(0, rule.value)(random_);
    }
  }
  return ms;
}

int FaultPlan::DisconnectAfter() const {
  for (const FaultRule& rule : rules_) {
    if (rule.kind == FaultKind::DisconnectAfter) return rule.value;
  }
  return 0;
}

}  // namespace brv3::sim
