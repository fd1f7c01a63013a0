#pragma once
// What long scanning work tells the user interface and asks of it. Reading a
// drive, writing its data file and reading its description files report their
// progress here, ask whether descriptions are to be read, and poll for the
// cancel button between steps. A window implements it with its progress
// dialog; tests and the command line use small fakes. Nothing here owns state
// of the scan itself.

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
};

}  // namespace diskindex::scan
