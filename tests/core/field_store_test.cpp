#include "common/field_store.h"

#include <gtest/gtest.h>
#include <vector>

namespace zelkora {
namespace {

TEST(field_store_test, names_and_fields_map_both_ways) {
    EXPECT_EQ(fieldName(Field::c大当り詳細_持玉数F), "c大当り詳細_持玉数F");
    EXPECT_EQ(fieldByName("条件_回転数1000円"), Field::条件_回転数1000円);
    EXPECT_EQ(fieldByName("総時短回転数表示"), Field::総時短回転数表示);
    EXPECT_EQ(fieldByName("no such field"), std::nullopt);
    for (std::size_t index = 0; index < kFieldCount; ++index) {
        const auto field = static_cast<Field>(index);
        EXPECT_EQ(fieldByName(fieldName(field)), field);
    }
    EXPECT_EQ(spinShareField(9), Field::回転数9r);
    EXPECT_EQ(spinCumulativeField(1), Field::回転数1t);
    EXPECT_EQ(streakShareField(11), Field::連荘11r);
    EXPECT_EQ(progressBarField(15), Field::ProgressBar15);
}

TEST(field_store_test, an_unwritten_field_is_empty_and_reads_zero) {
    FieldStore store;
    EXPECT_EQ(store.text(Field::総回転数表示), "");
    EXPECT_TRUE(store.isEmpty(Field::総回転数表示));
    EXPECT_EQ(store.number(Field::総回転数表示), 0);
}

TEST(field_store_test, numbers_show_their_plain_text_and_read_back_as_the_text_would) {
    FieldStore store;
    store.setNumber(Field::平均収支表示, -10000.0 / 3);
    EXPECT_EQ(store.text(Field::平均収支表示), "-3333.33333333333");
    EXPECT_EQ(store.number(Field::平均収支表示), readNumber("-3333.33333333333"));

    store.setNumber(Field::c日合計_収支F, 0.1 + 0.2);
    EXPECT_EQ(store.number(Field::c日合計_収支F), 0.3);
    EXPECT_EQ(store.text(Field::c日合計_収支F), "0.3");
}

TEST(field_store_test, pattern_fields_read_back_rounded) {
    FieldStore store;
    store.setPattern(Field::持ち玉比率, 2.675, Pattern::TwoDecimals);
    EXPECT_EQ(store.number(Field::持ち玉比率), 2.68);
    EXPECT_EQ(store.text(Field::持ち玉比率), "2.68");
    store.setPattern(Field::確率表示, 40, Pattern::TwoDecimals);
    EXPECT_EQ(store.text(Field::確率表示), "40.");
    EXPECT_EQ(store.number(Field::確率表示), 40);
    store.setPattern(Field::回転数1t, 0, Pattern::OneDecimal);
    EXPECT_EQ(store.text(Field::回転数1t), ".");
}

TEST(field_store_test, texts_read_as_their_leading_number) {
    FieldStore store;
    store.setText(Field::回転数1r, "12.5%");
    EXPECT_EQ(store.number(Field::回転数1r), 12.5);
    store.setText(Field::c大当り詳細_ルール, "ｻｰﾋﾞｽ　ﾀｲﾑ");
    EXPECT_EQ(store.number(Field::c大当り詳細_ルール), 0);
    EXPECT_EQ(store.text(Field::c大当り詳細_ルール), "ｻｰﾋﾞｽ　ﾀｲﾑ");
}

TEST(field_store_test, a_later_write_replaces_the_kind_of_the_field) {
    FieldStore store;
    store.setPattern(Field::勝率表示, 12.5, Pattern::TwoDecimals);
    store.setText(Field::勝率表示, "0");
    EXPECT_EQ(store.text(Field::勝率表示), "0");
    store.setNumber(Field::勝率表示, 7);
    EXPECT_EQ(store.text(Field::勝率表示), "7");
    store.add(Field::勝率表示, 1.5);
    EXPECT_EQ(store.text(Field::勝率表示), "8.5");
}

TEST(field_store_test, add_works_on_what_the_text_reads_as) {
    FieldStore store;
    store.setText(Field::c日合計_回転数, "41 spins");
    store.add(Field::c日合計_回転数, 1);
    EXPECT_EQ(store.text(Field::c日合計_回転数), "42");
    store.setPattern(Field::確率表示, 0.125, Pattern::TwoDecimals); // shows ".13"
    store.add(Field::確率表示, 1);
    EXPECT_EQ(store.text(Field::確率表示), "1.13");
}

TEST(field_store_test, changes_are_tracked_until_cleared) {
    FieldStore store;
    store.setNumber(Field::総回転数表示, 1);
    store.setText(Field::EXP, "ゼルコラにようこそ");
    store.add(Field::総回転数表示, 1);
    std::vector<Field> changed;
    store.forEachChanged([&](Field field) { changed.push_back(field); });
    EXPECT_EQ(changed, (std::vector<Field>{Field::総回転数表示, Field::EXP}));
    EXPECT_TRUE(store.changed(Field::EXP));
    store.clearChanged();
    EXPECT_FALSE(store.changed(Field::EXP));
    changed.clear();
    store.forEachChanged([&](Field field) { changed.push_back(field); });
    EXPECT_TRUE(changed.empty());
}

} // namespace
} // namespace zelkora
