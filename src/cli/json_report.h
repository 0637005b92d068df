#pragma once

#include "common/field_store.h"

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

namespace zelkora::cli {

// The figures of the reports below as (field name, text) pairs, in report order.
std::vector<std::pair<std::string_view, std::string>> reportedFigures(const FieldStore& fields);

// One JSON object: the final text of every figure the run shows (the overall figures, the
// held-ball ratio, the time-saving spins and the two distributions' percent boxes) keyed by
// field name, and "records", the number of result records.
std::string jsonReport(const FieldStore& fields, std::int32_t resultRecords);

// The same figures for a person: the verification's name, then one "name  text" line per
// figure, the distributions' boxes on one line each.
std::string textReport(const FieldStore& fields, std::int32_t resultRecords);

// The JSON on one line with its members in insertion order, and a line end.
std::string dumpJson(const nlohmann::ordered_json& json);

} // namespace zelkora::cli
