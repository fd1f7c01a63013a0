#pragma once
// diskindx-cli list [--free-at-least BYTES]: one line per volume (name,
// category, label, drive type, files, directories, capture date, separated
// by TAB). diskindx-cli tree NAME: one volume's directory tree, directories
// indented by level, each file with its size and date.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace diskindex::cli {

struct CommandContext;

struct ListArgs {
  std::optional<std::int64_t> minFree;  // only volumes known to have that much room
};
struct TreeArgs {
  std::string volume;
};

// The arguments after "list" / "tree"; nothing on bad usage.
std::optional<ListArgs> parseListArgs(std::span<const std::string> args);
std::optional<TreeArgs> parseTreeArgs(std::span<const std::string> args);
int listCommand(CommandContext& context, const ListArgs& args);
// The volume is the one the preamble found.
int treeCommand(CommandContext& context, const TreeArgs& args);

}  // namespace diskindex::cli
