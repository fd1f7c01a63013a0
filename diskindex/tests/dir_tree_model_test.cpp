#include "diskindex/ui/dir_tree_model.h"

#include <gtest/gtest.h>

#include <QIcon>

#include "diskindex/tests/sample_dir_tree.h"
#include "diskindex/tests/ui_test_support.h"

namespace diskindex::ui {
namespace {

using testing::ModelCheck;

TEST(DirTreeModel, ShowsRootAloneOnTopAndDirectoriesByLevel) {
  testing::ensureApplication();
  const TOutlineDirList list = test::sampleDirTree();
  DirTreeModel model;
  ModelCheck check(&model);
  model.setDirectories(&list);
  ASSERT_EQ(model.rowCount(), 1);
  const QModelIndex root = model.index(0, 0);
  EXPECT_EQ(root.data().toString(), QStringLiteral("\\"));
  ASSERT_EQ(model.rowCount(root), 2);
  const QModelIndex tools = model.index(0, 0, root);
  EXPECT_EQ(tools.data().toString(), QStringLiteral("TOOLS"));
  EXPECT_EQ(model.index(1, 0, tools).data().toString(), QStringLiteral("LIB"));
  EXPECT_EQ(model.parent(model.indexOfDirectory(3)).data().toString(), QStringLiteral("BIN"));
  EXPECT_EQ(model.indexOfDirectory(5), model.index(1, 0, root));
  model.setDirectories(nullptr);
  EXPECT_EQ(model.rowCount(), 0);
  EXPECT_EQ(check.failures(), 0) << check.messages().join('\n').toStdString();
}

TEST(DirTreeModel, ADirectoryReadWithoutItsContentsSaysSo) {
  testing::ensureApplication();
  TOutlineDirList list;
  list.addDirectory(0, "\\");
  list.addDirectory(1, "Privat", true);
  list.addDirectory(1, "Offen");
  DirTreeModel model;
  model.setDirectories(&list);
  const QModelIndex root = model.index(0, 0);
  const QModelIndex locked = model.index(0, 0, root);
  const QModelIndex open = model.index(1, 0, root);
  EXPECT_EQ(locked.data().toString(), QStringLiteral("Privat"));
  // The tool tip gives the whole name first; an unreadable directory adds
  // the note on the next line, a readable one adds nothing.
  const QString lockedTip = locked.data(Qt::ToolTipRole).toString();
  EXPECT_TRUE(lockedTip.startsWith(QStringLiteral(
      "Privat\nDieses Verzeichnis konnte beim Einlesen nicht gelesen werden.")))
      << lockedTip.toStdString();
  EXPECT_EQ(open.data(Qt::ToolTipRole).toString(), QStringLiteral("Offen"));
  const auto iconKey = [](const QModelIndex& index) {
    return index.data(Qt::DecorationRole).value<QIcon>().cacheKey();
  };
  EXPECT_NE(iconKey(locked), iconKey(open));
  EXPECT_EQ(iconKey(open), iconKey(root));
}

}  // namespace
}  // namespace diskindex::ui
