#include "diskindex/tests/ui_catalogue_builder.h"

#include <array>

#include "diskindex/core/volume_header.h"

namespace diskindex::ui::testing {
namespace {

// A small linear congruential generator: the same seed gives the same tree.
class Sequence {
 public:
  explicit Sequence(std::uint32_t seed) : m_state(seed * 2654435761u + 1) {}
  std::uint32_t next(std::uint32_t bound) {
    m_state = m_state * 1664525u + 1013904223u;
    return (m_state >> 8) % bound;
  }

 private:
  std::uint32_t m_state;
};

constexpr std::array kDirNames{"TOOLS",   "GAMES",     "DOCS",        "Eigene Bilder", "SOURCE",
                               "Musik",   "TREIBER",   "Urlaub 2023", "BACKUP",        "Projekte",
                               "INSTALL", "Programme", "DATEN",       "Briefe",        "ARCHIV"};
constexpr std::array kStems{"README", "SETUP",   "INSTALL",  "Rechnung", "Brief an Oma",
                            "DATA",   "Foto",    "LIESMICH", "PROGRAM",  "Übersicht",
                            "CONFIG", "Tabelle", "UPDATE",   "Notizen",  "FILE_ID"};
constexpr std::array kExtensions{"TXT", "EXE", "DOC", "jpg", "DAT", "ZIP", "pdf", "BAT", "ini", ""};

bool isShortName(const std::string& name) {
  const std::size_t dot = name.find('.');
  const std::string stem = name.substr(0, dot);
  const std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
  if (stem.empty() || stem.size() > 8 || ext.size() > 3) return false;
  for (char c : name) {
    if (c != '.' && c != '_' && !(c >= 'A' && c <= 'Z') && !(c >= '0' && c <= '9')) return false;
  }
  return true;
}

EntryRecord entry(std::uint8_t level, std::string name, std::uint64_t size, bool directory,
                  Sequence& random) {
  EntryRecord record;
  record.level = level;
  record.attributes = directory ? attributes::kDirectory : attributes::kArchive;
  if (!isShortName(name)) record.attributes |= attributes::kLongName;
  record.name = std::move(name);
  record.size = size;
  const std::uint32_t date =
      ((10 + random.next(35)) << 9) | ((1 + random.next(12)) << 5) | (1 + random.next(28));
  const std::uint32_t time = (random.next(24) << 11) | (random.next(60) << 5) | random.next(30);
  record.dosDateTime = (date << 16) | time;
  return record;
}

void addFiles(std::vector<EntryRecord>& out, std::uint8_t level, int count, Sequence& random) {
  for (int i = 0; i < count; ++i) {
    std::string name = kStems[random.next(kStems.size())];
    name += std::to_string(i);
    const char* ext = kExtensions[random.next(kExtensions.size())];
    if (*ext) name += std::string(".") + ext;
    out.push_back(entry(level, std::move(name), random.next(5000000), false, random));
  }
}

}  // namespace

std::vector<EntryRecord> sampleEntries(int directories, int filesPerDirectory, std::uint32_t seed) {
  Sequence random(seed);
  std::vector<EntryRecord> out;
  out.reserve(static_cast<std::size_t>(directories) * (filesPerDirectory + 1) + 16);
  addFiles(out, 1, filesPerDirectory, random);
  std::uint8_t level = 1;
  for (int d = 0; d < directories; ++d) {
    // Walk order: go one level deeper, stay, or climb back up.
    const std::uint32_t step = random.next(3);
    if (step == 0 && level < 4 && d > 0) ++level;
    if (step == 2 && level > 1) level = static_cast<std::uint8_t>(1 + random.next(level));
    std::string name = kDirNames[random.next(kDirNames.size())];
    name += std::to_string(d);
    out.push_back(entry(level, std::move(name), 0, true, random));
    addFiles(out, static_cast<std::uint8_t>(level + 1), filesPerDirectory, random);
  }
  return out;
}

ResultCode addSampleVolume(Catalogue& catalogue, const SampleVolume& volume,
                           std::span<const EntryRecord> entries, const TFileCommentList& remarks) {
  VolumeHeader header = freshHeader();
  header.name = volume.name;
  header.category = volume.category;
  header.label = volume.label;
  header.location = volume.location;
  header.remark = volume.remark;
  header.driveType = volume.driveType;
  header.driveLetter = volume.driveLetter;
  header.capacity = volume.capacity;
  header.freeSpace = volume.freeSpace;
  header.captureDate = volume.captureDate;
  return catalogue.addVolume(header, entries, remarks);
}

void writeSampleCatalogue(const std::filesystem::path& dataDir, int count, int directories,
                          int filesPerDirectory) {
  std::filesystem::create_directories(dataDir);
  Catalogue catalogue;
  catalogue.setDataDirectory(dataDir);
  constexpr std::array kCategories{"", "Spiele", "Software", "Fotos", "Musik", "Sicherungen"};
  constexpr std::array kKinds{"Backup", "CD", "Fotos", "Spiele", "Treiber", "Musik", "Archiv"};
  for (int i = 0; i < count; ++i) {
    SampleVolume volume;
    volume.name = std::string(kKinds[static_cast<std::size_t>(i) % kKinds.size()]) + " " +
                  std::to_string(1000 + i);
    volume.category = kCategories[static_cast<std::size_t>(i) % kCategories.size()];
    volume.label = "VOL" + std::to_string(i);
    volume.location =
        i % 3 == 0 ? "Regal im Arbeitszimmer" : "Schrank, Fach " + std::to_string(i % 7);
    volume.remark = i % 4 == 0 ? "Gesichert vor dem Umzug.\r\nEnthält alte Projekte." : "";
    volume.driveType = static_cast<std::uint8_t>(i % 5 == 0 ? 3 : i % 7 == 0 ? 2 : 5);
    volume.capacity = 681574400 - i * 1000;
    volume.freeSpace = i % 2 == 0 ? 0 : 12345678;
    volume.captureDate = 40000.0 + i * 7;
    const auto entries =
        sampleEntries(directories, filesPerDirectory, static_cast<std::uint32_t>(i));
    addSampleVolume(catalogue, volume, entries);
  }
}

}  // namespace diskindex::ui::testing
