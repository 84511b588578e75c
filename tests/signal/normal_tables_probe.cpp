// Loads the tables of the folder argv[1]; after the loader's own text, reports whether all
// loaded, each band's entry count and last entry, and the conversion of each further argument.
#include "vibsim/normal_random.hpp"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 2 || chdir(argv[1]) != 0) return 2;
    dup2(STDOUT_FILENO, STDERR_FILENO);
    const bool loaded = vibsim::load_normal_tables();
    std::printf("\n[%s", loaded ? "loaded" : "failed");
    for (int band = 1; band <= 5; ++band) {
        const auto table = vibsim::normal_table(band);
        std::printf(" %zu", table.size());
        if (!table.empty()) std::printf(":%g/%g", table.back().value, table.back().key);
    }
    for (int i = 2; i < argc; ++i) std::printf(" %g", vibsim::uniform_to_normal(std::atof(argv[i])));
    std::printf("]");
}
