#pragma once
// Test helper: disc images and archives made at test time. A sample tree
// with umlauts, long names, a read-only file, hidden entries and description
// files; an ISO of a tree made by xorriso (when installed); zip and tar
// archives of a tree, or of freely chosen member paths, written with
// libarchive's writer.

#include <archive.h>
#include <archive_entry.h>
#include <sys/stat.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "diskindex/tests/temp_tree.h"

namespace diskindex::scan::testing {

inline constexpr time_t kSampleTime = 1700000000;  // an even second: DOS keeps it

// Fills tree with the sample and gives every entry kSampleTime.
inline void makeSampleTree(TempTree& tree) {
  tree.file("Größe der Übersicht mit langem Namen.txt", "Inhalt mit Umlauten äöü");
  tree.file("README.TXT", "lies mich");
  tree.file("DIRINFO.TXT", "Die Wurzel der Probe");
  tree.file(".versteckt", "h");
  tree.file(".verborgen/geheim.txt", "g");
  tree.file("Überordner mit einem sehr langen Namen/Unterordner/a.txt", "aaaa");
  tree.file("Überordner mit einem sehr langen Namen/Unterordner/B.DAT", std::string(5000, 'b'));
  tree.file("Überordner mit einem sehr langen Namen/Unterordner/FILES.BBS",
            "A.TXT  Die erste Datei\r\nB.DAT  Daten in Menge\r\n");
  tree.file("Überordner mit einem sehr langen Namen/nur lesen.txt", "fest");
  tree.file("archiv/innen.zip", "PK\x03\x04 kein echtes Archiv");
  tree.dir("leer");
  chmod((tree.root() / "Überordner mit einem sehr langen Namen/nur lesen.txt").c_str(), 0444);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(tree.root())) {
    tree.setTime(std::filesystem::relative(entry.path(), tree.root()).string(), kSampleTime);
  }
}

inline bool haveXorriso() {
  return std::system("command -v xorriso >/dev/null 2>&1") == 0;
}

// Makes image from the tree with Joliet and Rock Ridge; false on failure.
inline bool makeIso(const std::filesystem::path& tree, const std::filesystem::path& image,
                    const std::string& label) {
  const std::string command = "xorriso -as mkisofs -quiet -J -R -V '" + label + "' -o '" +
                              image.string() + "' '" + tree.string() + "' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

enum class ArchiveKind { Zip, TarXz, TarGz, TarBz2, TarZstd, SevenZip, Cpio };

class ArchiveWriter {
 public:
  // The writer converts names through the locale, so it writes under a
  // UTF-8 one; the reader under test runs in the test's own locale.
  ArchiveWriter(const std::filesystem::path& file, ArchiveKind kind)
      : m_oldLocale(std::setlocale(LC_CTYPE, nullptr)), m_a(archive_write_new()) {
    std::setlocale(LC_CTYPE, "C.UTF-8");
    switch (kind) {
      case ArchiveKind::Zip:
        archive_write_set_format_zip(m_a);
        archive_write_set_options(m_a, "hdrcharset=UTF-8");
        break;
      case ArchiveKind::SevenZip:
        archive_write_set_format_7zip(m_a);
        break;
      case ArchiveKind::Cpio:
        archive_write_set_format_cpio_newc(m_a);
        break;
      default:
        archive_write_set_format_pax_restricted(m_a);
        break;
    }
    if (kind == ArchiveKind::TarXz) archive_write_add_filter_xz(m_a);
    if (kind == ArchiveKind::TarGz) archive_write_add_filter_gzip(m_a);
    if (kind == ArchiveKind::TarBz2) archive_write_add_filter_bzip2(m_a);
    if (kind == ArchiveKind::TarZstd) archive_write_add_filter_zstd(m_a);
    archive_write_open_filename(m_a, file.c_str());
  }
  ~ArchiveWriter() {
    archive_write_close(m_a);
    archive_write_free(m_a);
    std::setlocale(LC_CTYPE, m_oldLocale.c_str());
  }
  ArchiveWriter(const ArchiveWriter&) = delete;
  ArchiveWriter& operator=(const ArchiveWriter&) = delete;

  void add(const std::string& path, const std::string& content, bool directory = false,
           int mode = 0644, time_t mtime = kSampleTime) {
    archive_entry* e = archive_entry_new();
    archive_entry_set_pathname_utf8(e, path.c_str());
    archive_entry_set_filetype(e, directory ? AE_IFDIR : AE_IFREG);
    archive_entry_set_perm(e, static_cast<mode_t>(directory ? 0755 : mode));
    archive_entry_set_mtime(e, mtime, 0);
    archive_entry_set_size(e, directory ? 0 : static_cast<la_int64_t>(content.size()));
    archive_write_header(m_a, e);
    if (!directory) archive_write_data(m_a, content.data(), content.size());
    archive_entry_free(e);
  }

 private:
  std::string m_oldLocale;
  archive* m_a;
};

// Writes every entry of the tree (directories as members of their own).
inline void archiveTree(const std::filesystem::path& tree, const std::filesystem::path& file,
                        ArchiveKind kind) {
  ArchiveWriter writer(file, kind);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(tree)) {
    const std::string relative = std::filesystem::relative(entry.path(), tree).string();
    struct stat st {};
    stat(entry.path().c_str(), &st);
    if (entry.is_directory()) {
      writer.add(relative + "/", {}, true, 0755, st.st_mtime);
      continue;
    }
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), {});
    writer.add(relative, content, false, static_cast<int>(st.st_mode & 0777), st.st_mtime);
  }
}

}  // namespace diskindex::scan::testing
