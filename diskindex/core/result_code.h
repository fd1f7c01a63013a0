#pragma once
// Result codes of the catalogue operations and the one routine that turns a
// code and an operation title into the German caption and message the main
// window shows. The codes are the signed 8-bit values the catalogue has always
// used; the texts are the program's own (CR LF line breaks kept, the UI may
// turn them into its own line ends). Nothing here shows anything.

#include <cstdint>
#include <string>
#include <string_view>

namespace diskindex {

enum class ResultCode : std::int8_t {
  Ok = 0,
  CannotCreate = -1,  // a file could not be created
  CannotOpen = -2,    // a file could not be opened
  CannotRead = -3,    // a file could not be read completely
  CannotWrite = -4,   // a file could not be written completely
  OutOfMemory = -5,
  BadFormat = -6,              // wrong magic
  NotWritable = -7,            // a target directory is write-protected
  NotFound = -8,               // the first source of a copy does not exist
  CannotCreateDirectory = -9,  // a target directory could not be created
  DriveNotReady = -10,         // the drive yielded no entries / is not ready
  Cancelled = -11,             // cancelled by the user
  CommentNotRemovable = -12,   // an old comment file could not be removed
  UnsafeName = -13,            // a catalogued name that would lead out of its folder ("..", "/")
  OldFormat = -20,             // list loading only: the file needs conversion
};

constexpr int codeValue(ResultCode code) {
  return static_cast<int>(code);
}
constexpr bool succeeded(ResultCode code) {
  return code == ResultCode::Ok;
}

// The operations whose failures the main window reports, numbered as the
// catalogue has always numbered them.
enum class OperationTitle : int {
  CreateData = 1,    // "Daten erzeugen" (adding a volume)
  ChangeInfo = 2,    // "Datenträger-Informationen ändern"
  ReadContents = 3,  // "Datenträger-Inhalt lesen" (opening a volume)
  SaveRemarks = 4,   // "Bemerkungen speichern"
};

std::string_view titleText(OperationTitle title);

struct ErrorMessage {
  std::string caption;
  std::string text;  // empty for OldFormat, which is never shown as an error
};

// Caption: the title followed by " - Fehler:", except for DriveNotReady and
// Cancelled, whose caption is the bare title. fileName goes into "%s" (for
// CommentNotRemovable pass the .CMT name).
ErrorMessage errorMessage(ResultCode code, std::string_view title, std::string_view fileName);
ErrorMessage errorMessage(ResultCode code, OperationTitle title, std::string_view fileName);
// Same for a raw code value that may not be one of the known codes ("Daten
// können nicht erzeugt werden!").
ErrorMessage errorMessage(int codeValue, std::string_view title, std::string_view fileName);

// A volume data file that failed while the volume list loaded: its own
// message with "\r\n\r\n->Liste der Datenträger unvollständig!" appended,
// captioned "Liste der Datenträger lesen".
ErrorMessage listLoadMessage(ResultCode code, std::string_view fileName);

}  // namespace diskindex
