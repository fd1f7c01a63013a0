#include "diskindex/core/scan/description_pass.h"

#include <fstream>
#include <optional>
#include <unordered_map>
#include <vector>

#include "diskindex/core/scan/description_text.h"
#include "platform/codepage.h"

namespace diskindex::scan {
namespace {

std::string asciiUpper(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::optional<std::string> readPrefix(std::istream* in, std::size_t limit) {
  if (in == nullptr || !*in) return std::nullopt;
  std::string bytes(limit, '\0');
  in->read(bytes.data(), static_cast<std::streamsize>(limit));
  bytes.resize(static_cast<std::size_t>(in->gcount()));
  return bytes;
}

// Walks the entry list keeping the current directory, its path on the drive
// and the name index of its files, and collects the remarks.
class Pass {
 public:
  Pass(const WalkResult& walk, const DescriptionSource& source) : m_walk(walk), m_source(source) {}

  // True when the entry at index was a description file that was read.
  bool visit(std::size_t index);
  RemarkMap& remarks() { return m_remarks; }

 private:
  void enterDirectory(std::size_t index);
  void readDirectoryText(const WalkEntry& entry);
  void readListFile(const WalkEntry& entry);
  void buildNameIndex();
  void setRemark(std::int32_t fileNo, std::string_view bytes);

  const WalkResult& m_walk;
  const DescriptionSource& m_source;
  std::vector<std::string> m_dirPath;  // file system names from the root down
  std::int32_t m_dirNo = 1;
  std::size_t m_firstFile = 0;  // index of the current directory's first file
  bool m_hasDirectoryText = false;
  bool m_indexBuilt = false;
  std::unordered_map<std::string, std::int32_t> m_nameIndex;  // upper-cased name -> file number
  RemarkMap m_remarks;
};

void Pass::enterDirectory(std::size_t index) {
  const WalkEntry& e = m_walk.entries[index];
  m_dirPath.resize(static_cast<std::size_t>(e.level - 1));
  m_dirPath.push_back(e.fileSystemName());
  ++m_dirNo;
  m_firstFile = index + 1;
  m_hasDirectoryText = false;
  m_indexBuilt = false;
  m_nameIndex.clear();
}

bool Pass::visit(std::size_t index) {
  const WalkEntry& e = m_walk.entries[index];
  if (e.isDirectory()) {
    enterDirectory(index);
    return false;
  }
  switch (descriptionKindOf(e.name)) {
    case DescriptionKind::ListFile:
      readListFile(e);
      return true;
    case DescriptionKind::FileIdDiz:
      if (m_hasDirectoryText) return false;
      readDirectoryText(e);
      return true;
    case DescriptionKind::DirectoryText:
      readDirectoryText(e);
      return true;
    case DescriptionKind::None:
      break;
  }
  return false;
}

void Pass::setRemark(std::int32_t fileNo, std::string_view bytes) {
  std::string text = descriptionToRemark(bytes);
  if (text.empty()) {
    m_remarks.erase({m_dirNo, fileNo});
  } else {
    m_remarks[{m_dirNo, fileNo}] = std::move(text);
  }
}

void Pass::readDirectoryText(const WalkEntry& entry) {
  const auto bytes =
      readPrefix(m_source.open(m_dirPath, entry.fileSystemName()).get(), kMaxDirectoryText);
  if (!bytes) return;
  m_hasDirectoryText = true;
  setRemark(-1, *bytes);
}

void Pass::buildNameIndex() {
  std::int32_t fileNo = 0;
  for (std::size_t i = m_firstFile; i < m_walk.entries.size(); ++i, ++fileNo) {
    const WalkEntry& e = m_walk.entries[i];
    if (e.isDirectory()) break;
    // A list file names a file by its DOS (single-byte) name; a name stored
    // on Linux may be UTF-8, so both spellings find the file.
    m_nameIndex.try_emplace(asciiUpper(e.fileSystemName()), fileNo);
    if (const auto cp1252 = platform::utf8ToCp1252(e.name)) {
      m_nameIndex.try_emplace(asciiUpper(*cp1252), fileNo);
    }
  }
  m_indexBuilt = true;
}

void Pass::readListFile(const WalkEntry& entry) {
  const std::unique_ptr<std::istream> stream = m_source.open(m_dirPath, entry.fileSystemName());
  if (!stream || !*stream) return;
  std::istream& in = *stream;
  if (!m_indexBuilt) buildNameIndex();
  const auto onLine = [this](std::string_view line) {
    const auto parsed = parseListLine(line);
    if (!parsed) return;
    const auto found = m_nameIndex.find(asciiUpper(parsed->name));
    if (found == m_nameIndex.end()) return;
    setRemark(found->second, applyQuotedTitle(parsed->description));
  };
  ListLineSplitter splitter;
  std::vector<char> chunk(64 * 1024);
  while (in) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    splitter.feed(std::string_view(chunk.data(), static_cast<std::size_t>(in.gcount())), onLine);
  }
  splitter.finish(onLine);
}

}  // namespace

DescriptionKind descriptionKindOf(std::string_view name) {
  if (equalsAsciiNoCase(name, "FILES.BBS") || equalsAsciiNoCase(name, "DESCRIPT.ION"))
    return DescriptionKind::ListFile;
  if (equalsAsciiNoCase(name, "DIRINFO.TXT")) return DescriptionKind::DirectoryText;
  if (equalsAsciiNoCase(name, "FILE_ID.DIZ")) return DescriptionKind::FileIdDiz;
  return DescriptionKind::None;
}

bool hasDescriptionFiles(const WalkResult& walk) {
  for (const WalkEntry& e : walk.entries) {
    if (!e.isDirectory() && descriptionKindOf(e.name) != DescriptionKind::None) return true;
  }
  return false;
}

std::unique_ptr<std::istream> FolderSource::open(const std::vector<std::string>& directory,
                                                 const std::string& name) const {
  std::filesystem::path path = m_root;
  for (const std::string& part : directory) path /= part;
  return std::make_unique<std::ifstream>(path / name, std::ios::binary);
}

DescriptionOutcome readDescriptions(const WalkResult& walk, const std::filesystem::path& root,
                                    ScanObserver& observer) {
  return readDescriptions(walk, FolderSource(root), observer);
}

DescriptionOutcome readDescriptions(const WalkResult& walk, const DescriptionSource& source,
                                    ScanObserver& observer) {
  DescriptionOutcome outcome;
  Pass pass(walk, source);
  const std::size_t count = walk.entries.size();
  observer.descriptionProgress(0);
  for (std::size_t i = 0; i < count; ++i) {
    if (pass.visit(i)) observer.descriptionProgress(static_cast<int>(i * 100 / count));
    if (observer.cancelRequested()) {
      outcome.status = DescriptionStatus::Cancelled;
      return outcome;
    }
  }
  observer.descriptionProgress(100);
  outcome.remarks = std::move(pass.remarks());
  outcome.status =
      outcome.remarks.empty() ? DescriptionStatus::NoRemarks : DescriptionStatus::Collected;
  return outcome;
}

}  // namespace diskindex::scan
