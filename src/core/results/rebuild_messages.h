#pragma once

#include "platform/platform.h"

#include <cstdint>

namespace zelkora {

// "ロードの確認": whether to replay the `count` result records of the opened verification.
Message rebuildQuestion(std::int32_t count);

} // namespace zelkora
