#pragma once
// The calculator's key codes: small integers that every part of the engine
// shares (keypad, keyboard, program memory, program files, the tape). Codes
// 0..103 are rows of the key table; 104..106 are the three codes outside it.
// This header only names the codes; the mnemonics, kinds and help numbers
// live in the key table (key_table.h).

#include <cstdint>

namespace finova {

using KeyCode = int;

// What a key does to the state machine; the key table gives each code one.
enum class KeyKind : std::uint8_t {
  Entry = 0,           // digits, point, CHS, EEX, backspace
  Operation = 1,       // everything that computes
  RegisterAccess = 2,  // STO, RCL
  RegisterKey = 3,     // PV, FV, N, PMT, I, 12*, 12/, CF0, CFJ, NJ, markup, NOM%, EFF%, P
  ProgramControl = 4,  // P/R, R/S, SST, BST, GTO, PSE, X<=Y, X=0, C_PGM
  NoKey = 5,           // the end row of the table: not a key
};

namespace key {
inline constexpr KeyCode kDigit0 = 0;
inline constexpr KeyCode kDigit9 = 9;
inline constexpr KeyCode kPoint = 10;
inline constexpr KeyCode kChs = 11;
inline constexpr KeyCode kEex = 12;
inline constexpr KeyCode kClx = 13;
inline constexpr KeyCode kEnter = 14;
inline constexpr KeyCode kPlus = 15;
inline constexpr KeyCode kMinus = 16;
inline constexpr KeyCode kTimes = 17;
inline constexpr KeyCode kDivide = 18;
inline constexpr KeyCode kPV = 19;
inline constexpr KeyCode kFV = 20;
inline constexpr KeyCode kN = 21;
inline constexpr KeyCode kPMT = 22;
inline constexpr KeyCode kI = 23;
inline constexpr KeyCode kNPV = 24;
inline constexpr KeyCode kIRR = 25;
inline constexpr KeyCode kBeg = 26;
inline constexpr KeyCode kEnd = 27;
inline constexpr KeyCode kRnd = 28;
inline constexpr KeyCode kInt = 29;
inline constexpr KeyCode kMem = 30;
inline constexpr KeyCode kTimes12 = 31;
inline constexpr KeyCode kDiv12 = 32;
inline constexpr KeyCode kFrac = 33;
inline constexpr KeyCode kIntg = 34;
inline constexpr KeyCode kAmrt = 35;
inline constexpr KeyCode kSL = 36;
inline constexpr KeyCode kSoyd = 37;
inline constexpr KeyCode kDB = 38;
inline constexpr KeyCode kPrice = 39;
inline constexpr KeyCode kYtm = 40;
inline constexpr KeyCode kCF0 = 41;
inline constexpr KeyCode kCFj = 42;
inline constexpr KeyCode kNj = 43;
inline constexpr KeyCode kPR = 44;
inline constexpr KeyCode kRS = 45;
inline constexpr KeyCode kSto = 46;
inline constexpr KeyCode kRcl = 47;
inline constexpr KeyCode kClearSum = 48;
inline constexpr KeyCode kClearPgm = 49;
inline constexpr KeyCode kClearFin = 50;
inline constexpr KeyCode kClearReg = 51;
inline constexpr KeyCode kSwap = 52;
inline constexpr KeyCode kRollDown = 53;
inline constexpr KeyCode kExp = 54;
inline constexpr KeyCode kSqrt = 55;
inline constexpr KeyCode kSquare = 56;
inline constexpr KeyCode kRandom = 57;
inline constexpr KeyCode kLn = 58;
inline constexpr KeyCode kPower = 59;
inline constexpr KeyCode kPercent = 60;
inline constexpr KeyCode kPercentDiff = 61;
inline constexpr KeyCode kPercentTotal = 62;
inline constexpr KeyCode kFactorial = 63;
inline constexpr KeyCode kLastX = 64;
inline constexpr KeyCode kReciprocal = 65;
inline constexpr KeyCode kUnused66 = 66;
inline constexpr KeyCode kUnused67 = 67;
inline constexpr KeyCode kSst = 68;
inline constexpr KeyCode kBst = 69;
inline constexpr KeyCode kGto = 70;
inline constexpr KeyCode kPse = 71;
inline constexpr KeyCode kXLessEqualY = 72;
inline constexpr KeyCode kXEqualZero = 73;
inline constexpr KeyCode kSumPlus = 74;
inline constexpr KeyCode kSumMinus = 75;
inline constexpr KeyCode kMean = 76;
inline constexpr KeyCode kStdev = 77;
inline constexpr KeyCode kEstX = 78;
inline constexpr KeyCode kEstY = 79;
inline constexpr KeyCode kWMean = 80;
inline constexpr KeyCode kDdys = 81;
inline constexpr KeyCode kDate = 82;
inline constexpr KeyCode kDMY = 83;
inline constexpr KeyCode kMDY = 84;
inline constexpr KeyCode kPi = 85;
inline constexpr KeyCode kMarkupCost = 86;
inline constexpr KeyCode kMarkupPrice = 87;
inline constexpr KeyCode kBackspace = 88;
inline constexpr KeyCode kLog = 89;
inline constexpr KeyCode kTenPower = 90;
inline constexpr KeyCode kNom = 91;
inline constexpr KeyCode kEff = 92;
inline constexpr KeyCode kCost = 93;
inline constexpr KeyCode kPriceReg = 94;
inline constexpr KeyCode kPeriods = 95;
inline constexpr KeyCode kSPPV = 96;
inline constexpr KeyCode kSPFV = 97;
inline constexpr KeyCode kUSPV = 98;
inline constexpr KeyCode kUSFV = 99;
inline constexpr KeyCode kMirr = 100;
inline constexpr KeyCode kNFV = 101;
inline constexpr KeyCode kAdvp = 102;
inline constexpr KeyCode kUnused103 = 103;
inline constexpr KeyCode kClearProgramMemory = 104;  // menu command
inline constexpr KeyCode kPauseTick = 105;           // timer tick of a paused program
inline constexpr KeyCode kNoKey = 106;  // end of table, empty program slot, display refresh
}  // namespace key

// Error codes of the engine; the display shows "Error" and the code minus one.
namespace error {
inline constexpr int kNone = 0;
inline constexpr int kMath = 1;        // Error0: arithmetic or domain
inline constexpr int kStatistics = 3;  // Error2: too few or unsuitable data
inline constexpr int kFinancial = 6;   // Error5: inconsistent or unsolvable registers
inline constexpr int kCashFlow = 7;    // Error6: too many flows, bad repeat count
inline constexpr int kDate = 9;        // Error8: invalid date
}  // namespace error

}  // namespace finova
