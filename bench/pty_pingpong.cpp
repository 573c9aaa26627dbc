// The machine's own floor for the board link (see PtyFloor.h), hot and paced:
// the median, 90th percentile and mean turn-around of a one-byte request and
// of a 54-byte frame. The 30-record write makes 60 such turn-arounds
// (attention byte and answer, frame and acknowledge), so 30 times the two
// means is what any program on this machine loses beside the 148 ms on the
// wire; bench_board_link prints ours beside it. `--load N` keeps N threads
// busy meanwhile.
#include "Median.h"
#include "PtyFloor.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>

int main(int argc, char** argv) {
    const int load = argc > 2 && std::strcmp(argv[1], "--load") == 0 ? std::atoi(argv[2]) : 0;
    ptyfloor::BusyThreads busy(load);
    for (const bool paced : {false, true}) {
        const int rounds = paced ? 600 : 4000;
        double means[2] = {0, 0};
        std::printf("pseudo-terminal turn-around, two threads and poll(), %s%s, %d busy "
                    "threads:\n",
                    paced ? "paced" : "hot", paced ? " (beyond the wire time)" : "", load);
        for (int k = 0; k < 2; ++k) {
            const size_t bytes = k == 0 ? 1 : 54;
            std::vector<double> us =
                ptyfloor::pingPong(bytes, paced ? rounds / (1 + k) : rounds, paced);
            if (us.empty()) {
                std::fprintf(stderr, "no pseudo-terminal\n");
                return 1;
            }
            means[k] = std::accumulate(us.begin(), us.end(), 0.0) / double(us.size());
            std::sort(us.begin(), us.end());
            std::printf("  %2zu-byte request: median %.1f us, p90 %.1f, mean %.1f\n", bytes,
                        median(us), us[us.size() * 9 / 10], means[k]);
        }
        constexpr double kWireMs = 148.4;
        const double floorMs = 30 * (means[0] + means[1]) / 1000;
        std::printf("  30-record write: the machine's floor is %.1f ms of turn-arounds beside "
                    "%.1f ms on the wire, ratio %.3f\n",
                    floorMs, kWireMs, (kWireMs + floorMs) / kWireMs);
    }
    return 0;
}
