#include "diskindex/core/result_code.h"

#include <gtest/gtest.h>

#include "diskindex/core/messages.h"

namespace diskindex {
namespace {

TEST(ResultMessages, CaptionAddsFehlerExceptForNotReadyAndCancelled) {
  EXPECT_EQ(errorMessage(ResultCode::CannotOpen, OperationTitle::ReadContents, "f").caption,
            "Datenträger-Inhalt lesen - Fehler:");
  EXPECT_EQ(errorMessage(ResultCode::DriveNotReady, OperationTitle::CreateData, "f").caption,
            "Daten erzeugen");
  EXPECT_EQ(errorMessage(ResultCode::Cancelled, OperationTitle::CreateData, "f").caption,
            "Daten erzeugen");
  EXPECT_EQ(errorMessage(ResultCode::CannotWrite, OperationTitle::SaveRemarks, "f").caption,
            "Bemerkungen speichern - Fehler:");
  EXPECT_EQ(errorMessage(ResultCode::BadFormat, OperationTitle::ChangeInfo, "f").caption,
            "Datenträger-Informationen ändern - Fehler:");
}

TEST(ResultMessages, TextsNameTheFile) {
  const std::string file = "/data/CD000001.DAT";
  EXPECT_EQ(errorMessage(ResultCode::CannotCreate, "T", file).text,
            "Die Datei\r\n\"/data/CD000001.DAT\"\r\nkann nicht erzeugt/gespeichert werden!");
  EXPECT_EQ(errorMessage(ResultCode::CannotRead, "T", file).text,
            "Die Datei\r\n\"/data/CD000001.DAT\"\r\nkann nicht gelesen werden!");
  EXPECT_EQ(errorMessage(ResultCode::CommentNotRemovable, "T", "x.CMT").text,
            "Die Datei\r\n\"x.CMT\"\r\nexistiert bereits und kann nicht\r\nüberschrieben/gelöscht "
            "werden!");
  EXPECT_EQ(errorMessage(ResultCode::OutOfMemory, "T", file).text,
            "Es steht nicht genügendSpeicher zur Verfügung!");
  EXPECT_EQ(errorMessage(ResultCode::DriveNotReady, "T", file).text,
            "Datenträger ist nicht bereit oder\r\nenthält keine Verzeichnisse/Dateien!");
  EXPECT_EQ(errorMessage(-7, "T", file).text, "Daten können nicht erzeugt werden!");
  EXPECT_TRUE(errorMessage(ResultCode::OldFormat, "T", file).text.empty());
}

TEST(ResultMessages, ListLoadingAppendsIncompleteNote) {
  const ErrorMessage message = listLoadMessage(ResultCode::BadFormat, "CD000003.DAT");
  EXPECT_EQ(message.caption, "Liste der Datenträger lesen");
  EXPECT_EQ(message.text,
            "Die Datei\r\n\"CD000003.DAT\"\r\nbesitzt kein gültiges Format!\r\n\r\n->Liste der "
            "Datenträger unvollständig!");
  EXPECT_EQ(messages::deleteQuestion("Spiele 1"),
            "Soll der Inhalt des Datenträgers\r\n\"Spiele 1\"\r\nwirklich aus dem "
            "Datenbestand\r\nentfernt werden?");
}

}  // namespace
}  // namespace diskindex
