#include "modes_png.hpp"

#include "child_process.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace vibsim::windows {

using e2e::Picture;
using e2e::Rgb;

namespace {

std::string temp_file(const std::string& name) { return ::testing::TempDir() + "vibsim_modes_picture_" + name; }

}  // namespace

Picture modes_png(std::vector<std::string> arguments)
{
    const std::string png = temp_file("picture.png");
    const std::string ppm = temp_file("picture.ppm");
    std::remove(png.c_str());
    arguments.insert(arguments.begin(), MODES_PROGRAM);
    arguments.insert(arguments.end(), {"--lang", "en", "--png", png});
    if (test::run_program(arguments, "").exit_code != 0) return {};
    if (test::run_program({"/usr/bin/convert", png, "-depth", "8", ppm}, "").exit_code != 0) return {};
    std::ifstream in(ppm, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, top = 0;
    in >> magic >> width >> height >> top;
    in.get();
    if (magic != "P6" || top != 255 || width < 1 || height < 1) return {};
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() != static_cast<std::size_t>(width) * height * 3) return {};
    Picture p{width, height, {}};
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        p.pixels.push_back({static_cast<std::uint8_t>(bytes[i]), static_cast<std::uint8_t>(bytes[i + 1]),
                            static_cast<std::uint8_t>(bytes[i + 2])});
    }
    return p;
}

int largest_block_difference(const Picture& small, const Picture& large, e2e::Region part, int dx, int dy,
                             double factor, int block)
{
    int worst = 0;
    for (int by = part.y0; by + block <= part.y1; by += block) {
        for (int bx = part.x0; bx + block <= part.x1; bx += block) {
            double a[3] = {0, 0, 0}, b[3] = {0, 0, 0};
            for (int y = by; y < by + block; ++y) {
                for (int x = bx; x < bx + block; ++x) {
                    const Rgb c = small.at(x, y);
                    a[0] += c.r, a[1] += c.g, a[2] += c.b;
                }
            }
            const int x0 = static_cast<int>((bx - dx) * factor), x1 = static_cast<int>((bx + block - dx) * factor);
            const int y0 = static_cast<int>((by - dy) * factor), y1 = static_cast<int>((by + block - dy) * factor);
            for (int y = y0; y < y1; ++y) {
                for (int x = x0; x < x1; ++x) {
                    const Rgb c = large.at(x, y);
                    b[0] += c.r, b[1] += c.g, b[2] += c.b;
                }
            }
            const double na = block * block, nb = static_cast<double>((x1 - x0) * (y1 - y0));
            for (int i = 0; i < 3; ++i) worst = std::max(worst, static_cast<int>(std::fabs(a[i] / na - b[i] / nb)));
        }
    }
    return worst;
}

}  // namespace vibsim::windows
