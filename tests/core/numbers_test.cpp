#include "common/numbers.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

TEST(numbers_test, placeholder) {
    EXPECT_EQ(plainText(12), "12");
}

} // namespace
} // namespace zelkora
