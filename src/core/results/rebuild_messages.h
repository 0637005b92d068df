#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <string_view>

namespace zelkora {

// "ロードの確認": whether to replay the `count` result records of the opened verification.
Message rebuildQuestion(std::int32_t count);
// The replay stopped at a bad record; `reason` names the record and what is wrong with it.
Message rebuildFailedMessage(std::string_view reason);

} // namespace zelkora
