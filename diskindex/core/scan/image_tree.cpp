#include "diskindex/core/scan/image_tree.h"

#include <algorithm>

#include "platform/codepage.h"

namespace diskindex::scan {
namespace {

std::string indexKey(std::uint32_t parent, const std::string& native) {
  return std::to_string(parent) + '/' + native;
}

}  // namespace

PathCheck splitMemberPath(std::string_view path, std::vector<std::string>& parts) {
  parts.clear();
  if (!path.empty() && path.front() == '/') return PathCheck::Unsafe;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view part = path.substr(start, end - start);
    if (part == "..") return PathCheck::Unsafe;
    if (!part.empty() && part != ".") parts.emplace_back(part);
    start = end + 1;
  }
  return parts.empty() ? PathCheck::Root : PathCheck::Usable;
}

ImageTreeBuilder::ImageTreeBuilder(std::uint32_t implicitTime) : m_implicitTime(implicitTime) {
  m_nodes.emplace_back();
  m_nodes[0].entry.attributes = kAttrDirectory;
}

void ImageTreeBuilder::makeDirectory(Node& node) {
  if (node.entry.isDirectory()) return;
  node.entry.attributes =
      static_cast<std::uint8_t>((node.entry.attributes & ~kAttrArchive) | kAttrDirectory);
  node.entry.size = 0;
  ++m_directories;
}

// The child named native of parent, created when missing (a directory when
// asked for one: the directory-wins rule turns an existing file into one).
std::uint32_t ImageTreeBuilder::child(std::uint32_t parent, const std::string& native,
                                      bool directory) {
  const auto [found, inserted] =
      m_index.try_emplace(indexKey(parent, native), static_cast<std::uint32_t>(m_nodes.size()));
  if (!inserted) {
    if (directory) makeDirectory(m_nodes[found->second]);
    return found->second;
  }
  Node node;
  if (platform::isValidUtf8(native)) {
    node.entry.name = native;
  } else {
    node.entry.name = platform::cp1252ToUtf8(native);
    node.entry.nativeName = native;
  }
  node.key = walkSortKey(node.entry.name);
  node.entry.dosDateTime = m_implicitTime;
  std::uint8_t attributes = directory ? kAttrDirectory : 0;
  if (native.front() == '.') attributes |= kAttrHidden;
  if (!isShortUpperName(native)) attributes |= kAttrLongName;
  node.entry.attributes = attributes;
  m_directories += directory ? 1 : 0;
  m_nodes.push_back(std::move(node));
  m_nodes[parent].children.push_back(found->second);
  return found->second;
}

void ImageTreeBuilder::describe(Node& node, const ImageMember& member) {
  std::uint8_t attributes = node.entry.attributes & (kAttrHidden | kAttrLongName | kAttrDirectory);
  if (!node.entry.isDirectory()) {
    node.entry.size = member.size;
    if (member.kind == MemberKind::File) attributes |= kAttrArchive;
  }
  if ((member.mode & 0200) == 0) attributes |= kAttrReadOnly;
  node.entry.attributes = attributes;
  node.entry.dosDateTime = member.dosDateTime;
}

bool ImageTreeBuilder::add(const ImageMember& member) {
  thread_local std::vector<std::string> parts;
  const PathCheck check = splitMemberPath(member.path, parts);
  if (check == PathCheck::Unsafe) return false;
  if (check == PathCheck::Root) return true;
  // Nothing below level kMaxLevel is listed; the directory there still is.
  const bool cut = parts.size() > static_cast<std::size_t>(kMaxLevel);
  if (cut) parts.resize(kMaxLevel);
  std::uint32_t node = 0;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) node = child(node, parts[i], true);
  const bool directory = cut || member.kind == MemberKind::Directory;
  const std::uint32_t last = child(node, parts.back(), directory);
  Node& target = m_nodes[last];
  // A file member never overwrites a directory (it would hide its subtree).
  if (!cut && (directory || !target.entry.isDirectory())) describe(target, member);
  return true;
}

void ImageTreeBuilder::emit(std::uint32_t dir, int level, WalkResult& out) {
  std::vector<std::uint32_t> files;
  std::vector<std::uint32_t> dirs;
  for (const std::uint32_t c : m_nodes[dir].children) {
    const WalkEntry& e = m_nodes[c].entry;
    if (!e.isDirectory()) {
      files.push_back(c);
    } else if ((e.attributes & kAttrHidden) == 0) {
      dirs.push_back(c);
    }
  }
  const auto before = [this](std::uint32_t a, std::uint32_t b) {
    const Node& x = m_nodes[a];
    const Node& y = m_nodes[b];
    return walkOrderBefore(x.key, x.entry.fileSystemName(), y.key, y.entry.fileSystemName());
  };
  std::sort(files.begin(), files.end(), before);
  std::sort(dirs.begin(), dirs.end(), before);
  for (const std::uint32_t f : files) {
    m_nodes[f].entry.level = level;
    out.entries.push_back(std::move(m_nodes[f].entry));
  }
  out.fileCount += static_cast<int>(files.size());
  for (const std::uint32_t d : dirs) {
    m_nodes[d].entry.level = level;
    out.entries.push_back(std::move(m_nodes[d].entry));
    ++out.directoryCount;
    if (level < kMaxLevel) emit(d, level + 1, out);
  }
}

WalkResult ImageTreeBuilder::finish() {
  WalkResult result;
  result.entries.reserve(m_nodes.size() - 1);
  emit(0, 1, result);
  m_nodes.clear();
  m_nodes.emplace_back();
  m_nodes[0].entry.attributes = kAttrDirectory;
  m_index.clear();
  m_directories = 0;
  return result;
}

}  // namespace diskindex::scan
