#include "machines/machine.h"

#include <algorithm>

namespace zelkora::machines {

const State* Machine::state(std::string_view stateName) const {
    const auto found = std::ranges::find(states, stateName, &State::name);
    return found == states.end() ? nullptr : &*found;
}

const AllocationTable* Machine::table(std::string_view tableName) const {
    const auto found = std::ranges::find(tables, tableName, &AllocationTable::name);
    return found == tables.end() ? nullptr : &*found;
}

} // namespace zelkora::machines
