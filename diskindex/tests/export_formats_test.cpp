// CSV, HTML and JSON documents of the export tables, the tables of volume
// information, trees and search results, and the file they are written to.

#include "diskindex/core/export/table_export.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <nlohmann/json.hpp>

#include "diskindex/core/export/catalogue_tables.h"
#include "diskindex/core/search/result_tables.h"
#include "diskindex/core/volume_list.h"
#include "diskindex/tests/test_files.h"

namespace diskindex::exporting {
namespace {

ExportTable sampleTable() {
  ExportTable table;
  table.title = "Probe <1>";
  table.columns = {{"Datenträger", CellKind::Text}, {"Pfad", CellKind::Text},
                   {"Größe", CellKind::Number}, {"Datum", CellKind::DateTime}};
  table.rows = {{"Ärger; \"Test\"", "E:\\a,b\\<script>x</script>.txt", "1234", "2024-03-10T12:00:00"},
                {"Zwei\nZeilen", "E:\\dir\\", "", ""}};
  return table;
}

// Runs python3's csv reader on a file and gives back its rows.
std::vector<std::vector<std::string>> pythonCsvRows(const std::filesystem::path& file, char sep) {
  const std::string command =
      "python3 -c \"import csv,sys,json; "
      "print(json.dumps(list(csv.reader(open(sys.argv[1], newline='', encoding='utf-8-sig'), "
      "delimiter=sys.argv[2]))))\" '" +
      file.string() + "' '" + std::string(1, sep) + "'";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return {};
  std::string output;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
  if (::pclose(pipe) != 0) return {};
  return nlohmann::json::parse(output).get<std::vector<std::vector<std::string>>>();
}

TEST(ExportFormats, CsvWithSemicolonAndQuotesRoundTripsThroughPythonsCsvModule) {
  const ExportTable table = sampleTable();
  test::TempDir tmp;
  for (char sep : {';', ','}) {
    SCOPED_TRACE(sep);
    const auto path = tmp / "out.csv";
    ASSERT_EQ(writeExportFile(path, csvDocument(table, {sep, true})), ExportResult::Ok);
    const auto rows = pythonCsvRows(path, sep);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Datenträger", "Pfad", "Größe", "Datum"}));
    EXPECT_EQ(rows[1], table.rows[0]);
    EXPECT_EQ(rows[2], table.rows[1]);
  }
}

TEST(ExportFormats, CsvQuotesOnlyWhatNeedsItAndEndsRowsWithCrLf) {
  EXPECT_EQ(csvField("plain text", ','), "plain text");
  EXPECT_EQ(csvField("a;b", ','), "a;b");
  EXPECT_EQ(csvField("a;b", ';'), "\"a;b\"");
  EXPECT_EQ(csvField("say \"hi\"", ','), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(csvField("line\r\nbreak", ','), "\"line\r\nbreak\"");
  const std::string plain = csvDocument(sampleTable(), {});
  EXPECT_EQ(plain.rfind("Datenträger,Pfad,Größe,Datum\r\n", 0), 0u) << "no BOM unless asked";
  const std::string bom = csvDocument(sampleTable(), {',', true});
  EXPECT_EQ(bom.rfind("\xEF\xBB\xBF" "Datenträger", 0), 0u);
}

TEST(ExportFormats, HtmlIsOneSelfContainedPageWithEscapedCells) {
  const std::string html = htmlDocument(sampleTable());
  EXPECT_NE(html.find("&lt;script&gt;x&lt;/script&gt;"), std::string::npos);
  EXPECT_EQ(html.find("<script>x"), std::string::npos);
  EXPECT_NE(html.find("<title>Probe &lt;1&gt;</title>"), std::string::npos);
  EXPECT_NE(html.find("&quot;Test&quot;"), std::string::npos);
  EXPECT_NE(html.find("<th data-kind=\"number\">Größe</th>"), std::string::npos);
  EXPECT_NE(html.find("addEventListener('click'"), std::string::npos) << "sortable";
  EXPECT_EQ(html.find(" src="), std::string::npos) << "no external script";
  EXPECT_EQ(html.find(" href="), std::string::npos) << "no external style";
}

TEST(ExportFormats, JsonParsesWithNumbersAsNumbers) {
  ExportTable table = sampleTable();
  table.rows.push_back({"kaputt \xFF", "E:\\", "7", ""});
  const nlohmann::json json = nlohmann::json::parse(jsonDocument(table));
  ASSERT_TRUE(json.is_array());
  ASSERT_EQ(json.size(), 3u);
  EXPECT_EQ(json[0]["Datenträger"], "Ärger; \"Test\"");
  EXPECT_EQ(json[0]["Größe"], 1234);
  EXPECT_TRUE(json[1]["Größe"].is_null());
  EXPECT_EQ(json[2]["Größe"], 7);
  EXPECT_EQ(json[2]["Datenträger"], "kaputt \xEF\xBF\xBD") << "invalid UTF-8 is replaced";
}

TEST(ExportFormats, ControlCharactersInNamesBecomeQuestionMarks) {
  EXPECT_EQ(exportName("a\nb\x7F" "c\xC2\x85" "d\te"), "a?b?c?d?e");
  EXPECT_EQ(exportName("Grüße"), "Grüße");
  EXPECT_EQ(exportRemark("eins\r\nzwei\rdrei\x01"), "eins\nzwei\ndrei?");
}

TEST(ExportFormats, FormatNamesForTheCommandLine) {
  for (ExportFormat f : {ExportFormat::Text, ExportFormat::Csv, ExportFormat::Html, ExportFormat::Json}) {
    EXPECT_EQ(exportFormatFromName(exportFormatName(f)), f);
  }
  EXPECT_FALSE(exportFormatFromName("xml"));
}

TEST(ExportFormats, TreeTableHasSizeDateAndRemarkPerEntry) {
  TOutlineDirList dirs;
  dirs.addDirectory(0, "\\");
  dirs.addFile("Readme.txt", 12, 0x5A214C00, 0);
  dirs.addDirectory(1, "TOOLS");
  dirs.addFile("bad\x1bname", 3, 0x5A214C00, 0);
  TFileCommentList remarks;
  remarks.set({2, -1}, "Werkzeuge\r\nalt");
  remarks.set({1, 0}, "Lies mich");
  const ExportTable all = treeTable(dirs, 0, 'E', remarks, TreeContent::DirectoriesAndFiles);
  ASSERT_EQ(all.rows.size(), 4u);
  EXPECT_EQ(all.rows[0], (std::vector<std::string>{"E:\\", "Verzeichnis", "", "", ""}));
  EXPECT_EQ(all.rows[1], (std::vector<std::string>{"E:\\Readme.txt", "Datei", "12",
                                                   "2025-01-01T09:32:00", "Lies mich"}));
  EXPECT_EQ(all.rows[2], (std::vector<std::string>{"E:\\TOOLS\\", "Verzeichnis", "", "",
                                                   "Werkzeuge\nalt"}));
  EXPECT_EQ(all.rows[3][0], "E:\\TOOLS\\bad?name");
  EXPECT_EQ(treeTable(dirs, 1, 'E', remarks, TreeContent::FilesOnly).rows.size(), 1u);
  EXPECT_EQ(treeTable(dirs, 0, 'E', remarks, TreeContent::DirectoriesOnly).rows.size(), 2u);
  EXPECT_TRUE(treeTable(dirs, 5, 'E', remarks, TreeContent::DirectoriesOnly).rows.empty());
}

TEST(ExportFormats, VolumeInfoTableUsesTheFieldNamesAndIsoDates) {
  VolumeRecord volume;
  volume.name = "Fotos 2024";
  volume.fileCount = 12;
  volume.captureDate = 45361.0;  // 10 March 2024
  const std::vector<InfoField> fields{InfoField::VolumeName, InfoField::FileCount,
                                      InfoField::CaptureDate};
  const ExportTable table = volumeInfoTable(std::span(&volume, 1), fields, 46000.0);
  ASSERT_EQ(table.columns.size(), 3u);
  EXPECT_EQ(table.columns[0].name, "Datenträger-Bezeichnung");
  EXPECT_EQ(table.columns[1].kind, CellKind::Number);
  EXPECT_EQ(table.rows.at(0), (std::vector<std::string>{"Fotos 2024", "12", "2024-03-10"}));
}

TEST(ExportFormats, SearchResultColumnsInTheirOrder) {
  search::ResultRow file;
  file.volumeName = "Archiv";
  file.path = "E:\\a\\b.txt";
  file.size = 99;
  file.dosDateTime = 0x5A214C00;
  search::ResultRow directory;
  directory.volumeName = "Archiv";
  directory.path = "E:\\a\\";
  directory.directory = true;
  const std::vector<search::ResultRow> rows{file, directory};
  const ExportTable table = search::searchResultTable(rows, "*.txt");
  EXPECT_EQ(csvDocument(table, {}),
            "Datenträger,Pfad,Größe,Datum\r\n"
            "Archiv,E:\\a\\b.txt,99,2025-01-01T09:32:00\r\n"
            "Archiv,E:\\a\\,,\r\n");
}

TEST(ExportFormats, ExportFileReplacesTheTargetAndLeavesNothingOnFailure) {
  test::TempDir tmp;
  const auto path = tmp / "x.json";
  test::writeAll(path, {'o', 'l', 'd'});
  ASSERT_EQ(writeExportFile(path, "[]\n"), ExportResult::Ok);
  EXPECT_EQ(test::readAll(path), (std::vector<std::uint8_t>{'[', ']', '\n'}));
  EXPECT_EQ(writeExportFile(tmp / "missing" / "x.json", "[]"), ExportResult::CannotCreate);
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(tmp.path())) ++files;
  EXPECT_EQ(files, 1u) << "no temporary file is left";
}

}  // namespace
}  // namespace diskindex::exporting
