#pragma once

#include <cstdint>
#include <vector>

// The source pixels and weights of every output pixel of one axis of a separable resize:
// output i = sum over k < count[i] of weights[offset[i] + k] * source[first[i] + k].
template <typename Weight> struct Taps {
    std::vector<int32_t> first;
    std::vector<int32_t> count;
    std::vector<size_t> offset;
    std::vector<Weight> weights;

    void add(int32_t firstSource, const std::vector<Weight>& w) {
        first.push_back(firstSource);
        count.push_back(int32_t(w.size()));
        offset.push_back(weights.size());
        weights.insert(weights.end(), w.begin(), w.end());
    }
};
