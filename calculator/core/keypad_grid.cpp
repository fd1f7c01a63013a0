#include "calculator/core/keypad_grid.h"

#include <cctype>
#include <string_view>

#include "calculator/core/key_table.h"

namespace finova {
namespace {

// The mnemonics of each row from column 0; "" is an empty cell.
constexpr std::array<std::array<std::string_view, kKeypadColumns>, kKeypadRows> kLayout = {{
    {"AMRT", "INT", "NPV", "RND", "IRR", "NFV", "MIRR", "ADVP", "", ""},
    {"N", "I", "PV", "PMT", "FV", "CHS", "7", "8", "9", "/"},
    {"12*", "12/", "CF0", "CFJ", "NJ", "DATE", "BEG", "END", "", ""},
    {"PRICE", "YTM", "SL", "SOYD", "DB", "NOM%", "EFF%", "P", "", ""},
    {"Y^X", "1/X", "%TOT", "%DIFF", "%", "EEX", "4", "5", "6", "*"},
    {"SQRT", "E^X", "LN", "FRAC", "INTG", "DDYS", "D.MY", "M.DY", "WMEAN", ""},
    {"P/R", "C_SUM", "C_PGM", "C_FIN", "C_REG", "<--", "", "", "", ""},
    {"R/S", "SST", "RDOWN", "X<->Y", "CLX", "ENTER", "1", "2", "3", "-"},
    {"PSE", "BST", "GTO", "X<=Y", "X=0", "", "EST_X", "EST_Y", "N!", ""},
    {"MU%C", "MU%P", "PI", "SPPV", "SPFV", "", "", "", "", ""},
    {"CST", "PRC", "LOG", "STO", "RCL", "", "0", ".", "SUM+", "+"},
    {"RAN#", "X^2", "10^X", "USPV", "USFV", "LSTX", "MEAN", "STDEV", "SUM-", ""},
}};

KeypadGrid buildGrid() {
  KeypadGrid grid{};
  for (int row = 0; row < kKeypadRows; ++row) {
    for (int column = 0; column < kKeypadColumns; ++column) {
      const std::string_view name = kLayout[row][column];
      if (name.empty()) continue;
      const auto code = keyFromMnemonic(name);
      if (!code) continue;
      grid[row][column] = {*code, kFirstControlId + row * kKeypadColumns + column};
    }
  }
  return grid;
}

bool filled(int row, int column) {
  return kKeypadGrid[row][column].control != 0;
}

struct Topic {
  int topic;
  std::string_view keys;  // mnemonics separated by blanks
};

constexpr std::array<Topic, 18> kTopics = {{
    {30000, "DATE DDYS D.MY M.DY"},
    {30001, "AMRT"},
    {30002, "INT"},
    {30003, "NPV IRR NFV MIRR CF0 CFJ NJ"},
    {30004, "RND FRAC INTG RDOWN X<->Y LSTX RAN#"},
    {30005, "ADVP"},
    {30006, "N I PV PMT FV 12* 12/ BEG END"},
    {30007, "CHS 0 1 2 3 4 5 6 7 8 9 . EEX C_FIN C_REG <-- CLX ENTER + - /"},
    {30008, "PRICE YTM"},
    {30009, "SL SOYD DB"},
    {30010, "NOM% EFF% P"},
    {30011, "Y^X 1/X * SQRT E^X LN N! PI LOG 10^X X^2"},
    {30012, "%TOT %DIFF %"},
    {30013, "WMEAN C_SUM EST_X EST_Y SUM+ MEAN STDEV SUM-"},
    {30014, "P/R C_PGM R/S SST PSE BST GTO X<=Y X=0"},
    {30015, "MU%C MU%P CST PRC"},
    {30016, "SPPV SPFV USPV USFV"},
    {30017, "STO RCL"},
}};

}  // namespace

const KeypadGrid kKeypadGrid = buildGrid();

KeyCode KeyFromControl(int control) {
  const int index = control - kFirstControlId;
  if (index < 0 || index >= kKeypadRows * kKeypadColumns) return key::kNoKey;
  return kKeypadGrid[index / kKeypadColumns][index % kKeypadColumns].code;
}

std::optional<GridPos> positionOfKey(KeyCode code) {
  if (code == key::kNoKey) return std::nullopt;
  for (int row = 0; row < kKeypadRows; ++row) {
    for (int column = 0; column < kKeypadColumns; ++column) {
      if (kKeypadGrid[row][column].control != 0 && kKeypadGrid[row][column].code == code) {
        return GridPos{row, column};
      }
    }
  }
  return std::nullopt;
}

int ControlFromKey(KeyCode code) {
  const auto pos = positionOfKey(code);
  return pos ? cellAt(*pos).control : 0;
}

const KeypadCell& cellAt(GridPos pos) {
  static const KeypadCell empty{};
  if (pos.row < 0 || pos.row >= kKeypadRows || pos.column < 0 || pos.column >= kKeypadColumns) {
    return empty;
  }
  return kKeypadGrid[pos.row][pos.column];
}

GridPos moveFocus(GridPos from, FocusMove move) {
  const int step = move == FocusMove::Left || move == FocusMove::Up ? -1 : 1;
  switch (move) {
    case FocusMove::Home:
      return filled(from.row, 0) ? GridPos{from.row, 0} : from;
    case FocusMove::End:
      for (int column = kKeypadColumns - 1; column >= 0; --column) {
        if (filled(from.row, column)) return {from.row, column};
      }
      return from;
    case FocusMove::Left:
    case FocusMove::Right:
      for (int column = from.column + step; column >= 0 && column < kKeypadColumns;
           column += step) {
        if (filled(from.row, column)) return {from.row, column};
      }
      return from;
    case FocusMove::Up:
    case FocusMove::Down:
      for (int row = from.row + step; row >= 0 && row < kKeypadRows; row += step) {
        if (filled(row, from.column)) return {row, from.column};
      }
      return from;
  }
  return from;
}

std::optional<KeyCode> keyFromCharacter(char c) {
  const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper >= '0' && upper <= '9') return key::kDigit0 + (upper - '0');
  switch (upper) {
    case '.':
      return key::kPoint;
    case '+':
      return key::kPlus;
    case '-':
      return key::kMinus;
    case '*':
      return key::kTimes;
    case '/':
      return key::kDivide;
    case '\r':
    case '\n':
      return key::kEnter;
    case '\b':
      return key::kBackspace;
    case 'C':
      return key::kClx;
    case 'N':
      return key::kChs;
    case '%':
    case 'P':
      return key::kPercent;
    default:
      return std::nullopt;
  }
}

int helpTopic(KeyCode code) {
  const std::string_view name = compactMnemonic(code);
  if (name.empty()) return 0;
  for (const Topic& t : kTopics) {
    std::string_view rest = t.keys;
    while (!rest.empty()) {
      const std::size_t blank = rest.find(' ');
      if (rest.substr(0, blank) == name) return t.topic;
      if (blank == std::string_view::npos) break;
      rest.remove_prefix(blank + 1);
    }
  }
  return 0;
}

}  // namespace finova
