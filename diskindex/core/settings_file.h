#pragma once
// Reading DISKINDX.INI at start-up and writing it back at shutdown so that a
// settings file shared by several programs stays whole: the write happens
// under the lock of the file's folder, merges with what is on disk then (a
// key another program changed meanwhile and this one did not touch keeps the
// other program's value), and goes through a temporary file, fsync and
// rename. A file that cannot be parsed is kept as "DISKINDX.INI.defekt"
// before it is written; one that cannot be read at all is never replaced.
//
// It does not know the keys (settings.h does) nor where the file lives.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>

#include "diskindex/core/result_code.h"
#include "diskindex/core/settings.h"

namespace platform {
class IniFile;
}

namespace diskindex {

struct SettingsLoad {
  DiskIndexSettings settings;  // the defaults where the file says nothing
  // Ok (also for a missing file); BadFormat for a damaged file (its readable
  // lines were used; show messages::damagedSettingsFile); CannotOpen or
  // CannotRead for a file that is there but cannot be read (defaults used;
  // the file will not be written).
  ResultCode code = ResultCode::Ok;
};
SettingsLoad loadSettingsFile(const std::filesystem::path& file, const SettingsEnvironment& env);

// A settings text that cannot be a settings file: it holds NUL bytes (a file
// cut or overwritten by binary data).
bool settingsTextDamaged(std::span<const std::uint8_t> bytes);

struct SettingsSaveResult {
  // Ok, CannotOpen/CannotRead (the file on disk cannot be read: left as it
  // is), CannotCreate/CannotWrite (show messages::settingsNotSaved).
  ResultCode code = ResultCode::Ok;
  std::filesystem::path damagedCopy;  // set when a damaged file was kept first
};

// Writes current back: only the keys whose value differs between loaded (the
// settings as read at start-up) and current are changed in the file as it is
// on disk now; every other line stays as the disk has it.
SettingsSaveResult saveSettingsFile(const std::filesystem::path& file,
                                    const DiskIndexSettings& loaded,
                                    const DiskIndexSettings& current);

// Changes a few keys at once, not at shutdown (a folder's drive letter in
// [Drives]): under the lock, change gets the file as it is on disk now and
// the file is written (temporary file, fsync, rename) when change left it
// dirty. A file that cannot be read (CannotOpen, CannotRead) or is damaged
// (BadFormat) is neither handed to change nor written; a failed write is
// CannotCreate/CannotWrite. A missing file (and its folder) is created.
ResultCode updateSettingsFile(const std::filesystem::path& file,
                              const std::function<void(platform::IniFile&)>& change);

}  // namespace diskindex
