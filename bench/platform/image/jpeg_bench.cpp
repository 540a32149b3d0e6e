// The most a JPEG can cost within DecodeJpeg's bounds, for the largest grey picture a button's
// stored settings hold (6.5 Mi pixels, from a bag of 2 MB; a colour one takes the same blocks
// subsampled and is refused for its memory unsubsampled). Budget: under 1 s for each file,
// decoded or refused.
//   - DC scans, which cost the most time for each unit of work;
//   - full-band refinement scans, the costliest scans;
// each repeated up to the scan limit, so that the decode is refused at the work allowance. The
// files are arithmetic-coded, with scans that carry no data, and padded with comments to 2 MB.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "platform/image/image.h"

namespace platform {
namespace {

constexpr uint16_t kSide = 2552;  // 6.5 Mi pixels
constexpr int64_t kBagPixels = (int64_t{6} << 20) + (2000000 / 8);
constexpr size_t kFileSize = 2000000;

struct Scan {
    uint8_t ss, se, ah, al;
};

void Append(std::vector<uint8_t>& file, std::initializer_list<uint8_t> bytes) {
    file.insert(file.end(), bytes);
}

// A grey picture: a first DC scan, then `repeated` for as long as the scan limit allows.
std::vector<uint8_t> HostileFile(const std::vector<Scan>& repeated) {
    std::vector<uint8_t> file{0xFF, 0xD8, 0xFF, 0xDB, 0, 67, 0};
    file.resize(file.size() + 64, 1);
    // Comments first, leaving room for the frame and the scans.
    for (size_t left = kFileSize - kMaxJpegScans * 10; left >= 4 + 65000; left -= 4 + 65000) {
        Append(file, {0xFF, 0xFE, 65002 >> 8, 65002 & 0xFF});
        file.resize(file.size() + 65000);
    }
    Append(file, {0xFF, 0xCA, 0, 11, 8, kSide >> 8, kSide & 0xFF, kSide >> 8, kSide & 0xFF, 1});
    Append(file, {1, 0x11, 0});
    std::vector<Scan> scans{{0, 0, 0, 0}};
    while (scans.size() + repeated.size() <= static_cast<size_t>(kMaxJpegScans))
        scans.insert(scans.end(), repeated.begin(), repeated.end());
    for (const Scan& s : scans)
        Append(file,
               {0xFF, 0xDA, 0, 8, 1, 1, 0, s.ss, s.se, static_cast<uint8_t>(s.ah << 4 | s.al)});
    Append(file, {0xFF, 0xD9});
    return file;
}

void BM_DecodeHostileJpeg(benchmark::State& state, std::vector<Scan> repeated) {
    const std::vector<uint8_t> file = HostileFile(repeated);
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeJpeg(file, kBagPixels));
}
BENCHMARK_CAPTURE(BM_DecodeHostileJpeg, DcScans, std::vector<Scan>{{0, 0, 0, 0}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DecodeHostileJpeg, RefinementScans,
                  std::vector<Scan>{{1, 63, 0, 1}, {1, 63, 1, 0}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace platform
