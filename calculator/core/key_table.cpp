#include "calculator/core/key_table.h"

#include <unordered_map>

namespace finova {

const std::array<KeyInfo, kKeyTableRows> kKeyTable = {{
    {0, "       0", KeyKind::Entry, 12000},
    {1, "       1", KeyKind::Entry, 12000},
    {2, "       2", KeyKind::Entry, 12000},
    {3, "       3", KeyKind::Entry, 12000},
    {4, "       4", KeyKind::Entry, 12000},
    {5, "       5", KeyKind::Entry, 12000},
    {6, "       6", KeyKind::Entry, 12000},
    {7, "       7", KeyKind::Entry, 12000},
    {8, "       8", KeyKind::Entry, 12000},
    {9, "       9", KeyKind::Entry, 12000},
    {10, "       .", KeyKind::Entry, 12000},
    {11, "     CHS", KeyKind::Entry, 12000},
    {12, "     EEX", KeyKind::Entry, 14090},
    {13, "     CLX", KeyKind::Operation, 12010},
    {14, "   ENTER", KeyKind::Operation, 12000},
    {15, "       +", KeyKind::Operation, 12000},
    {16, "       -", KeyKind::Operation, 12000},
    {17, "       *", KeyKind::Operation, 12000},
    {18, "       /", KeyKind::Operation, 12000},
    {19, "      PV", KeyKind::RegisterKey, 12040},
    {20, "      FV", KeyKind::RegisterKey, 12040},
    {21, "       N", KeyKind::RegisterKey, 12040},
    {22, "     PMT", KeyKind::RegisterKey, 12040},
    {23, "       I", KeyKind::RegisterKey, 12040},
    {24, "     NPV", KeyKind::Operation, 12030},
    {25, "     IRR", KeyKind::Operation, 12030},
    {26, "     BEG", KeyKind::Operation, 12040},
    {27, "     END", KeyKind::Operation, 12040},
    {28, "     RND", KeyKind::Operation, 12050},
    {29, "     INT", KeyKind::Operation, 14070},
    {30, "     MEM", KeyKind::Operation, 0},
    {31, "     12*", KeyKind::RegisterKey, 12040},
    {32, "     12/", KeyKind::RegisterKey, 12040},
    {33, "    FRAC", KeyKind::Operation, 12050},
    {34, "    INTG", KeyKind::Operation, 12050},
    {35, "    AMRT", KeyKind::Operation, 14080},
    {36, "      SL", KeyKind::Operation, 12060},
    {37, "    SOYD", KeyKind::Operation, 12060},
    {38, "      DB", KeyKind::Operation, 12060},
    {39, "   PRICE", KeyKind::Operation, 12070},
    {40, "     YTM", KeyKind::Operation, 12070},
    {41, "     CF0", KeyKind::RegisterKey, 12030},
    {42, "     CFJ", KeyKind::RegisterKey, 12030},
    {43, "      NJ", KeyKind::RegisterKey, 12030},
    {44, "     P/R", KeyKind::ProgramControl, 12190},
    {45, "     R/S", KeyKind::ProgramControl, 12195},
    {46, "     STO", KeyKind::RegisterAccess, 12090},
    {47, "     RCL", KeyKind::RegisterAccess, 12090},
    {48, "   C_SUM", KeyKind::Operation, 12010},
    {49, "   C_PGM", KeyKind::ProgramControl, 12010},
    {50, "   C_FIN", KeyKind::Operation, 12010},
    {51, "   C_REG", KeyKind::Operation, 12010},
    {52, "   X<->Y", KeyKind::Operation, 12200},
    {53, "   RDOWN", KeyKind::Operation, 12200},
    {54, "     E^X", KeyKind::Operation, 12000},
    {55, "    SQRT", KeyKind::Operation, 12000},
    {56, "     X^2", KeyKind::Operation, 12000},
    {57, "    RAN#", KeyKind::Operation, 12000},
    {58, "      LN", KeyKind::Operation, 12000},
    {59, "     Y^X", KeyKind::Operation, 12000},
    {60, "       %", KeyKind::Operation, 12110},
    {61, "   %DIFF", KeyKind::Operation, 12111},
    {62, "    %TOT", KeyKind::Operation, 12112},
    {63, "      N!", KeyKind::Operation, 12050},
    {64, "    LSTX", KeyKind::Operation, 12200},
    {65, "     1/X", KeyKind::Operation, 12050},
    {66, "        ", KeyKind::Operation, 0},
    {67, "        ", KeyKind::Operation, 0},
    {68, "     SST", KeyKind::ProgramControl, 12193},
    {69, "     BST", KeyKind::ProgramControl, 12193},
    {70, "     GTO", KeyKind::ProgramControl, 12192},
    {71, "     PSE", KeyKind::ProgramControl, 12195},
    {72, "    X<=Y", KeyKind::ProgramControl, 12192},
    {73, "     X=0", KeyKind::ProgramControl, 12192},
    {74, "    SUM+", KeyKind::Operation, 12170},
    {75, "    SUM-", KeyKind::Operation, 12170},
    {76, "    MEAN", KeyKind::Operation, 12170},
    {77, "   STDEV", KeyKind::Operation, 12170},
    {78, "   EST_X", KeyKind::Operation, 12170},
    {79, "   EST_Y", KeyKind::Operation, 12170},
    {80, "   WMEAN", KeyKind::Operation, 12170},
    {81, "    DDYS", KeyKind::Operation, 12120},
    {82, "    DATE", KeyKind::Operation, 12120},
    {83, "    D.MY", KeyKind::Operation, 12120},
    {84, "    M.DY", KeyKind::Operation, 12120},
    {85, "      PI", KeyKind::Operation, 12050},
    {86, "    MU%C", KeyKind::RegisterKey, 12150},
    {87, "    MU%P", KeyKind::RegisterKey, 12150},
    {88, "     <--", KeyKind::Entry, 12010},
    {89, "     LOG", KeyKind::Operation, 12050},
    {90, "    10^X", KeyKind::Operation, 12050},
    {91, "    NOM%", KeyKind::RegisterKey, 12140},
    {92, "    EFF%", KeyKind::RegisterKey, 12140},
    {93, "     CST", KeyKind::RegisterKey, 12150},
    {94, "     PRC", KeyKind::RegisterKey, 12150},
    {95, "       P", KeyKind::RegisterKey, 12140},
    {96, "    SPPV", KeyKind::Operation, 12210},
    {97, "    SPFV", KeyKind::Operation, 12210},
    {98, "    USPV", KeyKind::Operation, 12210},
    {99, "    USFV", KeyKind::Operation, 12210},
    {100, "    MIRR", KeyKind::Operation, 12030},
    {101, "     NFV", KeyKind::Operation, 12030},
    {102, "    ADVP", KeyKind::Operation, 12220},
    {103, "        ", KeyKind::Operation, 12240},
    {key::kNoKey, "        ", KeyKind::NoKey, 0},
}};

namespace {

// Compact mnemonics, built once: the table's mnemonic with its blanks removed.
struct CompactNames {
  std::array<std::array<char, 9>, kKeyTableRows> names{};
  std::array<std::uint8_t, kKeyTableRows> lengths{};
  CompactNames() {
    for (int row = 0; row < kKeyTableRows; ++row) {
      std::uint8_t length = 0;
      for (const char* p = kKeyTable[row].mnemonic; *p != '\0'; ++p) {
        if (*p != ' ') names[row][length++] = *p;
      }
      lengths[row] = length;
    }
  }
};

const CompactNames& compactNames() {
  static const CompactNames names;
  return names;
}

int rowOf(KeyCode code) {
  return code >= 0 && code < kKeyTableRows - 1 ? code : kKeyTableRows - 1;
}

}  // namespace

const KeyInfo& keyInfo(KeyCode code) {
  return kKeyTable[rowOf(code)];
}

std::string_view compactMnemonic(KeyCode code) {
  const CompactNames& names = compactNames();
  const int row = rowOf(code);
  return {names.names[row].data(), names.lengths[row]};
}

std::optional<KeyCode> keyFromMnemonic(std::string_view token) {
  static const std::unordered_map<std::string_view, KeyCode> codes = [] {
    std::unordered_map<std::string_view, KeyCode> map;
    for (int row = 0; row < kKeyTableRows - 1; ++row) {
      if (!compactMnemonic(row).empty()) map.emplace(compactMnemonic(row), kKeyTable[row].code);
    }
    return map;
  }();
  const auto found = codes.find(token);
  if (found == codes.end()) return std::nullopt;
  return found->second;
}

}  // namespace finova
