// Work on the masters of a walk done on other threads while the walk goes
// on, and handed back in the order the masters came. Judging the content of
// a tree's separation files is mostly waiting on the file system, one small
// file after another; done beside the walk, it overlaps the reading of the
// masters, and every line a command writes still comes where a walk on one
// thread would write it. Only the work runs on the other threads: what is
// done with its results runs on the caller's.
#pragma once

#include "fileset/checked_master.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace platelier {

class InOrderWork {
  public:
    // `work` works on the masters of a batch in their order, and counts in
    // `done` those whose work is over; it may touch nothing but them.
    using Work = std::function<void(std::vector<CheckedMaster>& masters, std::size_t& done)>;
    using Done = std::function<void(const CheckedMaster&)>;

    InOrderWork(Work work, Done done);
    // Stops the threads once their masters are done; what was not handed
    // back is dropped.
    ~InOrderWork();
    InOrderWork(const InOrderWork&) = delete;
    InOrderWork& operator=(const InOrderWork&) = delete;

    // Queues a master, then hands back those before it whose work is over.
    // Masters go to the threads in batches, so that they wait on each other
    // once per batch rather than once per master; the caller waits while the
    // queue is full, so that a tree of any size holds a bounded number.
    void add(CheckedMaster master);

    // Waits for the work on every master queued and hands them all back.
    // A failure of the work is thrown here, never by add(): the masters
    // before the one whose work failed are handed back, none after it.
    void finish();

    // True when no master waits for its work or to be handed back: one that
    // needs no work may then be done with at once, in its order all the
    // same.
    bool idle();

  private:
    struct Batch {
        std::vector<CheckedMaster> masters;
        std::size_t workDone = 0; // masters whose work is over, in order
        bool finished = false;    // by a thread, all done or one failed
        std::exception_ptr failure;
    };

    void queueBatch();
    void startThreads();
    void runThread();
    void work(Batch& batch);
    void handBack(std::unique_lock<std::mutex>& lock, std::size_t keep);

    const Work work_;
    const Done done_;
    std::vector<CheckedMaster> filling_; // the next batch, the caller's alone
    std::mutex mutex_;
    std::condition_variable workAdded_;
    std::condition_variable workDone_;
    // The batches not handed back yet, in order; the one numbered n (from 0,
    // in the order they were queued) is at n - handedBack_. A deque keeps an
    // element where it is while others are added and removed at its ends,
    // so a thread works on its batch outside the lock.
    std::deque<Batch> batches_;
    std::size_t handedBack_ = 0;
    std::size_t taken_ = 0;      // batches a thread took, counted from the first
    std::exception_ptr failure_; // the first failure of the work, the caller's alone
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace platelier
