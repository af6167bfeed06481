#pragma once

#include <cstdint>

#include "core/comm/BoardLink.h"
#include "core/util/Bytes.h"

// Small helpers for building command frames; used by the command files only.
namespace brv3::commargs {

inline bool InRange(int v, int lo, int hi) {
  return v >= lo && v <= hi;
}
inline uint8_t Byte(uint32_t v) {
  return static_cast<uint8_t>(v & 0xFF);
}
inline uint8_t High(uint16_t v) {
  return static_cast<uint8_t>(v / 256);
}
inline uint8_t Low(uint16_t v) {
  return static_cast<uint8_t>(v % 256);
}

inline Bytes Frame(Bytes head, const Bytes& payload) {
  head.insert(head.end(), payload.begin(), payload.end());
  return head;
}

// Flag bytes: bit 1 is the area, bit 0 marks a write.
inline uint8_t ReadFlag(PoseArea area) {
  return area == PoseArea::Memory ? 0x02 : 0x00;
}
inline uint8_t ReadFlag(Area area) {
  return area == Area::Stored ? 0x02 : 0x00;
}
inline uint8_t WriteFlag(PoseArea area) {
  return ReadFlag(area) | 0x01;
}
inline uint8_t WriteFlag(Area area) {
  return ReadFlag(area) | 0x01;
}

}  // namespace brv3::commargs
