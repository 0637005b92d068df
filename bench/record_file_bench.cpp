#include "files/fixed_length_file.h"
#include "files/record_layouts.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace zelkora {
namespace {

constexpr int kResultRecords = 200000;

// The benchmark measures nothing useful on a file it could not write or read.
void require(bool done) {
    if (!done) {
        throw std::runtime_error("the benchmark's record file failed");
    }
}

// A working copy with many result records, shaped like a long run's: mostly Japanese texts in
// columns 5 to 8, numbers elsewhere.
std::filesystem::path writeLongRun() {
    auto path = std::filesystem::temp_directory_path() / "zelkora-bench-results.pac";
    RecordFile file(kVerificationRecordLength);
    require(file.open(path).ok());
    for (int index = 1; index <= kResultRecords; ++index) {
        const ResultRecord record{{std::to_string(index / 40 + 1), std::to_string(index % 700), "0",
                                   std::to_string(index * 500 % 20000), "した", "７", "ラッキー",
                                   "確変", std::to_string(index % 5000), "0",
                                   std::to_string(index % 9)}};
        require(file.write(kFirstResultRecord + index - 1, buildResultRecord(record)).ok());
    }
    require(file.close().ok());
    return path;
}

// The rebuild's inner loop: read, decode, split and convert every result record in order.
void BM_ReadResultRecords(benchmark::State& state) {
    auto path = writeLongRun();
    RecordFile file(kVerificationRecordLength);
    std::string text;
    ResultRecord record;
    for (auto _ : state) {
        require(file.open(path).ok());
        double total = 0;
        for (int index = 0; index < kResultRecords; ++index) {
            require(file.readInto(kFirstResultRecord + index, text).ok());
            parseResultRecord(text, record);
            total += resultNumbers(record)->heldBalls;
        }
        require(file.close().ok());
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kResultRecords);
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadResultRecords)->Unit(benchmark::kMillisecond);

void BM_DecodeRecord(benchmark::State& state) {
    Cp932Codec codec;
    const std::string bytes =
        codec
            .encode(buildResultRecord(
                {{"1", "250", "0", "12500", "した", "７", "ラッキー", "確変", "1234", "0", "1"}}))
            .bytes;
    std::string text;
    for (auto _ : state) {
        benchmark::DoNotOptimize(codec.decodeInto(bytes, text));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecodeRecord);

} // namespace
} // namespace zelkora
