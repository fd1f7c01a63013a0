#include "diskindex/ui/file_list_model.h"

#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <QTime>

#include "diskindex/tests/ui_test_support.h"

namespace diskindex::ui {
namespace {

using testing::ModelCheck;

std::uint32_t dos(int year, int month, int day, int hour, int minute, int second) {
  const std::uint32_t date = ((year - 1980) << 9) | (month << 5) | day;
  const std::uint32_t time = (hour << 11) | (minute << 5) | (second / 2);
  return (date << 16) | time;
}

class FileListModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::ensureApplication();
    m_list.addDirectory(0, "\\");
    m_list.addFile("Readme.txt", 1474560, dos(1997, 3, 9, 14, 5, 30), 0x20);
    m_list.addFile("a.exe", 12, dos(2003, 12, 24, 8, 0, 0), 0x20);
    m_list.addFile("Zebra", 4000, dos(1990, 1, 2, 23, 59, 58), 0x20);
    m_list.addDirectory(1, "Leer");
  }
  TOutlineDirList m_list;
};

TEST_F(FileListModelTest, RowsShowNameSizeWithBlanksAndDateWithTime) {
  FileListModel model;
  ModelCheck check(&model);
  model.setDirectory(&m_list, 0);
  ASSERT_EQ(model.rowCount(), 3);
  EXPECT_EQ(model.columnCount(), 3);
  EXPECT_EQ(model.cellText(0, 0), QStringLiteral("Readme.txt"));
  EXPECT_EQ(model.cellText(0, 1), QStringLiteral("1.474.560    "));
  // The whole name is the tip of a name cell (the view may elide it).
  EXPECT_EQ(model.data(model.index(0, 0), Qt::ToolTipRole).toString(), QStringLiteral("Readme.txt"));
  EXPECT_FALSE(model.data(model.index(0, 1), Qt::ToolTipRole).isValid());
  const QString time = QTime(14, 5, 30).toString(systemTimeFormat());
  EXPECT_EQ(model.cellText(0, 2), QStringLiteral("   09.03.1997    ") + time);
  EXPECT_TRUE(time.startsWith(QStringLiteral("14:05")));
  EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Dateiname"));
  EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Größe"));
  EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Datum  /  Zeit"));
  EXPECT_EQ(check.failures(), 0) << check.messages().join('\n').toStdString();
}

TEST_F(FileListModelTest, DirectoryWithoutFilesShowsOneEmptyRow) {
  FileListModel model;
  ModelCheck check(&model);
  model.setDirectory(&m_list, 1);
  EXPECT_EQ(model.rowCount(), 1);
  EXPECT_FALSE(model.hasFiles());
  EXPECT_EQ(model.filePosition(0), -1);
  for (int column = 0; column < 3; ++column) EXPECT_TRUE(model.cellText(0, column).isEmpty());
  EXPECT_EQ(check.failures(), 0) << check.messages().join('\n').toStdString();
}

TEST_F(FileListModelTest, SortingKeepsSelectedFilesAndMarksTheKeyColumn) {
  FileListModel model;
  ModelCheck check(&model);
  QItemSelectionModel selection(&model);
  model.setDirectory(&m_list, 0);
  selection.setCurrentIndex(model.index(2, 0), QItemSelectionModel::ClearAndSelect);  // Zebra
  model.setOrder(SortKey::Size, false);  // a.exe, Zebra, Readme.txt
  EXPECT_EQ(model.cellText(1, 0), QStringLiteral("Zebra"));
  EXPECT_EQ(selection.currentIndex().row(), 1);
  EXPECT_EQ(model.filePosition(selection.currentIndex().row()), 2);
  EXPECT_FALSE(model.headerData(1, Qt::Horizontal, Qt::DecorationRole).isNull());
  EXPECT_TRUE(model.headerData(0, Qt::Horizontal, Qt::DecorationRole).isNull());

  model.setOrder(SortKey::Extension, true);  // no column marked
  for (int column = 0; column < 3; ++column) {
    EXPECT_TRUE(model.headerData(column, Qt::Horizontal, Qt::DecorationRole).isNull());
  }
  EXPECT_EQ(model.cellText(selection.currentIndex().row(), 0), QStringLiteral("Zebra"));
  EXPECT_EQ(check.failures(), 0) << check.messages().join('\n').toStdString();
}

TEST_F(FileListModelTest, ClipboardTextJoinsCellsWithTabsAndRowsWithCrLf) {
  FileListModel model;
  model.setDirectory(&m_list, 0);
  const QString two = model.rowsText({0, 1}, kMaxClipboardBytes);
  const QStringList rows = two.split(QStringLiteral("\r\n"));
  ASSERT_EQ(rows.size(), 2);
  EXPECT_FALSE(two.endsWith(QStringLiteral("\r\n")));
  EXPECT_EQ(rows[0].split('\t').size(), 3);
  EXPECT_TRUE(rows[1].startsWith(QStringLiteral("a.exe\t12    \t   24.12.2003")));
  // A row that would pass the limit is left out; a first row is cut.
  const qsizetype firstRow = model.rowsText({0}, kMaxClipboardBytes).toUtf8().size();
  EXPECT_EQ(model.rowsText({0, 1}, firstRow + 3), model.rowsText({0}, kMaxClipboardBytes));
  EXPECT_EQ(model.rowsText({0}, 6), QStringLiteral("Readme"));
}

}  // namespace
}  // namespace diskindex::ui
