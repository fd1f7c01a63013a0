// One pass of the archive library over the image: every member's header goes
// to the tree builder, description files are read on the way, all other data
// is skipped (the library skips it on the next header).

#include "diskindex/core/scan/image_reader.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "diskindex/core/scan/description_pass.h"
#include "diskindex/core/scan/image_tree.h"
#include "diskindex/core/scan/iso_label.h"
#include "diskindex/core/volume_header.h"
#include "platform/codepage.h"
#include "platform/dates.h"

namespace diskindex::scan {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;
constexpr std::size_t kPollEvery = 64;  // members between cancel polls
constexpr int kMaxRetries = 16;

using ArchivePtr = std::unique_ptr<archive, int (*)(archive*)>;

// The library converts member names into the locale's character set and
// gives up on names it cannot convert (an umlaut under the "C" locale). The
// reading thread therefore works under a UTF-8 locale while this lives; the
// rest of the program keeps its own.
class Utf8Names {
 public:
  Utf8Names() : m_utf8(newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0))) {
    if (m_utf8 != static_cast<locale_t>(0)) m_previous = uselocale(m_utf8);
  }
  ~Utf8Names() {
    if (m_utf8 == static_cast<locale_t>(0)) return;
    uselocale(m_previous);
    freelocale(m_utf8);
  }
  Utf8Names(const Utf8Names&) = delete;
  Utf8Names& operator=(const Utf8Names&) = delete;

 private:
  locale_t m_utf8;
  locale_t m_previous = static_cast<locale_t>(0);
};

// The formats and filters an image may have. Not "all": the raw format would
// make any file a one-entry archive, mtree would read files named in a text
// file from the local disk, and some filters run external programs.
ArchivePtr newReader() {
  ArchivePtr a(archive_read_new(), archive_read_free);
  if (!a) throw std::bad_alloc();
  archive* r = a.get();
  archive_read_support_format_iso9660(r);
  archive_read_support_format_zip(r);
  archive_read_support_format_7zip(r);
  archive_read_support_format_tar(r);
  archive_read_support_format_cpio(r);
  archive_read_support_format_rar(r);
  archive_read_support_format_rar5(r);
  archive_read_support_filter_gzip(r);
  archive_read_support_filter_bzip2(r);
  archive_read_support_filter_xz(r);
  archive_read_support_filter_lzma(r);
  archive_read_support_filter_zstd(r);
  archive_read_support_filter_lz4(r);
  archive_read_support_filter_compress(r);
  return a;
}

// Opening chooses the format and reads ahead through the compression: bytes
// of no known format fail with the library's format error, a damaged or cut
// compressed stream with another. The library reports its format error as
// EILSEQ on Linux (its private ARCHIVE_ERRNO_FILE_FORMAT).
ResultCode openFailure(archive* a) {
  return archive_errno(a) == EILSEQ ? ResultCode::BadFormat : ResultCode::CannotRead;
}

std::string firstCharacters(const std::string& text, std::size_t maxChars) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (count++ == maxChars) return text.substr(0, i);
  }
  return text;
}

// The member's path: the archive's bytes when they are UTF-8 (Rock Ridge,
// tar and zip names usually are), else the library's UTF-8 conversion
// (Joliet, flagged zip names under a non-UTF-8 locale), else the bytes.
std::string_view memberPath(archive_entry* e) {
  const char* raw = archive_entry_pathname(e);
  if (raw != nullptr && platform::isValidUtf8(raw)) return raw;
  if (const char* utf8 = archive_entry_pathname_utf8(e)) return utf8;
  return raw != nullptr ? std::string_view(raw) : std::string_view();
}

std::string joinedPath(std::string_view path) {
  std::vector<std::string> parts;
  if (splitMemberPath(path, parts) != PathCheck::Usable) return {};
  std::string joined;
  for (const std::string& part : parts) joined += (joined.empty() ? "" : "/") + part;
  return joined;
}

