// The file operation counters. The program has one thread; so have its tests.
#include "platform/file_faults.h"

namespace platelier {

namespace {

std::uint64_t operationCount = 0;
std::uint64_t failingOperation = 0;
std::uint64_t writeCount = 0;
std::uint64_t firstFailingWrite = 0;
FileSystemFeature missingFeature = FileSystemFeature::none;

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
    ++writeCount;
    return failsNow || (firstFailingWrite != 0 && writeCount >= firstFailingWrite);
}

void simulateFileSystemWithout(FileSystemFeature feature) {
    missingFeature = feature;
}

bool fileSystemLacks(FileSystemFeature feature) {
    return feature == missingFeature;
}

} // namespace platelier
