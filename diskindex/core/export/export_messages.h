#pragma once
// The fixed German texts of exporting and printing volume information and
// directory trees: captions, the overwrite question and the two file
// errors. The UI and the command-line companion show them; the core only
// words them.

#include <string>
#include <string_view>

namespace diskindex::exporting::messages {

inline constexpr std::string_view kInfoDialogCaption = "Datenträger-Informationen exportieren";
inline constexpr std::string_view kInfoExportCaption = "Datenträger-Infos exportieren";
inline constexpr std::string_view kTreeExportCaption = "Datenträgerinhalt exportieren";
inline constexpr std::string_view kChooseTargetCaption = "Zieldatei auswählen";

// What the tree dialog is opened for; its caption says it.
enum class TreeDialogMode { Export, Print, Copy };
// "Datenträgerinhalt exportieren" / "... drucken" / "... kopieren".
std::string treeDialogCaption(TreeDialogMode mode);

// "%s" is the target file in each.
std::string overwriteQuestion(std::string_view fileName);
std::string createFailed(std::string_view fileName);
std::string writeFailed(std::string_view fileName);

}  // namespace diskindex::exporting::messages
