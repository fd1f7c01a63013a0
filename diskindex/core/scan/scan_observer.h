#pragma once
// What long scanning work tells the user interface and asks of it. Reading a
// drive, writing its data file and reading its description files report their
// progress here, ask whether descriptions are to be read, and poll for the
// cancel button between steps. A window implements it with its progress
// dialog; tests and the command line use small fakes. Nothing here owns state
// of the scan itself.

#include <cstddef>
#include <filesystem>
#include <string>

#include "diskindex/core/result_code.h"

namespace diskindex::scan {

class ScanObserver {
 public:
  virtual ~ScanObserver() = default;
  // One more directory was found during the walk; total counts all so far.
  virtual void directoryFound(int total) { (void)total; }
  // Percentage of the data file written; 0 starts the display, 100 ends it.
  virtual void writeProgress(int percent) { (void)percent; }
  // Percentage of description files read; 0 starts the display, 100 ends it.
  virtual void descriptionProgress(int percent) { (void)percent; }
  // Asked once when the drive holds description files: true = read them.
  virtual bool askReadDescriptions() { return false; }
  // Called between steps so that a window can process its pending events;
  // true once the user confirmed cancelling.
  virtual bool cancelRequested() { return false; }

  // A series asks before each volume: "Folgenden Datenträger einlegen:"
  // with its name; false (Cancel) ends the series.
  virtual bool confirmInsertVolume(const std::string& name) {
    (void)name;
    return true;
  }
  // A volume is about to be read: the window shows its name, puts the
  // counter back to 0, dims the write label and empties the bar.
  virtual void volumeStarted(const std::string& name) { (void)name; }
  // A volume was added to the catalogue at this place of the volume list.
  virtual void volumeAdded(std::size_t index) { (void)index; }
  // Reading or writing a volume failed; the window shows the message of code
  // (title "Daten erzeugen") with the data file's name.
  virtual void volumeFailed(ResultCode code, const std::filesystem::path& dataFile) {
    (void)code;
    (void)dataFile;
  }
  // An image or archive file could not be read (damaged, no known format,
  // a refused member name): the window shows the message as it stands.
  virtual void imageFailed(const ErrorMessage& message) { (void)message; }
};

}  // namespace diskindex::scan
