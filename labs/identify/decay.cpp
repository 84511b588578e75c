// Finding a free decay in a record. Half-cycles are told apart by crossings
// of the middle level with a hysteresis of a few noise deviations (a Schmitt
// trigger), so that noise does not split them; each extremum is the vertex
// of a least-squares parabola through the samples around the largest one, a
// third of a half-cycle on each side (at least one: with three samples, the
// parabola through them). The parabola misses the peak of a cosine by the
// same share at every extremum, which cancels in the ratios of heights and
// the differences of times, while its noise shrinks with the samples.
#include "identify/decay.hpp"

#include <algorithm>
#include <cmath>

namespace vibsim::identify {

namespace {

// Samples at the start whose middle gives the level of a rest.
constexpr std::size_t rest_samples = 5;
// A departure from the rest level by this many noise deviations, or by this
// share of the record's range, is the release.
constexpr double release_noise_factor = 8.0;
constexpr double release_range_share = 0.02;
// The hysteresis of the crossings, in noise deviations.
constexpr double hysteresis_noise_factor = 4.0;
// Neighbouring extrema closer than this many noise deviations are noise.
constexpr double height_noise_factor = 12.0;
// Half-cycles more uneven than this (their deviation over their mean) are
// not one oscillation.
constexpr double uneven_limit = 0.25;
// The least number of extrema: two cycles.
constexpr std::size_t least_extrema = 4;

double median(std::vector<double> values)
{
    if (values.empty()) return 0.0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The vertex of the least-squares parabola through samples [from, to] of the
// record, or the sample `at` itself where the parabola has no vertex there.
Extremum vertex(std::span<const double> t, std::span<const double> y, std::size_t at, std::size_t from,
                std::size_t to)
{
    Extremum extremum{t[at], y[at], at};
    if (to - from < 2) return extremum;
    // Sums of the powers of tau = (t - t_at) / scale and of y tau^k.
    const double scale = std::max(t[to] - t[at], t[at] - t[from]);
    double s[5] = {0, 0, 0, 0, 0};
    double r[3] = {0, 0, 0};
    for (std::size_t i = from; i <= to; ++i) {
        const double tau = (t[i] - t[at]) / scale;
        double power = 1.0;
        for (int k = 0; k < 5; ++k) {
            s[k] += power;
            if (k < 3) r[k] += power * y[i];
            power *= tau;
        }
    }
    // [s0 s1 s2; s1 s2 s3; s2 s3 s4] (p0 p1 p2) = r, by Cramer's rule.
    auto det3 = [](double a, double b, double c, double d, double e, double f, double g, double h, double i) {
        return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    };
    const double det = det3(s[0], s[1], s[2], s[1], s[2], s[3], s[2], s[3], s[4]);
    if (!(std::fabs(det) > 0.0)) return extremum;
    const double p0 = det3(r[0], s[1], s[2], r[1], s[2], s[3], r[2], s[3], s[4]) / det;
    const double p1 = det3(s[0], r[0], s[2], s[1], r[1], s[3], s[2], r[2], s[4]) / det;
    const double p2 = det3(s[0], s[1], r[0], s[1], s[2], r[1], s[2], s[3], r[2]) / det;
    if (!(std::fabs(p2) > 0.0)) return extremum;
    const double tau = -p1 / (2.0 * p2);
    const double lo = (t[from] - t[at]) / scale;
    const double hi = (t[to] - t[at]) / scale;
    if (!(tau >= lo && tau <= hi)) return extremum;
    extremum.t = t[at] + tau * scale;
    extremum.y = p0 + (p1 + p2 * tau) * tau;
    return extremum;
}

// A half-cycle: the samples [first, last] on one side of the middle, and its
// sample farthest from it.
struct Lobe {
    std::size_t first;
    std::size_t last;
    std::size_t extreme;
};

std::vector<Lobe> lobes(std::span<const double> y, std::size_t begin, std::size_t end, double middle,
                        double hysteresis)
{
    std::vector<Lobe> found;
    int side = 0;
    Lobe lobe{begin, begin, begin};
    for (std::size_t i = begin; i < end; ++i) {
        const double d = y[i] - middle;
        const int now = d > hysteresis ? 1 : d < -hysteresis ? -1 : 0;
        if (now != 0 && now != side) {
            // The lobe before ends where this one starts.
            if (side != 0) {
                lobe.last = i - 1;
                found.push_back(lobe);
            }
            side = now;
            lobe = Lobe{i, i, i};
        }
        if (side != 0 && side * (y[i] - y[lobe.extreme]) > 0.0) lobe.extreme = i;
    }
    // The lobe the record ends in is left out, for the end may cut it; so is
    // the first when its extreme is in its first quarter, which the release
    // cut (a whole lobe has it near its middle).
    if (!found.empty()) {
        const Lobe& lobe = found.front();
        if (4 * (lobe.extreme - lobe.first) < lobe.last - lobe.first) found.erase(found.begin());
    }
    return found;
}

}  // namespace

double noise_level(std::span<const double> t, std::span<const double> y)
{
    const std::size_t n = std::min(t.size(), y.size());
    if (n < 3) return 0.0;
    std::vector<double> departures;
    departures.reserve(n - 2);
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double span = t[i + 1] - t[i - 1];
        const double w = (t[i + 1] - t[i]) / span;
        departures.push_back(std::fabs(y[i] - (w * y[i - 1] + (1.0 - w) * y[i + 1])));
    }
    // For weights w and 1 - w near 1/2 the departure's deviation is
    // sqrt(1.5) times the noise's; a normal's median magnitude is 0.6745 of
    // its deviation.
    return median(std::move(departures)) / (0.6745 * std::sqrt(1.5));
}

DecaySpan find_decay(std::span<const double> t, std::span<const double> y)
{
    return find_decay(t, y, 0, std::min(t.size(), y.size()));
}

DecaySpan find_decay(std::span<const double> t, std::span<const double> y, std::size_t first, std::size_t last)
{
    DecaySpan decay;
    last = std::min({last, t.size(), y.size()});
    decay.none = NoDecay::no_oscillation;
    if (first >= last || last - first < 2 * rest_samples) return decay;
    const std::span<const double> ts = t.subspan(first, last - first);
    const std::span<const double> ys = y.subspan(first, last - first);
    decay.noise = noise_level(ts, ys);

    // The release: the first sample that leaves the rest level.
    const auto [low, high] = std::minmax_element(ys.begin(), ys.end());
    const double range = *high - *low;
    const double rest = median(std::vector<double>(ys.begin(), ys.begin() + rest_samples));
    const double departure = std::max(release_noise_factor * decay.noise, release_range_share * range);
    std::size_t begin = first;
    while (begin < last && !(std::fabs(y[begin] - rest) > departure)) ++begin;
    if (begin == last) return decay;
    decay.begin = begin;
    decay.end = last;
    decay.offset = median(std::vector<double>(y.begin() + static_cast<std::ptrdiff_t>(begin),
                                              y.begin() + static_cast<std::ptrdiff_t>(last)));

    std::vector<Lobe> found = lobes(y, begin, last, decay.offset, hysteresis_noise_factor * decay.noise);
    if (found.size() < least_extrema) return decay;
    std::vector<std::size_t> counts;
    for (const Lobe& lobe : found) counts.push_back(lobe.last - lobe.first + 1);
    std::nth_element(counts.begin(), counts.begin() + static_cast<std::ptrdiff_t>(counts.size() / 2), counts.end());
    const std::size_t half_width = std::max<std::size_t>(1, counts[counts.size() / 2] / 3);

    std::vector<Extremum> extrema;
    for (const Lobe& lobe : found) {
        const std::size_t from = lobe.extreme >= begin + half_width ? lobe.extreme - half_width : begin;
        const std::size_t to = std::min(lobe.extreme + half_width, last - 1);
        extrema.push_back(vertex(t, y, lobe.extreme, from, to));
    }

    // The first run of extrema whose neighbours stand out of the noise.
    const double least_height = height_noise_factor * decay.noise;
    auto stands_out = [&](std::size_t j) { return std::fabs(extrema[j + 1].y - extrema[j].y) >= least_height; };
    std::size_t j0 = 0;
    while (j0 + 1 < extrema.size() && !stands_out(j0)) ++j0;
    std::size_t j1 = j0;
    while (j1 + 1 < extrema.size() && stands_out(j1)) ++j1;
    if (j1 + 1 - j0 < least_extrema || j1 >= extrema.size()) return decay;
    decay.extrema.assign(extrema.begin() + static_cast<std::ptrdiff_t>(j0),
                         extrema.begin() + static_cast<std::ptrdiff_t>(j1 + 1));
    // The span ends a half-cycle after its last extremum, at the last lobe's
    // end at the latest.
    const Lobe& closing = found[std::min(j1 + 1, found.size() - 1)];
    decay.end = std::min(last, closing.last + 1);

    // Half-cycles of one oscillation are about equally long.
    double sum = 0.0;
    double squares = 0.0;
    const std::size_t halves = decay.extrema.size() - 1;
    for (std::size_t j = 0; j < halves; ++j) {
        const double d = decay.extrema[j + 1].t - decay.extrema[j].t;
        sum += d;
        squares += d * d;
    }
    const double mean = sum / static_cast<double>(halves);
    const double spread = std::sqrt(std::max(0.0, squares / static_cast<double>(halves) - mean * mean));
    decay.none = spread > uneven_limit * mean ? std::optional<NoDecay>(NoDecay::irregular) : std::nullopt;
    return decay;
}

}  // namespace vibsim::identify
