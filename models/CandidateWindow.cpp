#include "models/CandidateWindow.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

int CandidateWindowHalfWidth(float target) {
    if (std::isnan(target)) return 0;
    if (target <= 3.0f) return 5;
    if (target <= 5.0f) return 10;
    return 25;
}

void SelectCandidateWindow(const std::vector<int>& zones, const std::vector<double>& values,
                           std::vector<int>& selection, float target) {
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(zones.size());
    if (n == 0) {
        // Nothing to choose from: an empty window rather than a negative size.
        selection.clear();
        return;
    }
    const std::ptrdiff_t halfWidth = CandidateWindowHalfWidth(target);
    const std::ptrdiff_t step = halfWidth <= 10 ? 2 : 5;
    const double limit = static_cast<double>(target);
    const std::ptrdiff_t valueCount = static_cast<std::ptrdiff_t>(values.size());

    // When the step carries the scan past the end without a stop, the last
    // position (the largest value) is the centre.
    std::ptrdiff_t centre = n - 1;
    for (std::ptrdiff_t p = 0; p < n; p += step) {
        const bool above = p < valueCount && values[static_cast<std::size_t>(p)] > limit;
        if (above || p == n - 1) {
            centre = p;
            break;
        }
    }

    const std::ptrdiff_t extent = std::min({halfWidth, centre, n - 1 - centre});
    const auto first = zones.begin() + (centre - extent);
    const auto last = zones.begin() + (centre + extent + 1);
    selection.assign(first, last);
}
