#include "diskindex/core/category_changes.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "diskindex/core/catalogue.h"
#include "diskindex/core/catalogue_session.h"
#include "diskindex/core/category_editor.h"
#include "diskindex/core/volume_file.h"
#include "diskindex/tests/fault_injector.h"
#include "diskindex/tests/test_files.h"

namespace diskindex {
namespace {

namespace fs = std::filesystem;
using test::file;

// A catalogue of volumes named after their position with the given
// categories, loaded from its files.
class CategoryChangesTest : public ::testing::Test {
 protected:
  void makeVolumes(const std::vector<std::string>& categories) {
    for (std::size_t i = 0; i < categories.size(); ++i) {
      VolumeHeader header = test::sampleHeader("Vol" + std::to_string(i));
      header.category = categories[i];
      ASSERT_EQ(createVolume(dataFile(i), header, std::vector{file(1, "A.TXT"), file(1, "B.TXT")}),
                ResultCode::Ok);
    }
    m_catalogue.setDataDirectory(m_tmp.path());
    ASSERT_EQ(m_catalogue.loadVolumeList(), ResultCode::Ok);
  }
  fs::path dataFile(std::size_t i) const {
    return m_tmp / volumeFileName(static_cast<std::int32_t>(i + 1));
  }
  // The category the file holds and the one its record holds.
  std::string fileCategory(std::size_t i) const {
    VolumeHeader header;
    EXPECT_EQ(readHeader(dataFile(i), header), ResultCode::Ok);
    return header.category;
  }
  std::string recordCategory(std::size_t i) const {
    const auto index = m_catalogue.volumes().findByDataFile(dataFile(i));
    return index ? m_catalogue.volumes()[*index].category.value_or("") : "(missing)";
  }

