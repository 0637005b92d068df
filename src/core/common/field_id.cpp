#include "common/field_id.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace zelkora {
namespace {

constexpr std::array<std::string_view, kFieldCount> kFieldNames = {
#define ZELKORA_FIELD_NAME(name) std::string_view(#name),
    ZELKORA_FIELDS(ZELKORA_FIELD_NAME)
#undef ZELKORA_FIELD_NAME
};

Field offset(Field first, int number) {
    return static_cast<Field>(fieldIndex(first) + static_cast<std::size_t>(number - 1));
}

} // namespace

std::string_view fieldName(Field field) {
    return kFieldNames[fieldIndex(field)];
}

std::optional<Field> fieldByName(std::string_view name) {
    const auto found = std::find(kFieldNames.begin(), kFieldNames.end(), name);
    if (found == kFieldNames.end()) {
        return std::nullopt;
    }
    return static_cast<Field>(found - kFieldNames.begin());
}

Field spinShareField(int bucket) {
    assert(bucket >= 1 && bucket <= 9);
    return offset(Field::回転数1r, bucket);
}

Field spinCumulativeField(int bucket) {
    assert(bucket >= 1 && bucket <= 9);
    return offset(Field::回転数1t, bucket);
}

Field streakShareField(int bucket) {
    assert(bucket >= 1 && bucket <= 11);
    return offset(Field::連荘1r, bucket);
}

Field progressBarField(int number) {
    assert(number >= 1 && number <= 15);
    return offset(Field::ProgressBar1, number);
}

} // namespace zelkora
