#include "calculator/cli/finova_cli.h"

#include <charconv>
#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>

#include "calculator/cli/finova_cli_manual.h"
#include "calculator/core/calc_engine.h"
#include "calculator/core/finova_settings.h"
#include "calculator/core/key_table.h"
#include "calculator/core/tape.h"
#include "platform/ini_file.h"

namespace finova {
namespace {

struct Options {
  std::uint64_t decimals = 2;
  bool european = false;
  bool dmy = false;
  bool begin = false;
  bool trace = false;
  bool tape = false;
  std::string load;
  std::string state;
  std::uint64_t maxKeys = 10000000;
  std::vector<std::string> keys;
  bool keysGiven = false;
};

constexpr int kExitFile = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRunaway = 3;

bool parseNumber(const std::string& text, std::uint64_t& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

// Returns an error message, or nothing when the options are fine.
std::optional<std::string> parseOptions(const std::vector<std::string>& args, Options& o) {
  for (std::size_t k = 0; k < args.size(); ++k) {
    const std::string& arg = args[k];
    const bool hasValue = k + 1 < args.size();
    if (arg == "--european") {
      o.european = true;
    } else if (arg == "--dmy") {
      o.dmy = true;
    } else if (arg == "--begin") {
      o.begin = true;
    } else if (arg == "--trace") {
      o.trace = true;
    } else if (arg == "--tape") {
      o.tape = true;
    } else if (arg == "--decimals" || arg == "--max-keys") {
      std::uint64_t& target = arg == "--decimals" ? o.decimals : o.maxKeys;
      if (!hasValue || !parseNumber(args[k + 1], target)) return arg + " needs a number";
      if (arg == "--decimals" && target > 9) return "--decimals must be 0 to 9";
      ++k;
    } else if (arg == "--load" || arg == "--state") {
      if (!hasValue) return arg + " needs a file name";
      (arg == "--load" ? o.load : o.state) = args[++k];
    } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      return "unknown option " + arg;
    } else {
      o.keys.push_back(arg);
      o.keysGiven = true;
    }
  }
  return std::nullopt;
}

// A plain number types its digits and point one key at a time.
bool isNumberToken(const std::string& token) {
  int points = 0;
  int digits = 0;
  for (char c : token) {
    if (c == '.') {
      ++points;
    } else if (c >= '0' && c <= '9') {
      ++digits;
    } else {
      return false;
    }
  }
  return digits > 0 && points <= 1;
}

// The key codes of a token, or nothing when it names no key.
std::optional<std::vector<KeyCode>> tokenKeys(const std::string& token) {
  if (const auto code = keyFromMnemonic(token)) return std::vector<KeyCode>{*code};
  if (!isNumberToken(token)) return std::nullopt;
  std::vector<KeyCode> codes;
  for (char c : token) codes.push_back(c == '.' ? key::kPoint : c - '0');
  return codes;
}

class Session {
 public:
  Session(const Options& options, std::ostream& out, FinanceRoutines* routines)
      : m_options(options), m_out(out), m_engine(routines) {}

  CalcEngine& engine() { return m_engine; }
  Tape& tape() { return m_tape; }

  // Presses one key and keeps a program going, sending pause ticks while it
  // is paused. False when a program outruns the key limit.
  bool press(KeyCode code) {
    m_engine.PressKey(code);
    while (m_engine.running()) {
      if (m_engine.keyCount() > m_options.maxKeys) return false;
      m_engine.PressKey(m_engine.program().paused() ? key::kPauseTick : key::kNoKey);
    }
    if (m_options.trace) m_out << compactMnemonic(code) << '\t' << m_engine.xDisplayText() << '\n';
    return true;
  }

 private:
  const Options& m_options;
  std::ostream& m_out;
  CalcEngine m_engine;
  Tape m_tape;
};

void readState(const platform::IniFile& ini, CalcEngine& engine) {
  const FinovaSettings stored = readSettings(ini);
  EngineRegisters& r = engine.registers();
  r.X = stored.stack[0];
  r.Y = stored.stack[1];
  r.Z = stored.stack[2];
  r.T = stored.stack[3];
  r.R = stored.registers;
}

void writeState(platform::IniFile& ini, const CalcEngine& engine) {
  const EngineRegisters& r = engine.registers();
  const double stack[4] = {r.X, r.Y, r.Z, r.T};
  for (int k = 0; k < 4; ++k) {
    ini.writeString(kFinovaSection, "R" + std::to_string(k), formatStoredNumber(stack[k]));
  }
  for (int k = 0; k < reg::kCount; ++k) {
    ini.writeString(kFinovaSection, "M" + std::to_string(k),
                    formatStoredNumber(r.R[static_cast<std::size_t>(k)]));
  }
}

void configure(const Options& o, CalcEngine& engine) {
  engine.setDecimals(static_cast<int>(o.decimals));
  engine.setSeparatorStyle(o.european ? SeparatorStyle::European : SeparatorStyle::English);
  engine.registers().dateOrderMDY = !o.dmy;
  engine.registers().endMode = !o.begin;
}

}  // namespace

int runCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, FinanceRoutines* routines) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "--manpage")) {
    const climanual::Manual& manual = cliManual();
    out << (args[0] == "--help" ? climanual::helpText(manual)
                                : climanual::manPage(manual));
    return 0;
  }
  Options options;
  if (const auto problem = parseOptions(args, options)) {
    err << "finova-cli: " << *problem << '\n';
    return kExitUsage;
  }
  if (!options.keysGiven) {
    for (std::string token; in >> token;) options.keys.push_back(token);
  }
  std::vector<KeyCode> codes;
  for (const std::string& token : options.keys) {
    const auto keys = tokenKeys(token);
    if (!keys) {
      err << "finova-cli: unknown key: " << token << '\n';
      return kExitUsage;
    }
    codes.insert(codes.end(), keys->begin(), keys->end());
  }
  Session session(options, out, routines);
  CalcEngine& engine = session.engine();
  configure(options, engine);
  platform::IniFile state;
  if (!options.state.empty()) {
    state = platform::IniFile(options.state);
    readState(state, engine);
  }
  engine.Reset();
  if (!options.load.empty() && !engine.program().Load(options.load)) {
    err << "finova-cli: cannot read " << options.load << '\n';
    return kExitFile;
  }
  if (options.tape) engine.setTape(&session.tape());
  for (KeyCode code : codes) {
    if (!session.press(code)) {
      err << "finova-cli: program still running after " << options.maxKeys << " keys\n";
      return kExitRunaway;
    }
  }
  out << engine.xDisplayText() << '\n';
  if (options.tape) {
    for (const TapeLine& line : session.tape().lines()) out << line.fileText() << '\n';
  }
  if (!options.state.empty()) {
    writeState(state, engine);
    if (!state.flush()) {
      err << "finova-cli: cannot write " << options.state << '\n';
      return kExitFile;
    }
  }
  return 0;
}

}  // namespace finova
