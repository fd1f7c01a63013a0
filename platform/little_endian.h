#pragma once
// Little-endian integers and doubles in byte buffers: the one reader and
// writer behind every fixed file layout of the suite (catalogue volume and
// comment files, bitmaps, wave files, disc image descriptors).
//
// Every access names the buffer and an offset and is bounds-checked: a read
// whose field does not lie wholly inside the buffer gives no value, a write
// that would not fit writes nothing and says so. Offsets near SIZE_MAX do not
// wrap around. The functions only assemble and split bytes; what a field
// means, and what a reader does with a missing one, is the layout's business.
//
// Worked example: bytes {0x34, 0x12, 0xFF} give readU16(bytes, 0) == 0x1234,
// readU16(bytes, 1) == 0xFF12 and readU16(bytes, 2) == std::nullopt.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace platform::le {

// True when `width` bytes starting at `at` lie inside a buffer of `size`.
constexpr bool fits(std::size_t size, std::size_t at, std::size_t width) {
  return at <= size && width <= size - at;
}

namespace detail {

template <typename Unsigned>
std::optional<Unsigned> readUnsigned(std::span<const std::uint8_t> bytes, std::size_t at) {
  if (!fits(bytes.size(), at, sizeof(Unsigned))) return std::nullopt;
  Unsigned value = 0;
  for (std::size_t i = sizeof(Unsigned); i-- > 0;) {
    value = static_cast<Unsigned>((value << 8) | bytes[at + i]);
  }
  return value;
}

template <typename Unsigned>
bool writeUnsigned(std::span<std::uint8_t> bytes, std::size_t at, Unsigned value) {
  if (!fits(bytes.size(), at, sizeof(Unsigned))) return false;
  for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
    bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  return true;
}

}  // namespace detail

inline std::optional<std::uint16_t> readU16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return detail::readUnsigned<std::uint16_t>(bytes, at);
}
inline std::optional<std::uint32_t> readU32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return detail::readUnsigned<std::uint32_t>(bytes, at);
}
inline std::optional<std::uint64_t> readU64(std::span<const std::uint8_t> bytes, std::size_t at) {
  return detail::readUnsigned<std::uint64_t>(bytes, at);
}
// Signed fields are two's complement: 0xFFFF reads as -1.
inline std::optional<std::int16_t> readI16(std::span<const std::uint8_t> bytes, std::size_t at) {
  const auto value = readU16(bytes, at);
  if (!value) return std::nullopt;
  return static_cast<std::int16_t>(*value);
}
inline std::optional<std::int32_t> readI32(std::span<const std::uint8_t> bytes, std::size_t at) {
  const auto value = readU32(bytes, at);
  if (!value) return std::nullopt;
  return static_cast<std::int32_t>(*value);
}
// An IEEE 754 double stored as its eight bytes, lowest first.
inline std::optional<double> readF64(std::span<const std::uint8_t> bytes, std::size_t at) {
  const auto bits = readU64(bytes, at);
  if (!bits) return std::nullopt;
  return std::bit_cast<double>(*bits);
}

// Each writer returns false, and leaves the buffer as it was, when the field
// does not fit. Layouts whose buffer size is fixed by their type may ignore
// the result; writers into buffers of computed size should not.
inline bool writeU16(std::span<std::uint8_t> bytes, std::size_t at, std::uint16_t value) {
  return detail::writeUnsigned(bytes, at, value);
}
inline bool writeU32(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
  return detail::writeUnsigned(bytes, at, value);
}
inline bool writeU64(std::span<std::uint8_t> bytes, std::size_t at, std::uint64_t value) {
  return detail::writeUnsigned(bytes, at, value);
}
inline bool writeI32(std::span<std::uint8_t> bytes, std::size_t at, std::int32_t value) {
  return writeU32(bytes, at, static_cast<std::uint32_t>(value));
}
inline bool writeF64(std::span<std::uint8_t> bytes, std::size_t at, double value) {
  return writeU64(bytes, at, std::bit_cast<std::uint64_t>(value));
}

}  // namespace platform::le
