#include "common/numbers.h"
#include "results/share_text.h"

#include <gtest/gtest.h>
#include <vector>

namespace zelkora {
namespace {

// The shortcut must agree with the general pattern code on every value, ties included.
void expectSameAsPatterns(double percent) {
    const Share share = roundShare(percent);
    EXPECT_EQ(share.value, patternValue(percent, Pattern::TwoDecimals)) << percent;
    std::string shareText;
    appendShareText(shareText, share);
    EXPECT_EQ(shareText, plainText(share.value)) << percent;
    std::string cumulativeText;
    appendCumulativeText(cumulativeText, percent);
    EXPECT_EQ(cumulativeText, formatPattern(percent, Pattern::OneDecimal)) << percent;
}

TEST(ShareTextTest, AgreesWithThePatternsOnRatiosOfCounts) {
    for (int total = 1; total <= 400; ++total) {
        for (int count = 0; count <= total; ++count) {
            expectSameAsPatterns(static_cast<double>(count) / total * 100);
        }
    }
}

TEST(ShareTextTest, AgreesWithThePatternsAtTiesAndSums) {
    const std::vector<double> values{0,         0.005, 0.015, 0.125,  12.345, 12.355,
                                     1.005,     0.05,  0.25,  99.995, 99.95,  100,
                                     33.33 * 3, 66.66, 250.5, 0.0049, 1e5,    12345.675};
    for (double value : values) {
        expectSameAsPatterns(value);
    }
    double cumulative = 0;
    for (int bucket = 0; bucket < 9; ++bucket) {
        cumulative += roundShare(100.0 / 9).value;
        expectSameAsPatterns(cumulative);
    }
}

} // namespace
} // namespace zelkora
