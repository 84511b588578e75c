#include "vibsim/work_storage.hpp"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace vibsim {

void memory_overflow()
{
    std::fputs("memory overflow\n", stdout);
    std::fflush(stdout);
    std::exit(1);
}

namespace {

template <class T>
std::unique_ptr<T[]> zeroed(long long count)
{
    const auto size = static_cast<std::size_t>(count < 0 ? 0 : count);
    if (size > std::size_t(-1) / sizeof(T)) memory_overflow();
    std::unique_ptr<T[]> block(new (std::nothrow) T[size]());
    if (!block) memory_overflow();
    return block;
}

}  // namespace

std::unique_ptr<double[]> work_doubles(long long count) { return zeroed<double>(count); }

std::unique_ptr<int[]> work_ints(long long count) { return zeroed<int>(count); }

}  // namespace vibsim
