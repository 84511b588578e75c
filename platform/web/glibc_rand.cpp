// rand and srand as the desktop's C library (glibc) has them, so that the
// page draws the same random numbers as the desktop program for the same
// seed: an additive feedback generator over 31 words, x[i] = x[i-3] +
// x[i-31] (mod 2^32), each result the sum without its lowest bit (0 ...
// 2^31 - 1). srand(s) fills the words from s with the minimal standard
// generator 16807 x mod (2^31 - 1) (s = 0 taken as 1) and runs the generator
// 310 times to mix them; before any srand it stands as after srand(1).
// emscripten's C library has a generator of its own; these definitions take
// its place in the page's link.
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int degree = 31;
constexpr int separation = 3;

struct Generator {
    std::int32_t words[degree];
    int front;  // index of the word the sum goes into
    int rear;   // index of the word added to it
    bool seeded = false;
};

Generator generator;

std::int32_t next_word(Generator& g)
{
    const std::uint32_t sum =
        static_cast<std::uint32_t>(g.words[g.front]) + static_cast<std::uint32_t>(g.words[g.rear]);
    g.words[g.front] = static_cast<std::int32_t>(sum);
    g.front = g.front + 1 == degree ? 0 : g.front + 1;
    g.rear = g.rear + 1 == degree ? 0 : g.rear + 1;
    return static_cast<std::int32_t>(sum >> 1);
}

void seed(Generator& g, unsigned int s)
{
    if (s == 0) s = 1;
    // The seed is kept as a signed 32-bit word, as the C library keeps it.
    std::int32_t word = static_cast<std::int32_t>(s);
    g.words[0] = word;
    for (int i = 1; i < degree; ++i) {
        // 16807 * word mod (2^31 - 1) by Schrage's method, without overflow.
        const long high = word / 127773;
        const long low = word % 127773;
        word = static_cast<std::int32_t>(16807 * low - 2836 * high);
        if (word < 0) word += 2147483647;
        g.words[i] = word;
    }
    g.front = separation;
    g.rear = 0;
    g.seeded = true;
    for (int i = 0; i < 10 * degree; ++i) next_word(g);
}

}  // namespace

extern "C" void srand(unsigned int s) { seed(generator, s); }

extern "C" int rand()
{
    if (!generator.seeded) seed(generator, 1);
    return next_word(generator);
}
