#pragma once
// Where a catalogue session finds its settings file and its defaults, and the
// one rule for the data folder that the window and diskindx-cli share.
// DISKINDX.INI is looked up by platform::settingsFilePath (beside the
// executable when it can be rewritten there, else $XDG_CONFIG_HOME/diskindx/);
// the data folder is DATA_PATH of that file, else $XDG_DATA_HOME/diskindx/.
//
// It reads and writes no settings itself (see settings.h) and knows nothing
// of windows.

#include <filesystem>

#include "diskindex/core/result_code.h"
#include "diskindex/core/settings.h"

namespace diskindex {

struct SessionEnvironment {
  std::filesystem::path settingsFile;  // DISKINDX.INI
  SettingsEnvironment settings;        // data home, temp dir, editor, screen
  // When not empty, used instead of DATA_PATH (diskindx-cli --data).
  std::filesystem::path dataDirectory;

  // The running process: settings file location and system defaults.
  static SessionEnvironment fromSystem(ScreenSize screen);
};

// The data folder rule. An existing folder is used as it is (Ok). A missing
// folder is created only when it is the default folder (defaultDir), which is
// ours to create: Ok, or CannotCreate when that fails. A missing folder the
// user named (DATA_PATH, --data) is left alone: CannotOpen, an empty
// catalogue, since creating it could hide a mistyped or unmounted path.
ResultCode prepareDataDirectory(const std::filesystem::path& dataDir,
                                const std::filesystem::path& defaultDir);

}  // namespace diskindex
