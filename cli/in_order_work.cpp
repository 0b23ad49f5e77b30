// The threads of the work beside a walk, as many as readingThreads() says.
// The walk's own thread mostly waits: for the file system, or, in a folder
// whose masters are all read before the first is checked, for the work.
#include "cli/in_order_work.h"

#include "platform/reading_threads.h"

#include <utility>

namespace platelier {

namespace {

// Masters in a batch, and batches queued at most: a batch is about a
// millisecond of work, and the queue holds a few for every thread.
constexpr std::size_t batchLength = 32;
constexpr std::size_t queueLength = 32;

} // namespace

InOrderWork::InOrderWork(Work work, Done done) : work_(std::move(work)), done_(std::move(done)) {}

InOrderWork::~InOrderWork() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    workAdded_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

void InOrderWork::add(CheckedMaster master) {
    filling_.push_back(std::move(master));
    if (filling_.size() == batchLength) {
        queueBatch();
    }
}

void InOrderWork::finish() {
    queueBatch();
    std::unique_lock<std::mutex> lock(mutex_);
    handBack(lock, 0);
    if (failure_) {
        std::rethrow_exception(std::exchange(failure_, nullptr));
    }
}

bool InOrderWork::idle() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return filling_.empty() && batches_.empty();
}

void InOrderWork::queueBatch() {
    if (filling_.empty()) {
        return;
    }
    if (threads_.empty()) {
        startThreads();
    }
    std::unique_lock<std::mutex> lock(mutex_);
    batches_.push_back(Batch{std::move(filling_), 0, false, nullptr});
    filling_.clear();
    workAdded_.notify_one();
    handBack(lock, queueLength - 1);
}

void InOrderWork::startThreads() {
    const unsigned count = readingThreads();
    for (unsigned n = 0; n < count; ++n) {
        threads_.emplace_back([this] { runThread(); });
    }
}

void InOrderWork::runThread() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        workAdded_.wait(lock,
                        [this] { return stopping_ || taken_ < handedBack_ + batches_.size(); });
        if (stopping_) {
            return;
        }
        Batch& batch = batches_[taken_++ - handedBack_];
        lock.unlock();
        work(batch);
        lock.lock();
        batch.finished = true;
        workDone_.notify_one();
    }
}

// Works on the batch's masters in order, up to the first whose work fails.
void InOrderWork::work(Batch& batch) {
    try {
        work_(batch.masters, batch.workDone);
    } catch (...) {
        batch.failure = std::current_exception();
    }
}

// Hands back, in order, the batches a thread finished, then waits for the
// next ones until no more than `keep` are left queued. After a failure of
// the work, kept for finish(), nothing more is handed back.
void InOrderWork::handBack(std::unique_lock<std::mutex>& lock, std::size_t keep) {
    while (!batches_.empty() && (batches_.front().finished || batches_.size() > keep)) {
        workDone_.wait(lock, [this] { return batches_.front().finished; });
        Batch batch = std::move(batches_.front());
        batches_.pop_front();
        ++handedBack_;
        lock.unlock();
        for (std::size_t n = 0; n < batch.workDone && !failure_; ++n) {
            done_(batch.masters[n]);
        }
        failure_ = failure_ ? failure_ : batch.failure;
        lock.lock();
    }
}

} // namespace platelier
