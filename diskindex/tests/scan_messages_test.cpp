#include "diskindex/core/scan/scan_messages.h"

#include <gtest/gtest.h>

namespace diskindex::scan::messages {
namespace {

TEST(WalkSummaryText, NothingPassedOverSaysNothing) {
  EXPECT_EQ(walkSummaryText(WalkSummary{}), "");
}

TEST(WalkSummaryText, CountsEachKindInSingularOrPlural) {
  WalkSummary one;
  one.directoryLinks = 1;
  one.mountPoints = 1;
  one.brokenLinks = 1;
  one.unreadableDirectories = {"Privat"};
  EXPECT_EQ(
      walkSummaryText(one),
      "Beim Einlesen wurde übergangen:\r\n"
      "- 1 Verknüpfung auf ein Verzeichnis (als leeres Verzeichnis erfaßt, nicht verfolgt)\r\n"
      "- 1 eingehängter Datenträger (nicht eingelesen)\r\n"
      "- 1 Verknüpfung ohne Ziel (nicht erfaßt)\r\n"
      "- 1 Verzeichnis nicht lesbar (ohne Inhalt erfaßt):\r\n"
      "    \\Privat");
  WalkSummary many;
  many.directoryLinks = 3;
  many.mountPoints = 2;
  EXPECT_EQ(
      walkSummaryText(many),
      "Beim Einlesen wurde übergangen:\r\n"
      "- 3 Verknüpfungen auf Verzeichnisse (als leeres Verzeichnis erfaßt, nicht verfolgt)\r\n"
      "- 2 eingehängte Datenträger (nicht eingelesen)");
}

TEST(WalkSummaryText, UnreadableDirectoriesBeyondTheLimitAreCounted) {
  WalkSummary summary;
  summary.unreadableDirectories = {"A", "B\\C", "D", "E"};
  const std::string text = walkSummaryText(summary, 2);
  EXPECT_EQ(text,
            "Beim Einlesen wurde übergangen:\r\n"
            "- 4 Verzeichnisse nicht lesbar (ohne Inhalt erfaßt):\r\n"
            "    \\A\r\n"
            "    \\B\\C\r\n"
            "    ... und 2 weitere");
  EXPECT_EQ(walkSummaryText(summary, 4).find("weitere"), std::string::npos);
}

}  // namespace
}  // namespace diskindex::scan::messages
