#include "diskindex/core/settings_file.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <vector>

#include "diskindex/core/file_io.h"
#include "platform/ini_file.h"

namespace diskindex {
namespace {

// The document a damaged file still gives: its text without the NUL bytes.
platform::IniFile parseText(const std::vector<std::uint8_t>& bytes,
                            const std::filesystem::path& file) {
  std::string text(bytes.begin(), bytes.end());
  text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
  return platform::IniFile::fromText(text, file);
}

// A value as readString gave it, written so that it reads back the same: one
// with blanks at its ends or in quotes of its own goes in quotes.
std::string storable(const std::string& value) {
  if (value.empty()) return value;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  const bool quoteLike = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                         value.back() == value.front();
  if (blank(value.front()) || blank(value.back()) || quoteLike) return "\"" + value + "\"";
  return value;
}

// Applies to disk the keys mine changed against base (both are disk with the
// program's settings written into it).
void applyChanges(platform::IniFile& disk, const platform::IniFile& base,
                  const platform::IniFile& mine) {
  for (const std::string& section : mine.sections()) {
    for (const auto& [key, value] : mine.entries(section)) {
      if (!base.hasKey(section, key) || base.readString(section, key) != value) {
        disk.writeString(section, key, storable(value));
      }
    }
  }
  for (const std::string& section : base.sections()) {
    for (const auto& [key, value] : base.entries(section)) {
      if (!mine.hasKey(section, key)) disk.eraseKey(section, key);
    }
  }
}

// A settings file that is a link stays one: the file it points to is written.
std::filesystem::path writeTarget(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_symlink(std::filesystem::symlink_status(file, error))) return file;
  const std::filesystem::path target = std::filesystem::weakly_canonical(file, error);
  return error ? file : target;
}

}  // namespace

bool settingsTextDamaged(std::span<const std::uint8_t> bytes) {
  return std::find(bytes.begin(), bytes.end(), std::uint8_t{0}) != bytes.end();
}

SettingsLoad loadSettingsFile(const std::filesystem::path& file, const SettingsEnvironment& env) {
  SettingsLoad load;
  std::vector<std::uint8_t> bytes;
  const ResultCode read = readWholeFile(file, bytes);
  if (read == ResultCode::NotFound) {
    load.settings = readSettings(platform::IniFile::fromText("", file), env);
    return load;
  }
  if (read != ResultCode::Ok) {
    load.code = read;
    load.settings = defaultSettings(env);
    return load;
  }
  if (settingsTextDamaged(bytes)) load.code = ResultCode::BadFormat;
  load.settings = readSettings(parseText(bytes, file), env);
  return load;
}

SettingsSaveResult saveSettingsFile(const std::filesystem::path& file,
                                    const DiskIndexSettings& loaded,
                                    const DiskIndexSettings& current) {
  SettingsSaveResult result;
  const std::filesystem::path target = writeTarget(file);
  const FolderLock lock(target.parent_path(), FolderLock::Mode::Exclusive);
  std::vector<std::uint8_t> bytes;
  const ResultCode read = readWholeFile(target, bytes);
  if (read != ResultCode::Ok && read != ResultCode::NotFound) {
    result.code = read;
    return result;
  }
  if (read == ResultCode::Ok && settingsTextDamaged(bytes)) {
    result.damagedCopy = keepDamagedCopy(target, bytes);
    if (result.damagedCopy.empty()) {
      result.code = ResultCode::CannotWrite;
      return result;
    }
  }
  platform::IniFile disk = parseText(bytes, target);
  platform::IniFile base = disk;
  platform::IniFile mine = disk;
  writeSettings(base, loaded);
  writeSettings(mine, current);
  // A new file gets every key; an existing one only the keys changed here.
  if (read == ResultCode::NotFound) {
    disk = mine;
  } else {
    applyChanges(disk, base, mine);
  }
  if (!disk.dirty() && read == ResultCode::Ok && result.damagedCopy.empty()) return result;
  const std::string text = disk.text();
  result.code = writeFileAtomically(
      target, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  return result;
}

ResultCode updateSettingsFile(const std::filesystem::path& file,
                              const std::function<void(platform::IniFile&)>& change) {
  const std::filesystem::path target = writeTarget(file);
  // A first start has no settings folder yet; a failure shows in the write.
  std::error_code error;
  std::filesystem::create_directories(target.parent_path(), error);
  const FolderLock lock(target.parent_path(), FolderLock::Mode::Exclusive);
  std::vector<std::uint8_t> bytes;
  const ResultCode read = readWholeFile(target, bytes);
  if (read != ResultCode::Ok && read != ResultCode::NotFound) return read;
  // A damaged file is kept for the shutdown's write, which saves a copy first.
  if (settingsTextDamaged(bytes)) return ResultCode::BadFormat;
  platform::IniFile disk = parseText(bytes, target);
  change(disk);
  if (!disk.dirty()) return ResultCode::Ok;
  const std::string text = disk.text();
  return writeFileAtomically(
      target, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace diskindex
