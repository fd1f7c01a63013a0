#include "diskindex/ui/volume_list_model.h"

#include <gtest/gtest.h>

#include "diskindex/tests/ui_test_support.h"

namespace diskindex::ui {
namespace {

using testing::ModelCheck;

VolumeRecord record(const std::string& name, std::optional<std::string> category) {
  VolumeRecord r;
  r.name = name;
  r.category = std::move(category);
  r.driveType = 5;
  return r;
}

class VolumeListModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::ensureApplication();
    m_volumes.insert(record("Spiele 1", "Spiele"));
    m_volumes.insert(record("Backup", std::nullopt));
    m_volumes.insert(record("Spiele 2", "spiele"));
    m_volumes.insert(record("Urlaub", "Fotos"));
  }
  VolumeList m_volumes;
};

TEST_F(VolumeListModelTest, FilterPassesAllNoneOrExactlyOneCategory) {
  VolumeListModel model(m_volumes);
  ModelCheck check(&model);
  EXPECT_EQ(model.rowCount(), 4);
  EXPECT_EQ(model.index(0).data().toString(), QStringLiteral("Backup"));
  model.setFilter("<keine Zuordnung>");
  ASSERT_EQ(model.rowCount(), 1);
  EXPECT_EQ(model.index(0).data().toString(), QStringLiteral("Backup"));
  model.setFilter("Spiele");  // exact text: "spiele" is another category
  ASSERT_EQ(model.rowCount(), 1);
  EXPECT_EQ(model.index(0).data().toString(), QStringLiteral("Spiele 1"));
  model.setFilter("<ALLE>");
  EXPECT_EQ(model.rowCount(), 4);
  EXPECT_EQ(check.failures(), 0) << check.messages().join('\n').toStdString();
}

TEST_F(VolumeListModelTest, RowsMapToVolumePositionsBothWays) {
  VolumeListModel model(m_volumes);
  model.setFilter("Fotos");
  ASSERT_EQ(model.rowCount(), 1);
  const std::size_t urlaub = *m_volumes.findByName("Urlaub");
  EXPECT_EQ(model.volumeIndex(0), urlaub);
  EXPECT_EQ(model.rowOf(urlaub), 0);
  EXPECT_EQ(model.rowOf(*m_volumes.findByName("Backup")), -1);
  EXPECT_FALSE(model.index(0).data(Qt::DecorationRole).isNull());
}

}  // namespace
}  // namespace diskindex::ui
