#include "calculator/cli/finova_cli.h"

#include <charconv>
#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>

#include "calculator/cli/finova_cli_manual.h"
#include "calculator/core/calc_engine.h"
#include "calculator/core/finova_session.h"
#include "calculator/core/key_table.h"
#include "calculator/core/tape.h"

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
  // The session of the window, keeping only the state file it is given;
  // the options decide the display and the flags.
  FinovaSession session(options.state, SessionFiles{false, false, false});
  CalcEngine& engine = session.engine();
  if (routines != nullptr) engine.setRoutines(routines);
  configure(options, engine);
  session.start();
  if (!options.load.empty()) {
    const ProgramFileStatus status = engine.program().Load(options.load);
    if (status != ProgramFileStatus::Loaded) {
      err << "finova-cli: " << programFileProblem(status, options.load) << '\n';
      return kExitFile;
    }
  }
  if (!options.tape) engine.setTape(nullptr);
  for (KeyCode code : codes) {
    const std::uint64_t used = engine.keyCount();
    const std::uint64_t limit = options.maxKeys > used ? options.maxKeys - used : 0;
    if (session.run(code, limit, true) == RunOutcome::LimitReached) {
      err << "finova-cli: program still running after " << options.maxKeys << " keys\n";
      return kExitRunaway;
    }
    if (options.trace) out << compactMnemonic(code) << '\t' << engine.xDisplayText() << '\n';
  }
  out << engine.xDisplayText() << '\n';
  if (options.tape) {
    for (const TapeLine& line : session.tape().lines()) out << line.fileText() << '\n';
  }
  if (!session.finish()) {
    err << "finova-cli: cannot write " << options.state << '\n';
    return kExitFile;
  }
  return 0;
}

}  // namespace finova
