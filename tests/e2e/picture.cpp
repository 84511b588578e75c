#include "picture.hpp"

#include "child_process.hpp"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace vibsim::e2e {

bool is_white(Rgb c) { return c.r >= 245 && c.g >= 245 && c.b >= 245; }
bool is_dark(Rgb c) { return c.r < 100 && c.g < 100 && c.b < 100; }
bool is_red(Rgb c) { return c.r >= 200 && c.g < 80 && c.b < 80; }
bool is_green(Rgb c) { return c.g >= 200 && c.r < 80 && c.b < 80; }

namespace {

Region clipped(const Picture& picture, Region r)
{
    return {std::max(r.x0, 0), std::max(r.y0, 0), std::min(r.x1, picture.width),
            std::min(r.y1, picture.height)};
}

// Runs of adjacent indices, each given as its middle.
std::vector<double> merge_adjacent(const std::vector<int>& indices)
{
    std::vector<double> middles;
    std::size_t i = 0;
    while (i < indices.size()) {
        std::size_t j = i;
        while (j + 1 < indices.size() && indices[j + 1] == indices[j] + 1) ++j;
        middles.push_back((indices[i] + indices[j]) / 2.0);
        i = j + 1;
    }
    return middles;
}

struct Run {
    int start = 0, length = 0;
};

Run longest_run_in_column(const Picture& picture, int x, int y0, int y1, ColourClass colour)
{
    Run best;
    Run current;
    for (int y = y0; y < y1; ++y) {
        if (colour(picture.at(x, y))) {
            if (current.length == 0) current.start = y;
            ++current.length;
            if (current.length > best.length) best = current;
        } else {
            current.length = 0;
        }
    }
    return best;
}

}  // namespace

int count(const Picture& picture, Region region, ColourClass colour)
{
    const Region r = clipped(picture, region);
    int n = 0;
    for (int y = r.y0; y < r.y1; ++y) {
        for (int x = r.x0; x < r.x1; ++x) n += colour(picture.at(x, y)) ? 1 : 0;
    }
    return n;
}

int count_not_white(const Picture& picture, Region region)
{
    return count(picture, region, [](Rgb c) { return !is_white(c); });
}

std::vector<double> horizontal_lines(const Picture& picture, Region region, ColourClass colour,
                                     double fraction)
{
    const Region r = clipped(picture, region);
    std::vector<int> rows;
    for (int y = r.y0; y < r.y1; ++y) {
        if (count(picture, {r.x0, y, r.x1, y + 1}, colour) >= fraction * (r.x1 - r.x0)) rows.push_back(y);
    }
    return merge_adjacent(rows);
}

std::vector<double> vertical_lines(const Picture& picture, Region region, ColourClass colour,
                                   double fraction)
{
    const Region r = clipped(picture, region);
    std::vector<int> columns;
    for (int x = r.x0; x < r.x1; ++x) {
        if (count(picture, {x, r.y0, x + 1, r.y1}, colour) >= fraction * (r.y1 - r.y0)) columns.push_back(x);
    }
    return merge_adjacent(columns);
}

std::optional<Extent> horizontal_extent(const Picture& picture, Region region, ColourClass colour)
{
    const Region r = clipped(picture, region);
    std::optional<Extent> extent;
    for (int x = r.x0; x < r.x1; ++x) {
        if (count(picture, {x, r.y0, x + 1, r.y1}, colour) == 0) continue;
        if (!extent) extent = Extent{x, x};
        extent->last = x;
    }
    return extent;
}

std::optional<Disc> find_disc(const Picture& picture, Region region, ColourClass colour, int min_run)
{
    const Region r = clipped(picture, region);
    int first = -1;
    int last = -1;
    for (int x = r.x0; x < r.x1; ++x) {
        if (longest_run_in_column(picture, x, r.y0, r.y1, colour).length < min_run) {
            if (first >= 0) break;  // the first disc from the left
            continue;
        }
        if (first < 0) first = x;
        last = x;
    }
    if (first < 0) return std::nullopt;
    const int middle = (first + last) / 2;
    const Run run = longest_run_in_column(picture, middle, r.y0, r.y1, colour);
    const int centre_row = run.start + run.length / 2;
    // Out to the disc's rim: columns whose run through the centre row is
    // still more than a line is thick.
    const auto spans_centre_row = [&](int x) {
        if (x < r.x0 || x >= r.x1) return false;
        int top = centre_row;
        int bottom = centre_row;
        if (!colour(picture.at(x, centre_row))) return false;
        while (top > r.y0 && colour(picture.at(x, top - 1))) --top;
        while (bottom + 1 < r.y1 && colour(picture.at(x, bottom + 1))) ++bottom;
        return bottom - top + 1 >= 5;
    };
    while (spans_centre_row(first - 1)) --first;
    while (spans_centre_row(last + 1)) ++last;
    return Disc{(first + last) / 2.0, run.start + (run.length - 1) / 2.0, last - first + 1, run.length};
}

bool save_png(const Picture& picture, const std::string& path)
{
    if (picture.empty()) return false;
    const std::string ppm = path + ".ppm";
    std::FILE* file = std::fopen(ppm.c_str(), "wb");
    if (file == nullptr) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", picture.width, picture.height);
    for (const Rgb& c : picture.pixels) {
        const unsigned char bytes[3] = {c.r, c.g, c.b};
        std::fwrite(bytes, 1, 3, file);
    }
    std::fclose(file);
    // Another `convert` may come first on PATH; ImageMagick's is this one.
    const auto converted = test::run_tool({"/usr/bin/convert", ppm, path}, test::Milliseconds{30000});
    if (!converted || converted->exit_code != 0) return false;  // the PPM stays for a look
    unlink(ppm.c_str());
    return true;
}

}  // namespace vibsim::e2e
