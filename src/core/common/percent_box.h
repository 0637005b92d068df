#pragma once

#include "common/field_store.h"

#include <limits>
#include <string>

namespace zelkora {

// A percentage box and the value it was last given. Late in a long verification most shares
// no longer change from one first hit to the next, so an unchanged value is neither formatted
// nor written again; the box's text is still compared, so a box written by anyone else is
// put right.
class PercentBox {
public:
    // Shows `value` as appendText makes it, followed by "%".
    template <typename AppendText>
    void show(FieldStore& fields, Field field, double value, AppendText appendText) {
        if (!(value == value_)) {
            text_.clear();
            appendText(text_);
            text_ += '%';
            value_ = value;
        }
        if (fields.text(field) != text_) {
            fields.setText(field, text_);
        }
    }

private:
    double value_ = std::numeric_limits<double>::quiet_NaN();
    std::string text_;
};

} // namespace zelkora
