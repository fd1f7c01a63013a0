#pragma once
// Work on many volumes by several threads with results taken in order: the
// workers each keep their own state (a matcher, read buffers) and take the
// next volume index; the calling thread receives each volume's result in
// the order of the volumes, as if one thread had done everything, and may
// stop the run after any of them. Workers run at most kMaxAhead volumes
// ahead of the one being received, so waiting results stay bounded.
//
// It knows nothing of what is done per volume.

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace diskindex::search {

// One thread per core, at most 8, never more than there are volumes.
inline unsigned workerCount(std::size_t volumes) {
  const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
  return static_cast<unsigned>(std::min<std::size_t>({cores, volumes, 8}));
}

// makeState() -> State (per worker); work(State&, index) -> Result;
// receive(index, Result&&) -> bool, false stops the run.
template <class Result, class MakeState, class Work, class Receive>
void forEachVolumeInOrder(std::size_t count, MakeState makeState, Work work, Receive receive) {
  constexpr std::size_t kMaxAhead = 64;
  std::vector<std::optional<Result>> slots(count);
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t next = 0;
  std::size_t received = 0;
  bool stop = false;
  const auto worker = [&] {
    auto state = makeState();
    for (;;) {
      std::size_t index = 0;
      {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return stop || next >= count || next < received + kMaxAhead; });
        if (stop || next >= count) return;
        index = next++;
      }
      Result result = work(state, index);
      {
        const std::lock_guard lock(mutex);
        slots[index].emplace(std::move(result));
      }
      changed.notify_all();
    }
  };
  std::vector<std::thread> workers;
  for (unsigned t = 0; t < workerCount(count); ++t) workers.emplace_back(worker);
  for (std::size_t i = 0; i < count; ++i) {
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return slots[i].has_value(); });
    Result result = std::move(*slots[i]);
    slots[i].reset();
    received = i + 1;
    lock.unlock();
    changed.notify_all();
    if (!receive(i, std::move(result))) break;
  }
  {
    const std::lock_guard lock(mutex);
    stop = true;
  }
  changed.notify_all();
  for (std::thread& thread : workers) thread.join();
}

}  // namespace diskindex::search
