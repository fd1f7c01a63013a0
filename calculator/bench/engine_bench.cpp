// Key presses per second of a running keystroke program: 999 lines looping
// through arithmetic, stack and register keys, with and without the tape, and
// with every step journalled.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "calculator/core/calc_engine.h"
#include "calculator/core/tape.h"

namespace {

// One block of 12 lines that keeps every value finite and every key legal.
constexpr const char* kBlock[] = {"RCL 1", "1",       "+",     "STO 1", "ENTER", "3",
                                  "/",     "STO + 2", "X<->Y", "RCL 2", "-",     "RDOWN"};

std::string loopProgram() {
  std::string text = "CCC  benchmark loop\r\n";
  char number[8];
  int line = 1;
  for (; line <= 996; ++line) {
    std::snprintf(number, sizeof number, "%03d", line);
    text += std::string(number) + "  " + kBlock[(line - 1) % 12] + "\r\n";
  }
  text += "997  CLX\r\n998  ENTER\r\n999  GTO 0 0 1\r\n";
  return text;
}

void runProgram(benchmark::State& state, bool withTape, bool everyStep = false) {
  finova::CalcEngine engine;
  finova::Tape tape;
  if (withTape) engine.setTape(&tape);
  engine.setFullProgramJournal(everyStep);
  engine.program().fromText(loopProgram());
  constexpr std::size_t kKeysPerPress = 100000;
  engine.setKeyBudget(kKeysPerPress);
  engine.PressKey(finova::key::kRS);
  const std::uint64_t start = engine.keyCount();
  for (auto _ : state) {
    engine.PressKey(finova::key::kNoKey);
    if (!engine.running()) state.SkipWithError("the program stopped");
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(engine.keyCount() - start));
  state.counters["x"] = engine.registers().R[1];
}

void BM_ProgramKeysWithTape(benchmark::State& state) {
  runProgram(state, true);
}
void BM_ProgramKeysWithoutTape(benchmark::State& state) {
  runProgram(state, false);
}
// Every step journalled (Options), within the tape's budget a minute.
void BM_ProgramKeysJournallingEveryStep(benchmark::State& state) {
  runProgram(state, true, true);
}

// Keys typed one at a time, each its own PressKey, with the tape.
void BM_TypedKeys(benchmark::State& state) {
  finova::CalcEngine engine;
  finova::Tape tape;
  engine.setTape(&tape);
  const finova::KeyCode keys[] = {1,
                                  2,
                                  finova::key::kEnter,
                                  3,
                                  finova::key::kPlus,
                                  finova::key::kSto,
                                  1,
                                  finova::key::kRcl,
                                  1,
                                  finova::key::kTimes};
  std::int64_t pressed = 0;
  for (auto _ : state) {
    for (finova::KeyCode code : keys) engine.PressKey(code);
    pressed += static_cast<std::int64_t>(std::size(keys));
  }
  state.SetItemsProcessed(pressed);
}

BENCHMARK(BM_ProgramKeysWithTape)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProgramKeysWithoutTape)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProgramKeysJournallingEveryStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypedKeys);

}  // namespace
