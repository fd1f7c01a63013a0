// Every writer of the catalogue run under injected faults: a short write,
// ENOSPC, EIO on fsync at each write or fsync it makes, and a crash (the
// process ended) before each of its file operations. After each run the
// catalogue must load, everything saved before must be there, and every file
// the workflow touches must be wholly old or wholly new. Readers get EIO at
// each read and must say so instead of returning part of a file as whole.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>

#include "diskindex/core/catalogue.h"
#include "diskindex/core/comment_file.h"
#include "diskindex/core/export/export_file.h"
#include "diskindex/core/file_io.h"
#include "diskindex/core/settings_file.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/core/volume_root.h"
#include "diskindex/tests/fault_injector.h"
#include "diskindex/tests/test_files.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Snapshot = std::map<std::string, Bytes>;

constexpr const char* kSettings = "DISKINDX.INI";

// Every file of the folder by name, without the lock file and temporary files
// (the loader never looks at either).
Snapshot snapshot(const fs::path& dir) {
  Snapshot files;
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (name == kLockFileName || name.ends_with(".tmp")) continue;
    files[name] = test::readAll(entry.path());
  }
  return files;
}

bool hasTempFiles(const fs::path& dir) {
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().filename().string().ends_with(".tmp")) return true;
  }
  return false;
}

TFileCommentList remarks(std::initializer_list<std::pair<TDirFileNo, std::string>> texts) {
  TFileCommentList list;
  for (const auto& [key, text] : texts) list.set(key, text);
  return list;
}

// The folder every run starts from: two volumes with remarks, a third whose
// comment file is damaged, a fourth that keeps its folder instead of a
// letter, and a settings file.
void makeCatalogue(const fs::path& dir) {
  for (int i = 1; i <= 3; ++i) {
    VolumeHeader header = test::sampleHeader("Band " + std::to_string(i));
    ASSERT_EQ(createVolume(dir / volumeFileName(i), header, test::generatedWalk(4, 3)),
              ResultCode::Ok);
  }
  VolumeHeader kept = test::sampleHeader("Band 4");
  kept.driveLetter = platform::DriveTable::kFolderKey;
  ASSERT_EQ(writeFolderFile(dir / volumeFileName(4), "/srv/Band 4"), ResultCode::Ok);
  ASSERT_EQ(createVolume(dir / volumeFileName(4), kept, test::generatedWalk(3, 2)),
            ResultCode::Ok);
  TFileCommentList first = remarks({{{1, -1}, "Wurzel"}, {{2, 0}, "Datei"}});
  ASSERT_EQ(saveRemarks(dir / "CD000001.CMT", first), ResultCode::Ok);
  TFileCommentList second = remarks({{{1, 0}, "Zweite"}});
  ASSERT_EQ(saveRemarks(dir / "CD000002.CMT", second), ResultCode::Ok);
  TFileCommentList third = remarks({{{1, -1}, "Dritte"}});
  ASSERT_EQ(saveRemarks(dir / "CD000003.CMT", third), ResultCode::Ok);
  Bytes damaged = test::readAll(dir / "CD000003.CMT");
  damaged[0] = 'X';
  test::writeAll(dir / "CD000003.CMT", damaged);
  test::writeAll(dir / kSettings, Bytes{'[', 'I', 'n', 'i', 't', 's', ']', '\n', 'W', 'I', 'N',
                                        '_', 'X', '=', '5', '\n', 'X', '=', '1', '\n'});
  // A tree export in Windows-1252 ("Größe") that an appended export converts.
  test::writeAll(dir / "LISTE.LST", Bytes{'G', 'r', 0xF6, 0xDF, 'e', '\r', '\n'});
}

// Changes a volume's information the way the change dialog does: the list
// loaded, the header read, edited and written through the catalogue.
bool changeHeader(const fs::path& dataFile, const std::function<void(VolumeHeader&)>& edit) {
  Catalogue catalogue;
  catalogue.setDataDirectory(dataFile.parent_path());
  catalogue.loadVolumeList();
  VolumeHeader header;
  if (readHeader(dataFile, header) != ResultCode::Ok) return false;
  edit(header);
  const auto index = catalogue.volumes().findByDataFile(dataFile);
  return index && catalogue.changeVolumeInfo(*index, header) == ResultCode::Ok;
}

