#include "common/numbers.h"
#include "conditions/condition_set.h"

#include <gtest/gtest.h>
#include <set>

namespace zelkora {
namespace {

TEST(condition_set_test, a_new_verification_has_the_page_defaults) {
    std::vector<std::string_view> defaults;
    for (const ConditionSpec& condition : kBasicConditions) {
        defaults.push_back(condition.defaultText);
    }
    EXPECT_EQ(defaults, (std::vector<std::string_view>{"新しい検証", "316", "5", "いいえ", "256",
                                                       "40", "50", "27", "20000", "はい", "500"}));
    EXPECT_EQ(kTimeConditions[0].defaultText, "10");
    EXPECT_EQ(kTimeConditions[1].defaultText, "6");
    EXPECT_EQ(kTimeConditions[2].defaultText, "100");
}

TEST(condition_set_test, every_default_lies_in_its_own_range) {
    for (const ConditionSpec& condition : kBasicConditions) {
        switch (condition.allowed) {
        case AllowedKind::NonEmptyText:
            EXPECT_FALSE(condition.defaultText.empty());
            break;
        case AllowedKind::YesNo:
            EXPECT_TRUE(condition.defaultText == kYes || condition.defaultText == kNo);
            break;
        case AllowedKind::Number:
            EXPECT_TRUE(condition.range.contains(readNumber(condition.defaultText)))
                << condition.pageControl;
            break;
        }
    }
}

TEST(condition_set_test, range_edges_match_the_page_checks) {
    const NumberRange exchange = findCondition(Field::条件_両替率)->range;
    EXPECT_FALSE(exchange.contains(24));
    EXPECT_TRUE(exchange.contains(25));
    EXPECT_TRUE(exchange.contains(100));
    EXPECT_FALSE(findCondition(Field::条件_回転数1000円)->range.contains(0));
    EXPECT_FALSE(findCondition(Field::条件_時間比率)->range.contains(0));
    EXPECT_TRUE(findCondition(Field::条件_時間比率)->range.contains(100));
    EXPECT_TRUE(kSymbolCountCondition.range.contains(50));
    EXPECT_FALSE(kSymbolCountCondition.range.contains(51));
    EXPECT_FALSE(kSymbolCountCondition.range.contains(0));
    EXPECT_EQ(findCondition(Field::総回転数表示), nullptr);
}

TEST(condition_set_test, file_columns_are_distinct_and_in_the_condition_records) {
    std::set<std::pair<int, int>> used;
    for (const auto* table : {&kBasicConditions}) {
        for (const ConditionSpec& condition : *table) {
            EXPECT_TRUE(
                used.insert({condition.fileColumn.record, condition.fileColumn.column}).second);
        }
    }
    for (const ConditionSpec& condition : kTimeConditions) {
        EXPECT_EQ(condition.fileColumn.record, kTimeConditionRecord);
        EXPECT_TRUE(used.insert({condition.fileColumn.record, condition.fileColumn.column}).second);
    }
    EXPECT_TRUE(used.insert({kSymbolCountCondition.fileColumn.record, 4}).second);
    EXPECT_EQ(findCondition(Field::条件_投資単位)->fileColumn.record, kTimeConditionRecord);
    EXPECT_EQ(findCondition(Field::条件_名前)->fileColumn.column, kTailColumn);
}

TEST(condition_set_test, program_values_and_symbols_start_at_their_defaults) {
    const ProgramValues values;
    EXPECT_EQ(values.playSchedule, "02111211100000");
    EXPECT_EQ(values.serviceTimeRule, 0);
    EXPECT_EQ(values.ruleOptionDigits, "1122");
    const std::vector<SymbolRow> symbols = defaultSymbolTable();
    ASSERT_EQ(symbols.size(), 2U);
    EXPECT_EQ(symbols[1], (SymbolRow{"2", "通常", "0", "通常時交換", "2100"}));
    EXPECT_EQ(defaultSymbolRow(4).name, "4");
}

TEST(condition_set_test, slot_colours_and_service_time_texts) {
    EXPECT_EQ(slotColour('0'), 0x80000000U);
    EXPECT_EQ(slotColour('1'), 33023U);
    EXPECT_EQ(slotColour('2'), 192U);
    EXPECT_EQ(slotColour('3'), 0U);
    EXPECT_EQ(serviceTimeRuleText(1), "時間内無制限");
    EXPECT_EQ(serviceTimeRuleText(3), "");
}

TEST(condition_set_test, rule_option_groups_match_the_default_digits) {
    ASSERT_EQ(kRuleOptionGroups.size(), 4U);
    for (std::size_t group = 0; group < kRuleOptionGroups.size(); ++group) {
        const char digit = kDefaultRuleOptionDigits[group];
        bool found = false;
        for (const RuleOption& option : kRuleOptionGroups[group].options) {
            found = found || option.digit == digit;
        }
        EXPECT_TRUE(found) << group;
    }
    EXPECT_EQ(kRuleOptionGroups[0].options[2].control, "Option13");
}

} // namespace
} // namespace zelkora
