#include "calculator/cli/finova_cli_manual.h"

namespace finova {

const climanual::Manual& cliManual() {
  static const climanual::Manual manual{
      .name = "finova-cli",
      .summary = "press the keys of the Finova RPN financial calculator and print its display",
      .language = climanual::Language::English,
      .synopsis = {"[OPTION]... [KEY]...", "--help", "--manpage"},
      .description =
          {"finova-cli runs the calculator engine of the finova desktop calculator without a "
           "window. Each KEY is a key mnemonic as the paper tape prints it (ENTER, PV, FV, PMT, "
           "N, I, +, CHS, ...) or a plain number such as 1000 or 7.5, which types its digits one "
           "key at a time. Without KEY arguments the keys are read from standard input, "
           "separated by blanks or line ends.",
           "After the last key the program prints the X display as the calculator shows it. A "
           "keystroke program loaded with --load runs when R/S is among the keys; it keeps "
           "running, pauses included, until it stops by itself or the key limit is reached."},
      .commands = {},
      .options = {{"--decimals N", "show N decimal places, 0 to 9 (default 2)"},
                  {"--european", "European separators: a comma as the decimal point"},
                  {"--dmy", "dates as day.month year instead of month.day year"},
                  {"--begin", "payments at the beginning of each period (BEGIN mode)"},
                  {"--trace", "print one line per key: its mnemonic and the display after it"},
                  {"--tape", "after the display, print the paper tape lines of the session"},
                  {"--load FILE", "load a keystroke program file before the first key"},
                  {"--state FILE",
                   "read the stack and registers from the settings file FILE before "
                   "the first key and write them back after the last"},
                  {"--max-keys N", "stop a running program after N keys in all (default 10000000)"},
                  {"--help", "print this help and exit"},
                  {"--manpage", "print this help as a manual page and exit"}},
      .exitStatus = {{"0", "the keys were pressed and the display printed"},
                     {"1", "a file could not be read or written"},
                     {"2", "bad usage or an unknown key"},
                     {"3", "a program was still running after --max-keys keys"}},
      .examples = {{"finova-cli 12 N 1 I 1000 PV 0 FV PMT",
                    "The monthly payment of a 1000 loan over 12 months at 1% a month "
                    "(prints -88.85):"},
                   {"echo \"1 2 ENTER 3 +\" | finova-cli --trace",
                    "Keys from standard input, one display line per key:"}},
      .files = {"The settings file given with --state has the form of the window's FINOVA.INI; "
                "only its stack and register values are read and written."},
  };
  return manual;
}

}  // namespace finova