class ImagePass {
 public:
  ImagePass(archive* a, std::uint32_t implicitTime, ScanObserver& observer)
      : m_a(a), m_builder(implicitTime), m_observer(observer), m_implicitTime(implicitTime) {}
  // Reads all members into result (code and member on failure).
  void run(ImageReadResult& result);

 private:
  bool takeMember(archive_entry* e, ImageReadResult& result);
  bool keepDescription(std::string_view path, ImageReadResult& result);
  std::uint32_t dosTime(archive_entry* e);

  archive* m_a;
  ImageTreeBuilder m_builder;
  ScanObserver& m_observer;
  std::size_t m_descriptionBytes = 0;
  std::size_t m_reportedDirectories = 0;
  std::uint32_t m_implicitTime = 0;
};

std::uint32_t ImagePass::dosTime(archive_entry* e) {
  if (!archive_entry_mtime_is_set(e)) return m_implicitTime;
  const platform::DosDateTime dos = platform::dosFromUnixTime(archive_entry_mtime(e));
  return (std::uint32_t{dos.date} << 16) | dos.time;
}

// Reads a description file's first bytes into the contents; false on a read
// error.
bool ImagePass::keepDescription(std::string_view path, ImageReadResult& result) {
  const std::string key = joinedPath(path);
  const std::size_t room = kMaxDescriptionBytesTotal - m_descriptionBytes;
  const std::size_t limit = std::min(kMaxDescriptionFileBytes, room);
  if (key.empty() || limit == 0) return true;
  std::string bytes;
  char buffer[16 * 1024];
  while (bytes.size() < limit) {
    const la_ssize_t n =
        archive_read_data(m_a, buffer, std::min(sizeof buffer, limit - bytes.size()));
    if (n < 0) return false;
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  m_descriptionBytes += bytes.size();
  result.contents.descriptionFiles[key] = std::move(bytes);
  return true;
}

bool ImagePass::takeMember(archive_entry* e, ImageReadResult& result) {
  const std::string_view path = memberPath(e);
  ImageMember member;
  member.path = path;
  const auto type = archive_entry_filetype(e);
  member.kind = type == AE_IFDIR   ? MemberKind::Directory
                : type == AE_IFREG ? MemberKind::File
                                   : MemberKind::Other;
  if (member.kind != MemberKind::Directory && archive_entry_size_is_set(e)) {
    const la_int64_t size = archive_entry_size(e);
    member.size = size > 0 ? static_cast<std::uint64_t>(size) : 0;
  }
  member.mode = static_cast<std::uint32_t>(archive_entry_perm(e));
  member.dosDateTime = dosTime(e);
  if (!m_builder.add(member)) {
    result.code = ResultCode::UnsafeName;
    result.member = platform::isValidUtf8(path) ? std::string(path) : platform::cp1252ToUtf8(path);
    return false;
  }
  const std::size_t slash = path.find_last_of('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  if (member.kind == MemberKind::File && descriptionKindOf(name) != DescriptionKind::None &&
      !keepDescription(path, result)) {
    result.code = ResultCode::CannotRead;
    return false;
  }
  return true;
}

void ImagePass::run(ImageReadResult& result) {
  std::size_t members = 0;
  int retries = 0;
  for (;;) {
    archive_entry* e = nullptr;
    const int r = archive_read_next_header(m_a, &e);
    if (r == ARCHIVE_EOF) break;
    if (r == ARCHIVE_RETRY && ++retries < kMaxRetries) continue;
    if (r < ARCHIVE_WARN) {
      result.code = members == 0 ? openFailure(m_a) : ResultCode::CannotRead;
      return;
    }
    if (++members > kMaxImageMembers) {
      result.code = ResultCode::OutOfMemory;
      return;
    }
    if (!takeMember(e, result)) return;
    for (; m_reportedDirectories < m_builder.directoryCount(); ++m_reportedDirectories) {
      m_observer.directoryFound(static_cast<int>(m_reportedDirectories + 1));
    }
    if (members % kPollEvery == 0 && m_observer.cancelRequested()) {
      result.code = ResultCode::Cancelled;
      return;
    }
  }
  if (m_observer.cancelRequested()) {
    result.code = ResultCode::Cancelled;
    return;
  }
  result.contents.walk = m_builder.finish();
  if (result.contents.walk.entries.empty()) result.code = ResultCode::DriveNotReady;
}

// The whole read once the archive is open: head holds the image's first
// bytes (for the ISO volume descriptors).
ImageReadResult readOpened(archive* a, std::span<const std::uint8_t> head, std::int64_t size,
                           std::uint32_t implicitTime, ScanObserver& observer) {
  ImageReadResult result;
  result.contents.imageSize = size;
  const std::optional<IsoVolumeInfo> iso = readIsoVolumeInfo(head);
  if (iso && iso->volumeBytes > static_cast<std::uint64_t>(size)) {
    result.code = ResultCode::CannotRead;  // a disc image cut off
    return result;
  }
  try {
    ImagePass pass(a, implicitTime, observer);
    pass.run(result);
  } catch (const std::bad_alloc&) {
    result.code = ResultCode::OutOfMemory;
  }
  if (result.code != ResultCode::Ok) {
    result.contents = ImageContents{};
    return result;
  }
  const bool disc = (archive_format(a) & ARCHIVE_FORMAT_BASE_MASK) == ARCHIVE_FORMAT_ISO9660;
  result.contents.driveType = disc ? kDiscImageDriveType : kArchiveDriveType;
  if (disc && iso) result.contents.label = firstCharacters(iso->label, kMaxLabelLength);
  return result;
}

}  // namespace