struct Workflow {
  std::string name;
  std::function<bool(const fs::path&)> run;  // true when it reported success
};

std::vector<Workflow> workflows() {
  return {
      {"add volume",
       [](const fs::path& dir) {
         Catalogue catalogue;
         catalogue.setDataDirectory(dir);
         catalogue.loadVolumeList();
         const auto walk = test::generatedWalk(6, 4);
         return catalogue.addVolume(test::sampleHeader("Neu"), walk,
                                    remarks({{{1, -1}, "neu"}, {{3, 1}, "x"}})) == ResultCode::Ok;
       }},
      {"add a volume that keeps its folder",
       [](const fs::path& dir) {
         Catalogue catalogue;
         catalogue.setDataDirectory(dir);
         catalogue.loadVolumeList();
         VolumeHeader header = test::sampleHeader("Ordner");
         header.driveLetter = platform::DriveTable::kFolderKey;
         header.folder = "/srv/Fotos";
         return catalogue.addVolume(header, test::generatedWalk(3, 2), {}) == ResultCode::Ok;
       }},
      {"move a volume to a kept folder",
       [](const fs::path& dir) {
         return changeHeader(dir / "CD000002.DAT", [](VolumeHeader& header) {
           header.driveLetter = platform::DriveTable::kFolderKey;
           header.folder = "/srv/Archiv";
         });
       }},
      {"move a volume that keeps its folder to a letter",
       [](const fs::path& dir) {
         Catalogue catalogue;
         catalogue.setDataDirectory(dir);
         catalogue.loadVolumeList();
         VolumeHeader header;
         if (readHeader(dir / "CD000004.DAT", header) != ResultCode::Ok) return false;
         header.driveLetter = 'F';
         header.folder.clear();
         const auto index = catalogue.volumes().findByDataFile(dir / "CD000004.DAT");
         return index && catalogue.changeVolumeInfo(*index, header) == ResultCode::Ok;
       }},
      {"delete a volume that keeps its folder",
       [](const fs::path& dir) {
         Catalogue catalogue;
         catalogue.setDataDirectory(dir);
         catalogue.loadVolumeList();
         const auto index = catalogue.volumes().findByDataFile(dir / "CD000004.DAT");
         return index && catalogue.deleteVolume(*index) == ResultCode::Ok;
       }},
      {"save remarks",
       [](const fs::path& dir) {
         const RemarksLoad load = loadRemarksForEdit(dir / "CD000001.CMT");
         RemarkSaveRequest request{dir / "CD000001.CMT", load.base, load.base};
         request.mine.push_back({{5, 2}, "dazu"});
         return saveRemarksMerged(request).status != RemarkSaveStatus::Failed;
       }},
      {"save over a damaged comment file",
       [](const fs::path& dir) {
         TFileCommentList list = remarks({{{1, -1}, "ersetzt"}});
         return saveRemarks(dir / "CD000003.CMT", list) == ResultCode::Ok;
       }},
      {"change volume information",
       [](const fs::path& dir) {
         return changeHeader(dir / "CD000002.DAT",
                             [](VolumeHeader& header) { header.name = "Umbenannt"; });
       }},
      {"category needing UTF-8",
       [](const fs::path& dir) {
         return rewriteCategory(dir / "CD000001.DAT", "Фото") == ResultCode::Ok;
       }},
      {"delete volume",
       [](const fs::path& dir) {
         Catalogue catalogue;
         catalogue.setDataDirectory(dir);
         catalogue.loadVolumeList();
         const auto index = catalogue.volumes().findByDataFile(dir / "CD000001.DAT");
         return index && catalogue.deleteVolume(*index) == ResultCode::Ok;
       }},
      {"remarks another program changed, mine kept",
       [](const fs::path& dir) {
         // The same entry changed here and (to "Wurzel") on disk: the answer
         // "keep mine", as a rescan of the open volume gives it.
         RemarkSaveRequest request{dir / "CD000001.CMT", {{{1, -1}, "älter"}, {{2, 0}, "Datei"}},
                                   {{{1, -1}, "meine"}, {{2, 0}, "Datei"}}};
         request.choice = ConflictChoice::KeepMine;
         return saveRemarksMerged(request).status != RemarkSaveStatus::Failed;
       }},
      {"search choice by file number",
       [](const fs::path& dir) {
         const SettingsEnvironment env;
         const DiskIndexSettings loaded = loadSettingsFile(dir / kSettings, env).settings;
         DiskIndexSettings current = loaded;
         current.searchVolumeFiles = {1, 3};
         return saveSettingsFile(dir / kSettings, loaded, current).code == ResultCode::Ok;
       }},
      {"export appended to a Windows-1252 file, converted",
       [](const fs::path& dir) {
         const std::vector<std::string> lines{"", "", "Ωmega"};
         return exporting::writeLines(dir / "LISTE.LST", lines, exporting::WriteMode::Append) ==
                exporting::ExportResult::Ok;
       }},
      {"save settings",
       [](const fs::path& dir) {
         const SettingsEnvironment env;
         const DiskIndexSettings loaded = loadSettingsFile(dir / kSettings, env).settings;
         DiskIndexSettings current = loaded;
         current.winX = 77;
         current.categories = {"Spiele", "Musik"};
         return saveSettingsFile(dir / kSettings, loaded, current).code == ResultCode::Ok;
       }},
  };
}

