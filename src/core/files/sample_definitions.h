#pragma once

#include "common/field_id.h"
#include "conditions/condition_set.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zelkora {

// One of the five sample verifications the program ships: the conditions as the wizard would
// publish them, and the seed of the run the sample generator plays to fill in its results.
struct SampleDefinition {
    std::string name; // 条件_名前, and the file name without ".pac"
    std::vector<std::pair<Field, std::string>> conditions; // condition displays (条件_…)
    ProgramValues program;
    std::vector<SymbolRow> symbols;
    std::uint64_t seed = 0;

    // The text of a condition display; empty when the sample does not set it.
    std::string condition(Field field) const;
};

// In the order of kSampleNames.
std::vector<SampleDefinition> sampleDefinitions();

} // namespace zelkora
