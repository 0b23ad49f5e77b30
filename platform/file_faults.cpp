// The file operation counters. The console program reads separation files
// on several threads, so every count is atomic; the tests that make an
// operation fail run on one thread, where "the n-th operation" means one.
#include "platform/file_faults.h"

#include <atomic>

namespace platelier {

namespace {

std::atomic<std::uint64_t> operationCount{0};
std::atomic<std::uint64_t> failingOperation{0};
std::atomic<std::uint64_t> writeCount{0};
std::atomic<std::uint64_t> firstFailingWrite{0};
std::atomic<FileSystemFeature> missingFeature{FileSystemFeature::none};

} // namespace

void failFileOperation(std::uint64_t n) {
    failingOperation = n;
    firstFailingWrite = 0;
    operationCount = 0;
    writeCount = 0;
}

void failFileWritesFrom(std::uint64_t n) {
    failFileOperation(0);
    firstFailingWrite = n;
}

std::uint64_t fileOperationCount() {
    return operationCount;
}

std::uint64_t fileWriteCount() {
    return writeCount;
}

bool fileOperationFails(FileOperation operation) {
    const bool failsNow = ++operationCount == failingOperation;
    if (operation != FileOperation::write) {
        return failsNow;
    }
    const std::uint64_t writes = ++writeCount;
    return failsNow || (firstFailingWrite != 0 && writes >= firstFailingWrite);
}

void simulateFileSystemWithout(FileSystemFeature feature) {
    missingFeature = feature;
}

bool fileSystemLacks(FileSystemFeature feature) {
    return feature == missingFeature;
}

} // namespace platelier