class CountingObserver : public ListLoadObserver {
 public:
  void fileFailed(ResultCode, const fs::path& file) override { failed.push_back(file); }
  std::vector<fs::path> failed;
};

// The catalogue after a faulted run: it loads without a failing file, every
// file is as before or as after the fault-free run, and (allowed only after
// a crash) a new volume's number may remain claimed by an empty file.
void expectWholeState(const fs::path& dir, const Snapshot& before, const Snapshot& after,
                      bool crashed, const std::string& context) {
  SCOPED_TRACE(context);
  Catalogue catalogue;
  catalogue.setDataDirectory(dir);
  CountingObserver observer;
  ASSERT_EQ(catalogue.loadVolumeList(&observer), ResultCode::Ok);
  EXPECT_TRUE(observer.failed.empty()) << observer.failed.front();
  for (const VolumeRecord& record : catalogue.volumes().records()) {
    TOutlineDirList contents;
    EXPECT_EQ(loadVolumeContents(record.dataFile, contents), ResultCode::Ok) << record.dataFile;
    // Every volume file that names a kept folder finds it: the .ORD file
    // comes before the volume file that names it and goes after.
    EXPECT_NE(rootOf(record).text(), "?") << record.dataFile << " lost its kept folder";
  }
  Snapshot now = snapshot(dir);
  std::map<std::string, bool> names;
  for (const Snapshot* files : {&before, &after, static_cast<const Snapshot*>(&now)}) {
    for (const auto& [name, bytes] : *files) names[name] = true;
  }
  for (const auto& [name, unused] : names) {
    const auto state = [&](const Snapshot& s) -> std::optional<Bytes> {
      const auto it = s.find(name);
      return it == s.end() ? std::nullopt : std::optional<Bytes>(it->second);
    };
    const std::optional<Bytes> current = state(now);
    const bool whole = current == state(before) || current == state(after);
    const bool claim = crashed && current && current->empty() && !state(before) &&
                       isVolumeFileName(name);
    EXPECT_TRUE(whole || claim) << name << " is neither as before nor as after";
  }
  if (!crashed) {
    EXPECT_FALSE(hasTempFiles(dir)) << "temporary file left behind";
  }
}

class FaultInjection : public ::testing::Test {
 protected:
  void SetUp() override {
    makeCatalogue(m_template.path());
    m_before = snapshot(m_template.path());
  }

  // A fresh copy of the starting folder.
  void reset() {
    fs::remove_all(m_work.path());
    fs::copy(m_template.path(), m_work.path());
  }

