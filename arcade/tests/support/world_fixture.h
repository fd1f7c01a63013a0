// A test fixture for the world: the palette, the tests' stand-in textures,
// a recording message reporter and sound layer, and helpers that build a
// level and step it at 50 ms a tick.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "arcade/world/world.h"
#include "fakes.h"
#include "test_textures.h"

namespace arcade::testing {

struct PlayedSound {
  int id;
  double x, y, volume;
};

class RecordingSound : public ISoundEffects {
 public:
  void PlayEffect(int id, double x, double y, double volume) override {
    played.push_back({id, x, y, volume});
  }
  int count(int id) const {
    int n = 0;
    for (const auto& s : played) n += s.id == id ? 1 : 0;
    return n;
  }
  std::vector<PlayedSound> played;
};

class CountingFlusher : public IKeyFlusher {
 public:
  void FlushServeKeys() override { ++flushes; }
  int flushes = 0;
};

class WorldTest : public ::testing::Test {
 protected:
  WorldTest() { addTestTextures(resources); }

  CWorld& Build(int level, std::uint32_t seed = 1) {
    world = std::make_unique<CWorld>(level, seed, library, &sound, &keys);
    now = 0;
    return *world;
  }
  StepResult Tick(const WorldInput& input = {}) {
    now += 50;
    return world->Step(now == 50, 1.0, input, now).result;
  }
  // Removes every object of the level (for tests that place their own).
  void EmptyLevel() {
    while (world->Objects() != nullptr) world->RemoveObject(world->Objects());
  }

  CGamePalette palette;
  MemoryResources resources;
  RecordingReporter reporter;
  ImageLibrary library{palette, resources, reporter};
  RecordingSound sound;
  CountingFlusher keys;
  std::unique_ptr<CWorld> world;
  std::uint32_t now = 0;
};

}  // namespace arcade::testing
