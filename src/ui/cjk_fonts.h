#pragma once

#include <QString>

namespace zelkora::ui {

// Japanese text in the platform's CJK font: the application font gets a CJK family where the
// default has none, and the charts' design font "ＭＳ ゴシック" maps to an installed CJK font
// when it is absent. Returns the CJK family chosen (empty when none is installed).
QString installCjkFonts();

} // namespace zelkora::ui
