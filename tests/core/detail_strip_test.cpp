#include "common/error.h"
#include "results/detail_strip.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

TEST(DetailStripTest, TakesTrimmedTextsAndPlainNumbers) {
    FieldStore fields;
    const ResultColumns columns{" 2 ",    "0120", "1e1",   "-0", "した ", " ７",
                                "無制限", "確変", "10.50", "0",  "3"};
    writeDetailStrip(fields, columns);
    EXPECT_EQ(fields.text(Field::c大当り詳細_回転数), "120");
    EXPECT_EQ(fields.text(Field::c大当り詳細_時短回転数), "10");
    EXPECT_EQ(fields.text(Field::c大当り詳細_投資額F), "0");
    EXPECT_EQ(fields.text(Field::c大当り詳細_大当り), "した");
    EXPECT_EQ(fields.text(Field::c大当り詳細_当絵柄), "７");
    EXPECT_EQ(fields.text(Field::c大当り詳細_持玉数F), "10.5");
    for (const char* bad : {"", "12abc", "-", "1.2.3", "inf"}) {
        ResultColumns broken = columns;
        broken[1] = bad;
        EXPECT_THROW(writeDetailStrip(fields, broken), Fault) << bad;
    }
}

} // namespace
} // namespace zelkora
