// Prints rand()'s first values unseeded and after srand of a few seeds, the
// sign bit's neighbours and 0 among them. Built natively (glibc's rand) and
// for the page (web/glibc_rand.cpp, run under node); the two outputs must be
// the same bytes.
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

int main()
{
    for (int i = 0; i < 1000; ++i) std::printf("%d\n", std::rand());
    for (const unsigned seed : {0u, 1u, 3u, 12345u, 2147483647u, 2147483648u, 4294967295u}) {
        std::srand(seed);
        for (int i = 0; i < 3000; ++i) std::printf("%d\n", std::rand());
    }
}
