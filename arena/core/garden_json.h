// A generated garden written as JSON, for level design and checking.
//
// The text lists the garden's tile choice (one tile id, or "random" with the
// tile of every painted cell in painting order), the wall rectangles in list
// order with the power-up cells marked, the power-ups and the droids in list
// order. It describes a freshly built garden; nothing here reads JSON.
#pragma once

#include <cstdint>
#include <string>

namespace arena {

std::string gardenJson(int32_t garden);

}  // namespace arena