  // Runs the workflow without faults; gives the state it leaves and the calls
  // it makes of the given kind.
  Snapshot cleanRun(const Workflow& workflow, test::Fault kind, int& calls) {
    reset();
    {
      test::FaultInjector counter(test::Fault::None, 0);
      EXPECT_TRUE(workflow.run(m_work.path())) << workflow.name;
      calls = counter.calls(kind);
    }
    return snapshot(m_work.path());
  }

  test::TempDir m_template;
  test::TempDir m_work;
  Snapshot m_before;
};

TEST_F(FaultInjection, WriteErrorsAreReportedAndLeaveEachFileOldOrNew) {
  for (const Workflow& workflow : workflows()) {
    for (const test::Fault fault :
         {test::Fault::ShortWrite, test::Fault::NoSpace, test::Fault::SyncError}) {
      int calls = 0;
      const Snapshot after = cleanRun(workflow, fault, calls);
      // Deleting writes nothing; it only takes part in the crash runs.
      for (int at = 1; at <= calls; ++at) {
        reset();
        bool reported = false;
        bool fired = false;
        {
          test::FaultInjector injector(fault, at);
          reported = workflow.run(m_work.path());
          fired = injector.fired();
        }
        const std::string context =
            workflow.name + ", " + test::faultName(fault) + " at call " + std::to_string(at);
        EXPECT_TRUE(fired) << context;
        EXPECT_FALSE(reported) << context << ": a failed write was reported as success";
        expectWholeState(m_work.path(), m_before, after, false, context);
      }
    }
  }
}

TEST_F(FaultInjection, CrashBetweenAnyTwoOperationsLeavesEachFileOldOrNew) {
  for (const Workflow& workflow : workflows()) {
    int operations = 0;
    const Snapshot after = cleanRun(workflow, test::Fault::Crash, operations);
    ASSERT_GT(operations, 0) << workflow.name;
    for (int at = 1; at <= operations; ++at) {
      reset();
      const int status = test::runInChild([&] {
        test::FaultInjector injector(test::Fault::Crash, at);
        return workflow.run(m_work.path()) ? 0 : 1;
      });
      const std::string context = workflow.name + ", crash before operation " + std::to_string(at);
      EXPECT_EQ(status, test::kCrashExitCode) << context;
      expectWholeState(m_work.path(), m_before, after, true, context);
    }
  }
}

TEST_F(FaultInjection, ReadErrorsAreReportedByEveryReader) {
  reset();
  const fs::path dir = m_work.path();
  const std::vector<std::pair<std::string, std::function<bool()>>> readers{
      {"volume list",
       [&] {
         Catalogue catalogue;
         catalogue.setDataDirectory(dir);
         CountingObserver observer;
         catalogue.loadVolumeList(&observer);
         // A kept folder whose file does not read shows as "?".
         return observer.failed.empty() && catalogue.volumes().size() == 4 &&
                rootOf(catalogue.volumes()[3]).text() != "?";
       }},
      {"volume contents",
       [&] {
         TOutlineDirList list;
         return loadVolumeContents(dir / "CD000001.DAT", list) == ResultCode::Ok;
       }},
      {"remarks",
       [&] {
         TFileCommentList list;
         return loadRemarks(dir / "CD000001.CMT", list) == ResultCode::Ok;
       }},
      {"settings",
       [&] { return loadSettingsFile(dir / kSettings, SettingsEnvironment{}).code == ResultCode::Ok; }},
  };
  for (const auto& [name, read] : readers) {
    int calls = 0;
    {
      test::FaultInjector counter(test::Fault::None, 0);
      ASSERT_TRUE(read()) << name;
      calls = counter.calls(test::Fault::ReadError);
    }
    ASSERT_GT(calls, 0) << name;
    for (int at = 1; at <= calls; ++at) {
      test::FaultInjector injector(test::Fault::ReadError, at);
      EXPECT_FALSE(read()) << name << ": EIO at read " << at << " went unnoticed";
    }
  }
}

}  // namespace
}  // namespace diskindex
