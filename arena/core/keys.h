// Key codes the game reacts to.
//
// The game speaks in the classic virtual-key codes: the window maps its own
// key events to these, and droid headings reuse the arrow and paging codes.
#pragma once

#include <cstdint>

namespace arena::key {
inline constexpr int32_t kReturn = 0x0D;
inline constexpr int32_t kEscape = 0x1B;
inline constexpr int32_t kSpace = 0x20;
inline constexpr int32_t kPrior = 0x21;
inline constexpr int32_t kNext = 0x22;
inline constexpr int32_t kEnd = 0x23;
inline constexpr int32_t kHome = 0x24;
inline constexpr int32_t kLeft = 0x25;
inline constexpr int32_t kUp = 0x26;
inline constexpr int32_t kRight = 0x27;
inline constexpr int32_t kDown = 0x28;
inline constexpr int32_t kF1 = 0x70;
inline constexpr int32_t kF2 = 0x71;
}  // namespace arena::key
