// The file operation counter. The program has one thread; so have its tests.
#include "app/platform/file_faults.h"

namespace platelier {

namespace {

std::uint64_t operationCount = 0;
std::uint64_t failingOperation = 0;

} // namespace

void failFileOperation(std::uint64_t n) {
    failingOperation = n;
    operationCount = 0;
}

std::uint64_t fileOperationCount() {
    return operationCount;
}

bool fileOperationFails() {
    return ++operationCount == failingOperation;
}

} // namespace platelier
