#include "cli/SensorJson.h"

#include "core/comm/Slot.h"
#include "core/comm/TableEntry.h"
#include "core/motion/MixWords.h"

namespace brv3::cli {
namespace {

using json = nlohmann::ordered_json;

const std::array<const char*, kAnalogInputs> kInputNames = {"AD1", "AD2", "AD3"};

// The input a trigger belongs to: two per input, in board order.
const char* TriggerInput(size_t t) {
  return kInputNames[t / 2];
}

std::string At(const std::string& path, size_t i) {
  return path + "[" + std::to_string(i) + "]";
}

bool Int(const json& v, int64_t min, int64_t max, int64_t& out) {
  if (!v.is_number_integer() || v.get<int64_t>() < min || v.get<int64_t>() > max) return false;
  out = v.get<int64_t>();
  return true;
}

// `v` must be an array of `size` whole numbers in min..max.
template <class T, size_t N>
bool IntList(const json& v, int64_t min, int64_t max, const std::string& path,
             std::array<T, N>& out, std::string& bad) {
  if (!v.is_array() || v.size() != N) {
    bad = path;
    return false;
  }
  for (size_t i = 0; i < N; ++i) {
    int64_t value = 0;
    if (!Int(v[i], min, max, value)) {
      bad = At(path, i);
      return false;
    }
    out[i] = static_cast<T>(value);
  }
  return true;
}

const json* Member(const json& parent, const char* key, const std::string& path, std::string& bad) {
  if (!parent.is_object() || !parent.contains(key)) {
    bad = path.empty() ? key : path + "." + key;
    return nullptr;
  }
  return &parent.at(key);
}

}  // namespace

json AnalogToJson(const AnalogSettings& analog) {
  json mix = json::array();
  for (const MixFactors& table : analog.mix) mix.push_back(table);
  json triggers = json::array();
  for (size_t t = 0; t < analog.triggers.size(); ++t) {
    const SensorTrigger& trigger = analog.triggers[t];
    triggers.push_back(
        {{"input", TriggerInput(t)},
         {"motion", trigger.motion > 0 ? json(Slot::LabelOf(trigger.motion - 1)) : json()},
         {"threshold", trigger.threshold}});
  }
  return {{"references", analog.references}, {"mix", std::move(mix)}, {"triggers", triggers}};
}

json TransmitterToJson(const PropoReferences& references) {
  return {{"references", references}};
}

bool ParseAnalogJson(const json& j, const std::string& path, AnalogSettings& analog,
                     std::string& bad) {
  if (!j.is_object()) {
    bad = path;
    return false;
  }
  const json* v = Member(j, "references", path, bad);
  if (!v || !IntList(*v, 0, 0xFFFF, path + ".references", analog.references, bad)) return false;

  const std::string mixPath = path + ".mix";
  v = Member(j, "mix", path, bad);
  if (!v) return false;
  if (!v->is_array() || v->size() != kAnalogInputs) {
    bad = mixPath;
    return false;
  }
  for (size_t k = 0; k < kAnalogInputs; ++k)
    if (!IntList((*v)[k], -kMixFactorLimit, kMixFactorLimit, At(mixPath, k), analog.mix[k], bad))
      return false;

  const std::string triggersPath = path + ".triggers";
  v = Member(j, "triggers", path, bad);
  if (!v) return false;
  if (!v->is_array() || v->size() != analog.triggers.size()) {
    bad = triggersPath;
    return false;
  }
  for (size_t t = 0; t < analog.triggers.size(); ++t) {
    const json& trigger = (*v)[t];
    const std::string at = At(triggersPath, t);
    if (!trigger.is_object()) {
      bad = at;
      return false;
    }
    const json* input = Member(trigger, "input", at, bad);
    if (!input) return false;
    if (*input != TriggerInput(t)) {
      bad = at + ".input";
      return false;
    }
    const json* motion = Member(trigger, "motion", at, bad);
    if (!motion) return false;
    analog.triggers[t].motion = 0;
    if (!motion->is_null()) {
      std::optional<Slot> slot;
      if (motion->is_string()) slot = Slot::Parse(motion->get<std::string>());
      if (!slot) {
        bad = at + ".motion";
        return false;
      }
      analog.triggers[t].motion = slot->Index() + 1;
    }
    const json* threshold = Member(trigger, "threshold", at, bad);
    int64_t value = 0;
    if (!threshold) return false;
    if (!Int(*threshold, -kThresholdLimit, kThresholdLimit, value)) {
      bad = at + ".threshold";
      return false;
    }
    analog.triggers[t].threshold = static_cast<int>(value);
  }
  return true;
}

bool ParseTransmitterJson(const json& j, const std::string& path, PropoReferences& references,
                          std::string& bad) {
  if (!j.is_object()) {
    bad = path;
    return false;
  }
  const json* v = Member(j, "references", path, bad);
  return v && IntList(*v, 0, 0xFF, path + ".references", references, bad);
}

}  // namespace brv3::cli