  test::TempDir m_tmp;
  Catalogue m_catalogue;
};

TEST_F(CategoryChangesTest, RenamesChainedInTheDialogRewriteTheFirstNameToTheLast) {
  makeVolumes({"A", "B", "a", ""});
  CategoryEditor editor({"A", "B"}, "A");
  editor.beginRename();
  ASSERT_EQ(editor.finishEdit("B2"), CategoryEditor::Check::Accepted);
  editor.beginRename();
  ASSERT_EQ(editor.finishEdit("C"), CategoryEditor::Check::Accepted);
  const std::vector<std::uint8_t> untouched = test::readAll(dataFile(1));
  const CategoryApplyResult result = applyCategoryChanges(m_catalogue, editor.changes());
  EXPECT_EQ(result.changed, 2);
  EXPECT_TRUE(result.failures.empty());
  EXPECT_EQ(fileCategory(0), "C");
  EXPECT_EQ(recordCategory(0), "C");
  EXPECT_EQ(fileCategory(2), "C");  // "a" is the same category as "A"
  EXPECT_EQ(fileCategory(1), "B");
  EXPECT_EQ(fileCategory(3), "");
  EXPECT_EQ(test::readAll(dataFile(1)), untouched);  // not concerned: not written
}

TEST_F(CategoryChangesTest, DeletingClearsTheHeaderFieldAndLeavesTheRestOfTheFile) {
  makeVolumes({"Spiele", "Musik"});
  std::vector<std::uint8_t> before = test::readAll(dataFile(0));
  CategoryChanges changes;
  changes.remove("Spiele");
  EXPECT_EQ(applyCategoryChanges(m_catalogue, changes).changed, 1);
  const std::vector<std::uint8_t> after = test::readAll(dataFile(0));
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = header_layout::kCategory;
       i < header_layout::kCategory + header_layout::kCategorySize; ++i) {
    EXPECT_EQ(after[i], 0) << "category byte " << i;
    before[i] = 0;
  }
  EXPECT_EQ(after, before);  // every other byte as it was
  EXPECT_EQ(recordCategory(0), "");
  EXPECT_FALSE(m_catalogue.volumes()[*m_catalogue.volumes().findByDataFile(dataFile(0))]
                   .category.has_value());
  EXPECT_EQ(fileCategory(1), "Musik");
}

TEST_F(CategoryChangesTest, AShorterNameLeavesNoTailOfTheOldOne) {
  makeVolumes({"Dokumentationen"});
  CategoryChanges changes;
  changes.rename("Dokumentationen", "Doku");
  applyCategoryChanges(m_catalogue, changes);
  EXPECT_EQ(fileCategory(0), "Doku");
}

TEST_F(CategoryChangesTest, ANameWindows1252CannotHoldTurnsTheVolumeIntoUtf8) {
  makeVolumes({"Alt"});
  CategoryChanges changes;
  changes.rename("Alt", "Ωmega");
  EXPECT_EQ(applyCategoryChanges(m_catalogue, changes).changed, 1);
  EXPECT_EQ(fileCategory(0), "Ωmega");
  EXPECT_EQ(recordCategory(0), "Ωmega");
  TOutlineDirList dirs;
  ASSERT_EQ(loadVolumeContents(dataFile(0), dirs), ResultCode::Ok);
  EXPECT_EQ(dirs.directoryCount(), 1u);
  EXPECT_EQ(dirs.totalFileCount(), 2u);
}

TEST_F(CategoryChangesTest, AVolumeThatCannotBeRewrittenIsReportedAndTheOthersStillChange) {
  makeVolumes({"Alt", "Alt", "Alt"});
  // The middle volume's conversion to UTF-8 needs a temporary file beside
  // it, which cannot be created.
  const test::OpenFailure failure(fs::path(dataFile(1)).string() + ".");
  const std::vector<std::uint8_t> before = test::readAll(dataFile(1));
  CategoryChanges changes;
  changes.rename("Alt", "Ωmega");
  const CategoryApplyResult result = applyCategoryChanges(m_catalogue, changes);
  EXPECT_EQ(result.changed, 2);
  ASSERT_EQ(result.failures.size(), 1u);
  EXPECT_EQ(result.failures[0].dataFile, dataFile(1));
  EXPECT_EQ(result.failures[0].volumeName, "Vol1");
  EXPECT_NE(result.failures[0].code, ResultCode::Ok);
  EXPECT_EQ(test::readAll(dataFile(1)), before);  // whole, not half converted
  EXPECT_EQ(recordCategory(1), "Alt");
  EXPECT_EQ(fileCategory(0), "Ωmega");
  EXPECT_EQ(fileCategory(2), "Ωmega");
}

// While it lives, no write of this process reaches beyond `bytes` into any
// file: a write across that offset stops short, as on a full device. Unlike
// file permissions this also holds for root.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit limit = m_old;
    limit.rlim_cur = bytes;
    m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
  }
  bool active() const { return m_active; }

 private:
  rlimit m_old{};
  void (*m_oldHandler)(int) = nullptr;
  bool m_active = false;
};

TEST_F(CategoryChangesTest, AFieldWrittenOnlyInPartIsPutBackAndReported) {
  makeVolumes({"Spiele", "Spiele"});
  const std::vector<std::uint8_t> before0 = test::readAll(dataFile(0));
  const std::vector<std::uint8_t> before1 = test::readAll(dataFile(1));
  CategoryChanges changes;
  changes.rename("Spiele", "Computerspiele");
  CategoryApplyResult result;
  {
    // Nine bytes of the category field can be written, the rest cannot.
    const FileSizeLimit limit(header_layout::kCategory + 9);
    ASSERT_TRUE(limit.active());
    result = applyCategoryChanges(m_catalogue, changes);
  }
  EXPECT_EQ(result.changed, 0);
  ASSERT_EQ(result.failures.size(), 2u);
  EXPECT_EQ(result.failures[0].code, ResultCode::CannotWrite);
  EXPECT_EQ(test::readAll(dataFile(0)), before0);  // not "Computers" + "piele"
  EXPECT_EQ(test::readAll(dataFile(1)), before1);
  EXPECT_EQ(recordCategory(0), "Spiele");
  EXPECT_EQ(recordCategory(1), "Spiele");
  // Once writes go through again, the same changes succeed.
  EXPECT_EQ(applyCategoryChanges(m_catalogue, changes).changed, 2);
  EXPECT_EQ(fileCategory(0), "Computerspiele");
}

