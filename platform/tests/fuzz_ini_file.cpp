// Feeds arbitrary bytes to the settings file parser, then reads, writes and
// erases through it and checks that the document text survives a second
// parse unchanged.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/ini_file.h"

namespace {

void check(bool condition, int line = __builtin_LINE()) {
  if (condition) return;
  std::fprintf(stderr, "check failed at line %d\n", line);
  std::abort();
}

// A short name taken from the input, so that writes hit existing sections
// and keys as often as new ones.
std::string nameFrom(std::string_view& rest) {
  if (rest.empty()) return "k";
  const std::size_t length = static_cast<std::uint8_t>(rest.front()) % 6;
  rest.remove_prefix(1);
  std::string name(rest.substr(0, length));
  rest.remove_prefix(std::min(length, rest.size()));
  return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = size / 2;
  std::string_view ops = input.substr(split);
  platform::IniFile ini = platform::IniFile::fromText(input.substr(0, split));

  for (const std::string& section : ini.sections()) {
    check(ini.hasSection(section));
    for (const std::string& key : ini.keys(section)) {
      check(ini.hasKey(section, key));
      (void)ini.readString(section, key, "d");
      (void)ini.readInt(section, key, 7);
    }
  }

  int steps = 0;
  while (!ops.empty() && steps++ < 16) {
    const std::uint8_t op = static_cast<std::uint8_t>(ops.front()) % 4;
    ops.remove_prefix(1);
    const std::string section = nameFrom(ops);
    const std::string key = nameFrom(ops);
    switch (op) {
      case 0:
        ini.writeString(section, key, nameFrom(ops));
        break;
      case 1:
        ini.writeInt(section, key, static_cast<int>(ops.size()) - 100);
        break;
      case 2:
        ini.eraseKey(section, key);
        check(!ini.hasKey(section, key));
        break;
      default:
        ini.eraseSection(section);
        check(!ini.hasSection(section));
        break;
    }
    if (op == 1 && section.find(']') == std::string::npos && key.find('=') == std::string::npos) {
      // Names a line cannot hold (a "]" in a section, "=" in a key) are the
      // caller's business; all others read back what was written.
      const std::string_view k = key;
      const bool plainKey = !k.empty() && k.find_first_not_of(" \t") != std::string_view::npos &&
                            k.find_first_of(";[\r\n") == std::string_view::npos;
      if (plainKey && section.find_first_of("\r\n") == std::string::npos) {
        check(ini.readInt(section, key, -99999) == static_cast<int>(ops.size()) - 100);
      }
    }
  }

  const std::string text = ini.text();
  const platform::IniFile again = platform::IniFile::fromText(text);
  check(again.text() == text);
  check(again.sections() == ini.sections());
  for (const std::string& section : ini.sections()) {
    check(again.keys(section) == ini.keys(section));
    for (const std::string& key : ini.keys(section)) {
      check(again.readString(section, key) == ini.readString(section, key));
    }
  }
  return 0;
}
