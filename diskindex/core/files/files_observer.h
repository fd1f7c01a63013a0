#pragma once
// What the file workflows of a catalogue session ask and report: the volume
// check's question, the copy engine's questions and progress, the question
// to insert the next volume when search hits are copied, and starting
// programs. The window implements it with dialogs, diskindx-cli with its
// options and the terminal, tests with fakes.

#include <filesystem>
#include <string>
#include <vector>

#include "diskindex/core/files/copy_engine.h"
#include "diskindex/core/files/volume_check.h"
#include "platform/program_start.h"

namespace diskindex::files {

enum class InsertVolumeAnswer { Ok, Cancel, SkipVolume };

class FilesObserver : public VolumeCheckObserver, public CopyObserver {
 public:
  // insertVolumeQuestion(...) with the buttons OK, Cancel and
  // "&Datenträger überspringen" (caption kCopyCaption).
  virtual InsertVolumeAnswer askInsertVolume(const std::string& /*text*/) {
    return InsertVolumeAnswer::Cancel;
  }
};

// Starting the editor and documents; tests replace it so that nothing runs.
class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  virtual platform::StartResult startProgram(const std::filesystem::path& program,
                                             const std::vector<std::string>& arguments) {
    return platform::startProgram(program, arguments);
  }
  virtual platform::StartResult openDocument(const std::filesystem::path& document) {
    return platform::openDocument(document);
  }
};

}  // namespace diskindex::files
