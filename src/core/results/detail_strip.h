#pragma once

#include "common/field_store.h"
#include "files/column_codec.h"

#include <bitset>

namespace zelkora {

// One stored result record: its eleven columns in record order (日目, 回転数, 時短回転数, 投資額,
// 大当り, 当絵柄, ルール, 状態, 持玉数, 交換玉数, 連荘), as split from the record text.
using ResultColumns = ColumnValues;

// Which columns of a record the detail strip shows just as the record holds them (trimmed).
using ShownAsStored = std::bitset<kRecordColumnCount>;

// Writes a record into the big-hit detail strip: number columns as plain number text, text
// columns trimmed. A number column that does not hold a number ends the procedure (a Fault
// with NotANumber naming the column), so a damaged record never counts as zeros. Returns the
// columns whose field shows the trimmed column itself: the texts, and the numbers written as
// their plain text ("0", "-25"; not "007" or "2.50").
ShownAsStored writeDetailStrip(FieldStore& fields, const ResultColumns& columns);

} // namespace zelkora
