#include "model/field_alignment.h"

namespace zelkora {
namespace {

bool isDistributionBox(Field field) {
    return (field >= Field::回転数1r && field <= Field::回転数9t) ||
           (field >= Field::連荘1r && field <= Field::連荘11r);
}

// Fields that show words rather than numbers, and the figures kept to the left as the name is.
bool isLeftAligned(Field field) {
    switch (field) {
    case Field::条件_名前:
    case Field::確率表示:
    case Field::初当たり確率表示:
    case Field::条件_リミッター:
    case Field::条件_出玉を両替:
    case Field::条件_TS:
    case Field::c大当り詳細_大当り:
    case Field::c大当り詳細_当絵柄:
    case Field::c大当り詳細_ルール:
    case Field::c大当り詳細_状態:
        return true;
    default:
        return field >= Field::EXP;
    }
}

} // namespace

FieldAlignment fieldAlignment(Field field) {
    if (isDistributionBox(field)) {
        return FieldAlignment::Centre;
    }
    return isLeftAligned(field) ? FieldAlignment::Left : FieldAlignment::Right;
}

} // namespace zelkora