TEST_F(CategoryChangesTest, AVolumeWhoseHeaderCannotBeReadIsReportedAndLeft) {
  makeVolumes({"Alt", "Alt"});
  fs::remove(dataFile(0));
  fs::create_directory(dataFile(0));  // gone since the list was loaded
  CategoryChanges changes;
  changes.remove("Alt");
  const CategoryApplyResult result = applyCategoryChanges(m_catalogue, changes);
  ASSERT_EQ(result.failures.size(), 1u);
  EXPECT_EQ(result.failures[0].dataFile, dataFile(0));
  EXPECT_EQ(recordCategory(0), "Alt");
  EXPECT_EQ(fileCategory(1), "");
  const std::string text = categoryFailureText(result.failures);
  EXPECT_NE(text.find("\"Vol0\""), std::string::npos) << text;
  EXPECT_NE(text.find(dataFile(0).string()), std::string::npos) << text;
}

TEST_F(CategoryChangesTest, TheSessionKeepsTheListCompleteAndWritesItBack) {
  makeVolumes({"Alt", "Alt", "Musik"});
  SessionEnvironment env;
  env.settingsFile = m_tmp / "config" / "DISKINDX.INI";
  env.settings.dataHome = m_tmp / "home";
  env.dataDirectory = m_tmp.path();
  SessionObserver observer;
  auto session = std::make_unique<CatalogueSession>(env);
  session->start(observer);
  // This one keeps "Alt": no temporary file can be created beside it.
  const test::OpenFailure failure(fs::path(dataFile(1)).string() + ".");
  CategoryEditor editor(session->state().categories.names(), "Alt");
  editor.beginRename();
  ASSERT_EQ(editor.finishEdit("Ωmega"), CategoryEditor::Check::Accepted);
  editor.beginNewEntry();
  ASSERT_EQ(editor.finishEdit("Neu"), CategoryEditor::Check::Accepted);
  const CategoryApplyResult result = session->categoryService().apply(editor.result());
  EXPECT_EQ(result.changed, 1);
  EXPECT_EQ(result.failures.size(), 1u);
  const std::vector<std::string> expected{"Alt", "Musik", "Neu", "Ωmega"};
  EXPECT_EQ(session->state().categories.names(), expected);
  ASSERT_EQ(session->shutdown(), ResultCode::Ok);
  session = std::make_unique<CatalogueSession>(env);
  session->start(observer);
  EXPECT_EQ(session->state().categories.names(), expected);
}

TEST(CategoryChanges, FilterFollowsRenamesAndFallsBackForDeletions) {
  CategoryChanges changes;
  changes.rename("A", "C");
  changes.remove("Weg");
  EXPECT_EQ(changes.followFilter("a"), "C");
  EXPECT_EQ(changes.followFilter("Weg"), "<ALLE>");
  EXPECT_EQ(changes.followFilter("Musik"), "Musik");
  EXPECT_EQ(changes.followFilter("<keine Zuordnung>"), "<keine Zuordnung>");
  EXPECT_EQ(changes.newCategoryFor(""), std::nullopt);
}

TEST(CategoryFailureText, ListsTenVolumesAndCountsTheRest) {
  std::vector<CategoryFailure> failures;
  for (int i = 0; i < 12; ++i) {
    failures.push_back(
        {ResultCode::CannotWrite, "/d/CD" + std::to_string(i) + ".DAT", "V" + std::to_string(i)});
  }
  const std::string text = categoryFailureText(failures);
  EXPECT_NE(text.find("\"V9\""), std::string::npos);
  EXPECT_EQ(text.find("\"V10\""), std::string::npos);
  EXPECT_NE(text.find("... und 2 weitere"), std::string::npos) << text;
}

}  // namespace
}  // namespace diskindex
