#pragma once

#include <algorithm>
#include <vector>

// The middle value of a run of timings (the upper middle for an even count).
inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
