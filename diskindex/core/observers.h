#pragma once
// The small interfaces through which long catalogue operations report
// progress, single failures and ask questions. The UI implements them (progress
// bars, message boxes, a cancel button); tests fake them. Every method has a
// harmless default so a caller implements only what it shows.

#include <filesystem>
#include <string_view>

#include "diskindex/core/result_code.h"

namespace diskindex {

class ProgressObserver {
 public:
  virtual ~ProgressObserver() = default;
  // 0..100.
  virtual void progress(int /*percent*/) {}
  // Polled between steps; true stops the operation with Cancelled.
  virtual bool cancelRequested() { return false; }
};

class ListLoadObserver {
 public:
  virtual ~ListLoadObserver() = default;
  // A volume data file that could not be loaded; loading goes on. The UI
  // shows listLoadMessage(code, file). OldFormat files are not reported here
  // but collected for conversion.
  virtual void fileFailed(ResultCode /*code*/, const std::filesystem::path& /*file*/) {}
};

// Remarks another program changed on the same entries while this program
// had them open, met while a workflow saves them on its way (a rescan of
// the open volume): whose to keep, as when the volume is left
// (messages::remarkConflictQuestion with its three answers).
struct RemarkConflictDecision {
  enum class Choice { KeepMine, KeepTheirs, SaveMineElsewhere, Stop };
  Choice choice = Choice::Stop;
  std::filesystem::path otherFile;  // SaveMineElsewhere: where mine go
};

class RemarkConflictObserver {
 public:
  virtual ~RemarkConflictObserver() = default;
  // entries: how many entries both programs changed differently.
  virtual RemarkConflictDecision remarkConflict(const std::filesystem::path& /*commentFile*/,
                                                int /*entries*/) {
    return {};
  }
};

class ConversionObserver {
 public:
  virtual ~ConversionObserver() = default;
  // messages::kConvertQuestion, Yes/No. No leaves the files unconverted.
  virtual bool confirmConversion() { return false; }
  // Before each file: its path, its 1-based index and the number of files.
  virtual void converting(const std::filesystem::path& /*file*/, int /*index*/, int /*count*/) {}
  // Polled after each file; true stops before the next one.
  virtual bool cancelRequested() { return false; }
  // A file that could not be converted (left as it was).
  virtual void fileFailed(ResultCode /*code*/, const std::filesystem::path& /*file*/) {}
  // After a cancel: show messages::kConvertCancelled.
  virtual void cancelled() {}
};

}  // namespace diskindex
