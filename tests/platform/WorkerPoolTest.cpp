#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "platform/LargeBlock.h"
#include "platform/WorkerPool.h"

namespace brv3::platform {
namespace {

// Parts taken from a shared counter, as the picture's bands are.
struct SplitWork {
  explicit SplitWork(int parts) : done(static_cast<size_t>(parts)) {}
  void operator()() {
    for (size_t part; (part = next.fetch_add(1)) < done.size();) done[part].fetch_add(1);
    std::lock_guard<std::mutex> guard(lock);
    threads.insert(std::this_thread::get_id());
  }
  std::atomic<size_t> next{0};
  std::vector<std::atomic<int>> done;
  std::mutex lock;
  std::set<std::thread::id> threads;
};

TEST(WorkerPool, EveryPartIsDoneOnceByTheSameFewThreadsRunAfterRun) {
  WorkerPool pool(3);
  ASSERT_EQ(pool.Helpers(), 3);
  std::set<std::thread::id> seen;
  for (int run = 0; run < 200; ++run) {
    SplitWork work(257);
    pool.Run([&] { work(); }, 4);
    // Run returned: every call has returned, so the results are all there.
    for (const std::atomic<int>& part : work.done) ASSERT_EQ(part.load(), 1) << "run " << run;
    EXPECT_TRUE(work.threads.count(std::this_thread::get_id()));
    EXPECT_LE(work.threads.size(), 4u);
    seen.insert(work.threads.begin(), work.threads.end());
  }
  // The threads are kept, not started anew for every run.
  EXPECT_LE(seen.size(), 4u);
}

TEST(WorkerPool, RunsOnTheCallerAloneWhenAskedForOneThreadOrHavingNoHelpers) {
  WorkerPool none(0);
  WorkerPool pool(2);
  for (WorkerPool* p : {&none, &pool}) {
    for (int threads : {-1, 0, 1}) {
      SplitWork work(10);
      p->Run([&] { work(); }, threads);
      EXPECT_EQ(work.threads, std::set<std::thread::id>{std::this_thread::get_id()});
    }
  }
  // More threads asked for than there are helpers: the helpers there do it.
  SplitWork work(1000);
  none.Run([&] { work(); }, 8);
  for (const std::atomic<int>& part : work.done) EXPECT_EQ(part.load(), 1);
}

TEST(WorkerPool, RunsFromSeveralThreadsTakeTurns) {
  WorkerPool pool(2);
  // Calls inside a job, counted per caller: while one caller's job runs, the other's count is 0.
  std::atomic<int> inside[2] = {0, 0};
  std::atomic<bool> overlapped{false};
  std::atomic<int> calls{0};
  const auto caller = [&](int me) {
    for (int i = 0; i < 100; ++i) {
      pool.Run(
          [&] {
            inside[me].fetch_add(1);
            if (inside[1 - me].load() > 0) overlapped = true;
            calls.fetch_add(1);
            inside[me].fetch_sub(1);
          },
          3);
    }
  };
  std::thread a(caller, 0), b(caller, 1);
  a.join();
  b.join();
  EXPECT_FALSE(overlapped.load());
  EXPECT_GE(calls.load(), 200);
}

TEST(LargeBlock, GivesAlignedZeroedWritableMemoryOrNone) {
  constexpr size_t kBytes = 5 * 1024 * 1024 + 12;
  std::unique_ptr<LargeBlock> block = LargeBlock::Allocate(kBytes);
  ASSERT_TRUE(block);
  EXPECT_EQ(block->Size(), kBytes);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(block->Data()) % LargeBlock::kAlignment, 0u);
  EXPECT_EQ(block->Data()[0], 0);
  EXPECT_EQ(block->Data()[kBytes - 1], 0);
  block->Data()[0] = 1;
  block->Data()[kBytes - 1] = 2;
  EXPECT_EQ(block->Data()[kBytes - 1], 2);

  EXPECT_FALSE(LargeBlock::Allocate(0));
  EXPECT_FALSE(LargeBlock::Allocate(SIZE_MAX));
  EXPECT_FALSE(LargeBlock::Allocate(SIZE_MAX - LargeBlock::kAlignment));
}

}  // namespace
}  // namespace brv3::platform
