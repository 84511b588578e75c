// Per-call work storage of the library's numerical operations.
#pragma once

#include <cstddef>
#include <memory>

namespace vibsim {

// Prints "memory overflow\n" on standard output and ends the process with
// exit status 1: the one failure the library reports.
[[noreturn]] void memory_overflow();

// `count` zero-filled doubles from the heap, or the end of the process through
// memory_overflow() when they cannot be had. A negative count asks for none.
std::unique_ptr<double[]> work_doubles(long long count);

// `count` zero-filled ints, with the same failure rule.
std::unique_ptr<int[]> work_ints(long long count);

}  // namespace vibsim
