#pragma once
// diskindx-cli identify PATH: the names of the catalogued volumes read from
// the file system that holds PATH (its UUID, or its statfs id), one per
// line; exit 1 when none matches or the file system has no identity, 2 when
// PATH does not exist.
//
// The --free-at-least BYTES option of list: BYTES is a whole number,
// optionally followed by K, M, G or T (powers of 1024).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace diskindex::cli {

struct CommandContext;

// "4700000000" -> 4700000000, "700M" -> 734003200; nothing for anything else
// or an amount beyond 64 bits.
std::optional<std::int64_t> parseByteAmount(std::string_view text);

struct IdentifyArgs {
  std::string path;
};
// The arguments after "identify": exactly the path.
std::optional<IdentifyArgs> parseIdentifyArgs(std::span<const std::string> args);
int identifyCommand(CommandContext& context, const IdentifyArgs& args);

}  // namespace diskindex::cli
