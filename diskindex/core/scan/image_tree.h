#pragma once
// Builds the entry list of a disc image or archive from its members, in the
// order a walked drive gives (the files of a directory first, then each
// subdirectory followed by its subtree, sorted as the walk sorts) and with
// the walk's Linux rules (hidden dot names, hidden directories left out with
// their contents, long-name flag, read-only from the owner's write
// permission, archive bit on regular files, directories at level 255 listed
// without their contents). Members arrive in any order:
//  - directories named only as part of a member's path are created, with
//    the time given to the builder;
//  - empty and "." path components are ignored ("./a//b" is "a/b"); a path
//    that names the root itself adds nothing;
//  - a path with a ".." component or a leading "/" is unsafe: the caller
//    refuses the whole image;
//  - a later member with the same path replaces an earlier file;
//  - where a file and a directory share a path the directory wins, in
//    either order, and keeps everything below it.
// It reads nothing itself; the image reader feeds it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "diskindex/core/scan/walk.h"

namespace diskindex::scan {

enum class MemberKind { File, Directory, Other };

struct ImageMember {
  std::string_view path;  // the archive's path bytes, "/"-separated
  MemberKind kind = MemberKind::File;
  std::uint64_t size = 0;
  std::uint32_t dosDateTime = 0;
  std::uint32_t mode = 0644;  // permission bits
};

enum class PathCheck { Usable, Root, Unsafe };

// Splits a member path into its components (see above for the rules).
PathCheck splitMemberPath(std::string_view path, std::vector<std::string>& parts);

class ImageTreeBuilder {
 public:
  // implicitTime: the DOS time of directories no member names.
  explicit ImageTreeBuilder(std::uint32_t implicitTime);

  // False for an unsafe path (nothing is added then).
  bool add(const ImageMember& member);
  // Entries in the tree so far (directories created implicitly included).
  std::size_t nodeCount() const { return m_nodes.size() - 1; }
  std::size_t directoryCount() const { return m_directories; }
  // The entry list; the builder is left empty.
  WalkResult finish();

 private:
  struct Node {
    WalkEntry entry;
    std::string key;  // walkSortKey of the name
    std::vector<std::uint32_t> children;
  };
  std::uint32_t child(std::uint32_t parent, const std::string& native, bool directory);
  void makeDirectory(Node& node);
  void describe(Node& node, const ImageMember& member);
  void emit(std::uint32_t dir, int level, WalkResult& out);

  std::uint32_t m_implicitTime;
  std::vector<Node> m_nodes;                               // [0] is the root
  std::unordered_map<std::string, std::uint32_t> m_index;  // parent number + "/" + name
  std::size_t m_directories = 0;
};

}  // namespace diskindex::scan
