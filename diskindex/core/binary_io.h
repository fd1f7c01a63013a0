#pragma once
// Little-endian integer access to byte buffers, used by every fixed file
// layout of the catalogue. Callers check bounds before reading; these helpers
// only assemble and split the bytes.

#include <cstdint>
#include <cstring>

namespace diskindex::bin {

inline std::uint32_t readU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::int32_t readI32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(readU32(p));
}
inline std::uint64_t readU64(const std::uint8_t* p) {
  return static_cast<std::uint64_t>(readU32(p)) |
         (static_cast<std::uint64_t>(readU32(p + 4)) << 32);
}
inline double readF64(const std::uint8_t* p) {
  const std::uint64_t bits = readU64(p);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

inline void writeU32(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
  p[3] = static_cast<std::uint8_t>(v >> 24);
}
inline void writeI32(std::uint8_t* p, std::int32_t v) {
  writeU32(p, static_cast<std::uint32_t>(v));
}
inline void writeU64(std::uint8_t* p, std::uint64_t v) {
  writeU32(p, static_cast<std::uint32_t>(v));
  writeU32(p + 4, static_cast<std::uint32_t>(v >> 32));
}
inline void writeF64(std::uint8_t* p, double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  writeU64(p, bits);
}

}  // namespace diskindex::bin
