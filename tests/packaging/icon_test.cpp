// The icon's pictures that the build makes with vibsim-icon for the icon
// theme (packaging/CMakeLists.txt), read back as its users' desktops read
// them: every size is there at its size and shows the drawing (its ceiling,
// spring and mass on the background), and the 48-pixel picture is the
// 256-pixel one scaled down, compared by area averaging (each small pixel
// the mean of the large pixels it covers, partly covered ones by their
// share): close on average, and far off nowhere but at a few pixels.
#include <gtest/gtest.h>

#include <png.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    std::array<double, 3> at(int x, int y) const
    {
        const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
        return {double(rgb[i]), double(rgb[i + 1]), double(rgb[i + 2])};
    }
};

Picture read_png(const std::string& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Picture picture;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        ADD_FAILURE() << path << ": " << image.message;
        return picture;
    }
    image.format = PNG_FORMAT_RGB;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr)) {
        ADD_FAILURE() << path << ": " << image.message;
        return Picture{};
    }
    return picture;
}

// The pictures the build made, as "SIZE=PATH|..." (ICON_PICTURES).
std::vector<std::pair<int, std::string>> pictures()
{
    std::vector<std::pair<int, std::string>> list;
    std::string all = ICON_PICTURES;
    std::size_t from = 0;
    while (from < all.size()) {
        std::size_t end = all.find('|', from);
        if (end == std::string::npos) end = all.size();
        const std::string item = all.substr(from, end - from);
        const std::size_t equals = item.find('=');
        list.emplace_back(std::atoi(item.substr(0, equals).c_str()), item.substr(equals + 1));
        from = end + 1;
    }
    return list;
}

// The share of the picture's pixels within `tolerance` of a colour.
double share_of(const Picture& p, std::array<double, 3> colour, double tolerance)
{
    int count = 0;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const auto c = p.at(x, y);
            if (std::abs(c[0] - colour[0]) <= tolerance && std::abs(c[1] - colour[1]) <= tolerance &&
                std::abs(c[2] - colour[2]) <= tolerance) {
                ++count;
            }
        }
    }
    return double(count) / (double(p.width) * double(p.height));
}

TEST(IconPictures, EverySizeIsDrawnAtItsSizeWithTheWholeDrawing)
{
    const auto list = pictures();
    ASSERT_EQ(list.size(), 2u);
    for (const auto& [size, path] : list) {
        SCOPED_TRACE(path);
        const Picture p = read_png(path);
        ASSERT_EQ(p.width, size);
        ASSERT_EQ(p.height, size);
        // The background, the mass, the ceiling and the spring (a thin line:
        // a smaller share, its pixels blended at the edges).
        EXPECT_GT(share_of(p, {237, 242, 250}, 3), 0.4);
        EXPECT_GT(share_of(p, {33, 84, 184}, 3), 0.08);
        EXPECT_GT(share_of(p, {77, 82, 97}, 3), 0.015);
        EXPECT_GT(share_of(p, {204, 26, 26}, 40), 0.01);
    }
}

TEST(IconPictures, SmallIsTheLargeScaledDown)
{
    const auto list = pictures();
    ASSERT_EQ(list.size(), 2u);
    const Picture small = read_png(list[0].second);
    const Picture large = read_png(list[1].second);
    ASSERT_EQ(small.width, 48);
    ASSERT_EQ(large.width, 256);
    const double ratio = double(large.width) / double(small.width);
    double total = 0.0;
    int far_off = 0;  // channels off by more than a fifth of their range
    for (int y = 0; y < small.height; ++y) {
        for (int x = 0; x < small.width; ++x) {
            std::array<double, 3> mean{0.0, 0.0, 0.0};
            double weights = 0.0;
            const double x0 = x * ratio;
            const double y0 = y * ratio;
            for (int ly = int(y0); ly < int(std::ceil(y0 + ratio)); ++ly) {
                const double wy = std::min(ly + 1.0, y0 + ratio) - std::max(double(ly), y0);
                for (int lx = int(x0); lx < int(std::ceil(x0 + ratio)); ++lx) {
                    const double w = wy * (std::min(lx + 1.0, x0 + ratio) - std::max(double(lx), x0));
                    const auto c = large.at(lx, ly);
                    for (int k = 0; k < 3; ++k) mean[k] += w * c[k];
                    weights += w;
                }
            }
            const auto c = small.at(x, y);
            for (int k = 0; k < 3; ++k) {
                const double d = std::abs(c[k] - mean[k] / weights);
                total += d;
                if (d > 51.0) ++far_off;
            }
        }
    }
    const double average = total / (48.0 * 48.0 * 3.0);
    RecordProperty("mean_difference", std::to_string(average));
    EXPECT_LT(average, 3.0);
    // The spring's thin slanted lines round to whole pixels apart at the two
    // sizes: some of its edge pixels may differ (under 2 %), nothing else.
    EXPECT_LT(far_off, 48 * 48 * 3 / 50) << "mean " << average;
}

}  // namespace
