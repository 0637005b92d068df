#include "results/rebuild_messages.h"

#include <string>

namespace zelkora {

Message rebuildQuestion(std::int32_t count) {
    return {"条件、絵柄データはロードされました。　大当りデータが　" + std::to_string(count) +
                "件あります。ロードして検証データを再構築しますか？",
            "ロードの確認", MessageIcon::Question, MessageButtons::YesNo};
}

} // namespace zelkora