ImageReadResult readImageFile(const std::filesystem::path& image, ScanObserver& observer) {
  ImageReadResult result;
  const int fd = open(image.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  if (fd < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    if (fd >= 0) close(fd);
    result.code = ResultCode::CannotOpen;
    return result;
  }
  std::vector<std::uint8_t> head(iso_layout::kDescriptorAreaEnd);
  const ssize_t got = pread(fd, head.data(), head.size(), 0);
  head.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  const platform::DosDateTime dos = platform::dosFromUnixTime(st.st_mtime);
  const std::uint32_t fileTime = (std::uint32_t{dos.date} << 16) | dos.time;
  const Utf8Names names;
  try {
    ArchivePtr a = newReader();
    if (archive_read_open_fd(a.get(), fd, kBlockSize) != ARCHIVE_OK) {
      close(fd);
      result.code = openFailure(a.get());
      return result;
    }
    result = readOpened(a.get(), head, st.st_size, fileTime, observer);
  } catch (const std::bad_alloc&) {
    result.code = ResultCode::OutOfMemory;
  }
  close(fd);
  return result;
}

ImageReadResult readImageMemory(std::span<const std::uint8_t> image, ScanObserver& observer) {
  ImageReadResult result;
  const Utf8Names names;
  try {
    ArchivePtr a = newReader();
    if (archive_read_open_memory(a.get(), image.data(), image.size()) != ARCHIVE_OK) {
      result.code = openFailure(a.get());
      return result;
    }
    result = readOpened(a.get(), image, static_cast<std::int64_t>(image.size()), 0, observer);
  } catch (const std::bad_alloc&) {
    result.code = ResultCode::OutOfMemory;
  }
  return result;
}

std::string imageLabel(const std::filesystem::path& image) {
  const int fd = open(image.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  std::vector<std::uint8_t> head(iso_layout::kDescriptorAreaEnd);
  const ssize_t got = pread(fd, head.data(), head.size(), 0);
  close(fd);
  head.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  const std::optional<IsoVolumeInfo> iso = readIsoVolumeInfo(head);
  return iso ? firstCharacters(iso->label, kMaxLabelLength) : std::string();
}

}  // namespace diskindex::scan
