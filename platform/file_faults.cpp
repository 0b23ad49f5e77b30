// The file operation counters. The console program reads separation files
// on several threads, so every count is atomic; the tests that make an
// operation fail, or act between two, run on one thread, where "the n-th
// operation" means one.
#include "platform/file_faults.h"

#include <array>
#include <atomic>
#include <optional>
#include <utility>

namespace platelier {

namespace {

constexpr std::size_t operationKinds = static_cast<std::size_t>(FileOperation::search) + 1;

std::atomic<std::uint64_t> operationCount{0};
std::array<std::atomic<std::uint64_t>, operationKinds> countByKind{};
std::atomic<std::uint64_t> failingOperation{0};
std::atomic<std::uint64_t> writeCount{0};
std::atomic<std::uint64_t> firstFailingWrite{0};
std::atomic<std::uint64_t> bytesRead{0};
std::atomic<FileSystemFeature> missingFeature{FileSystemFeature::none};
std::atomic<std::uint64_t> missingMet{0};
std::uint64_t actingOperation = 0;
std::optional<FileOperation> actingKind;
std::function<void()> action;
std::atomic<bool> everyOperationFails{false};

void resetCounts() {
    operationCount = 0;
    writeCount = 0;
    bytesRead = 0;
    for (auto& count : countByKind) {
        count = 0;
    }
}

} // namespace

void failFileOperation(std::uint64_t n) {
    failingOperation = n;
    firstFailingWrite = 0;
    actingOperation = 0;
    actingKind.reset();
    action = nullptr;
    everyOperationFails = false;
    resetCounts();
}

void failFileWritesFrom(std::uint64_t n) {
    failFileOperation(0);
    firstFailingWrite = n;
}

void actBeforeFileOperation(std::uint64_t n, std::function<void()> act) {
    failFileOperation(0);
    actingOperation = n;
    action = std::move(act);
}

void actBeforeNextFileOperation(std::function<void()> act) {
    actingOperation = operationCount + 1;
    action = std::move(act);
}

void actBeforeFileOperation(FileOperation operation, std::function<void()> act) {
    failFileOperation(0);
    actingKind = operation;
    action = std::move(act);
}

void failEveryFileOperation() {
    everyOperationFails = true;
}

std::uint64_t fileOperationCount() {
    return operationCount;
}

std::uint64_t fileOperationCount(FileOperation operation) {
    return countByKind[static_cast<std::size_t>(operation)];
}

std::uint64_t fileWriteCount() {
    return writeCount;
}

std::uint64_t fileBytesRead() {
    return bytesRead;
}

// The action is taken out before it runs: what it does counts, and may not
// set it off again.
bool fileOperationFails(FileOperation operation) {
    const std::uint64_t n = ++operationCount;
    ++countByKind[static_cast<std::size_t>(operation)];
    if (action && (n == actingOperation || actingKind == operation)) {
        std::exchange(action, nullptr)();
    }
    const bool failsNow = n == failingOperation || everyOperationFails;
    if (operation != FileOperation::write) {
        return failsNow;
    }
    const std::uint64_t writes = ++writeCount;
    return failsNow || (firstFailingWrite != 0 && writes >= firstFailingWrite);
}

void countBytesRead(std::size_t count) {
    bytesRead += count;
}

void simulateFileSystemWithout(FileSystemFeature feature) {
    missingFeature = feature;
    missingMet = 0;
}

// A file system without hard links is taken to lack the exchange too, as
// most do: the copy that stands in for a second name is reached that way.
bool fileSystemLacks(FileSystemFeature feature) {
    const FileSystemFeature missing = missingFeature;
    const bool lacks = feature == missing || (feature == FileSystemFeature::exchangingRename &&
                                              missing == FileSystemFeature::hardLinks);
    missingMet += lacks ? 1 : 0;
    return lacks;
}

std::uint64_t missingFeatureMet() {
    return missingMet;
}

} // namespace platelier
