#pragma once
// Commands of the main window whose dialogs are built by other parts of the
// program. Each stands in its menu and tool bar from the start; its flag here
// says whether its dialog exists yet. A command whose flag is false stays
// disabled in every view, so the window never offers a command that does
// nothing. Enabling one is a one-word change here plus its slot in
// TDiskIndexForm (onAddVolume(), onChangeVolume(), ...).

namespace diskindex::ui {

struct LaterCommands {
  static constexpr bool addVolume = true;     // onAddVolume()
  static constexpr bool changeVolume = true;  // onChangeVolume()
  static constexpr bool categories = true;    // onCategories()
  static constexpr bool print = true;         // onPrint()
  static constexpr bool exportInfo = true;    // onExportInfo()
  static constexpr bool copyFiles = true;     // onCopyFiles()
  static constexpr bool editFile = true;      // onEditFile()
  static constexpr bool runFile = true;       // onRunFile()
  static constexpr bool copyTree = true;      // onCopyTree()
  static constexpr bool search = true;        // onSearchCurrent(), onSearchNext(), onSearchMulti()
  static constexpr bool chooseEditor = true;  // onChooseEditor()
};

}  // namespace diskindex::ui
