#include "common/numbers.h"
#include "files/sample_definitions.h"
#include "files/sample_files.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace zelkora {
namespace {

std::size_t characters(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char byte) { return (byte & 0xC0) != 0x80; }));
}

bool isOneOf(std::string_view text, auto values) {
    return std::find(values.begin(), values.end(), text) != values.end();
}

// The checks pages 1 and 2 make on Next, applied to a sample's condition displays.
void expectConditionPasses(const SampleDefinition& sample, const ConditionSpec& condition) {
    const std::string text = sample.condition(condition.field);
    SCOPED_TRACE(std::string(fieldName(condition.field)) + " = " + text);
    switch (condition.allowed) {
    case AllowedKind::NonEmptyText:
        EXPECT_FALSE(text.empty());
        EXPECT_LE(characters(text), static_cast<std::size_t>(condition.maxLength));
        break;
    case AllowedKind::YesNo:
        EXPECT_TRUE(text == kYes || text == kNo);
        break;
    case AllowedKind::Number: {
        double value = readNumber(text);
        if (condition.field == Field::条件_投資上限日) {
            value = static_cast<double>(static_cast<float>(value)); // compared in single precision
        }
        if (condition.field != Field::条件_リミッター数 ||
            sample.condition(Field::条件_リミッター) == kYes) {
            EXPECT_TRUE(condition.range.contains(value));
        }
        break;
    }
    }
}

// Page 2's schedule rule: only "0", "1", "2", and the played slots form one non-empty run.
bool isValidSchedule(std::string_view schedule) {
    if (schedule.size() != kScheduleSlots ||
        schedule.find_first_not_of("012") != std::string_view::npos) {
        return false;
    }
    const std::size_t first = schedule.find_first_not_of('0');
    const std::size_t last = schedule.find_last_not_of('0');
    return first != std::string_view::npos &&
           schedule.substr(first, last - first + 1).find('0') == std::string_view::npos;
}

TEST(sample_definitions_test, every_sample_passes_the_wizard_validation) {
    const std::vector<SampleDefinition> samples = sampleDefinitions();
    ASSERT_EQ(samples.size(), kSampleNames.size());
    for (std::size_t index = 0; index < samples.size(); ++index) {
        const SampleDefinition& sample = samples[index];
        SCOPED_TRACE(sample.name);
        EXPECT_EQ(sample.name, kSampleNames[index]);
        for (const ConditionSpec& condition : kBasicConditions) {
            expectConditionPasses(sample, condition);
        }
        for (const ConditionSpec& condition : kTimeConditions) {
            expectConditionPasses(sample, condition);
        }
        expectConditionPasses(sample, kSymbolCountCondition);
        EXPECT_EQ(readNumber(sample.condition(Field::条件_絵柄数)),
                  static_cast<double>(sample.symbols.size()));
        EXPECT_EQ(sample.condition(Field::条件_TS),
                  serviceTimeRuleText(sample.program.serviceTimeRule));
        EXPECT_TRUE(isValidSchedule(sample.program.playSchedule));
        const std::string& digits = sample.program.ruleOptionDigits;
        ASSERT_EQ(digits.size(), 4U);
        EXPECT_TRUE(digits[0] >= '1' && digits[0] <= '3');
        for (std::size_t digit = 1; digit < 4; ++digit) {
            EXPECT_TRUE(digits[digit] == '1' || digits[digit] == '2');
        }
    }
}

// Page 3's cell checks; the names must also be told apart, as a rebuild finds a hit's symbol
// by its name.
TEST(sample_definitions_test, every_symbol_row_passes_the_symbol_page_checks) {
    for (const SampleDefinition& sample : sampleDefinitions()) {
        std::set<std::string> names;
        for (const SymbolRow& row : sample.symbols) {
            SCOPED_TRACE(sample.name + " / " + row.name);
            EXPECT_GE(characters(row.name), 1U);
            EXPECT_LE(characters(row.name), static_cast<std::size_t>(kMaxSymbolNameLength));
            EXPECT_TRUE(names.insert(row.name).second);
            EXPECT_TRUE(isOneOf(row.kind, kSymbolKinds));
            EXPECT_GE(readNumber(row.shortTimeSpins), 0);
            EXPECT_TRUE(isOneOf(row.rule, kSymbolRules));
            EXPECT_GT(readNumber(row.payout), 0);
        }
    }
}

TEST(sample_definitions_test, sample_names_are_short_distinct_and_safe_as_file_names) {
    std::set<std::string_view> names(kSampleNames.begin(), kSampleNames.end());
    EXPECT_EQ(names.size(), kSampleNames.size());
    for (std::string_view name : kSampleNames) {
        EXPECT_LE(characters(name), 25U);
        EXPECT_EQ(name.find_first_of("/\\:*?\"<>|"), std::string_view::npos);
    }
}

} // namespace
} // namespace zelkora
