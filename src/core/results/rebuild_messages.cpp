#include "results/rebuild_messages.h"

#include <string>

namespace zelkora {

Message rebuildQuestion(std::int32_t count) {
    return {"条件、絵柄データはロードされました。　大当りデータが　" + std::to_string(count) +
                "件あります。ロードして検証データを再構築しますか？",
            "ロードの確認", MessageIcon::Question, MessageButtons::YesNo};
}

Message rebuildFailedMessage(std::string_view reason) {
    return {"大当りデータを最後まで読み込めませんでした。" + std::string(reason) +
                "　ここまでの検証データを表示しています。",
            "確認", MessageIcon::Critical, MessageButtons::Ok};
}

} // namespace zelkora
