// Where the game's sound files are found.
//
// A sound is named by its bare file name. It is looked for in the current
// folder first, then beside the program, then in the installed data folder
// "../share/drox/" next to the program's folder; the first regular file of
// that name wins. Not finding it is no error: the sound stays silent.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace arena {

// The folders searched, in order, for a program in programDir.
std::vector<std::filesystem::path> soundFolders(const std::filesystem::path& currentDir,
                                                const std::filesystem::path& programDir);

// The first existing file of that name in the folders, or an empty path.
std::filesystem::path locateSound(std::string_view fileName,
                                  const std::vector<std::filesystem::path>& folders);

}  // namespace arena
