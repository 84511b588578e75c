// The part of a record that is a free decay: from the release to where the
// oscillation sinks into the noise, with the record's offset (a rest
// position, gravity in an acceleration) and its peaks and troughs.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace vibsim::identify {

// A peak or a trough, located between samples.
struct Extremum {
    double t = 0.0;
    double y = 0.0;
    std::size_t sample = 0;  // the sample nearest to it
};

// Why a record holds no decaying oscillation.
enum class NoDecay {
    no_oscillation,  // fewer than two cycles stand out of the noise
    growing,         // the oscillation does not die away
    irregular,       // the half-cycles are too uneven to be one oscillation
    fit_failed,      // the least-squares fit found no decay near the decrement's
};

struct DecaySpan {
    std::size_t begin = 0;  // the samples [begin, end) analysed
    std::size_t end = 0;
    double offset = 0.0;    // the middle level, a first estimate
    double noise = 0.0;     // the noise's standard deviation, estimated
    // Alternating peaks and troughs in [begin, end), each pair of neighbours
    // standing well out of the noise.
    std::vector<Extremum> extrema;
    std::optional<NoDecay> none;  // set when there is no decay to analyse
};

// The noise's standard deviation estimated from each sample's departure from
// the line through its two neighbours (their median, for a normal noise),
// which a smooth oscillation hardly changes.
double noise_level(std::span<const double> t, std::span<const double> y);

// The decay in the record (t strictly increasing, as many values in y): a
// rest before the release is skipped, and the end is where the peak-to-
// trough height falls into the noise. With [first, last) given (sample
// numbers), only those samples are looked at.
DecaySpan find_decay(std::span<const double> t, std::span<const double> y);
DecaySpan find_decay(std::span<const double> t, std::span<const double> y, std::size_t first,
                     std::size_t last);

}  // namespace vibsim::identify
