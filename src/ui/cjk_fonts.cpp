#include "cjk_fonts.h"

#include "chart_views.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace zelkora::ui {
namespace {

QString installedCjkFamily() {
    const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& preferred :
         {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
          QStringLiteral("IPAGothic"), QStringLiteral("VL Gothic"),
          QStringLiteral("Droid Sans Fallback")}) {
        if (families.contains(preferred)) {
            return preferred;
        }
    }
    return families.isEmpty() ? QString() : families.constFirst();
}

} // namespace

QString installCjkFonts() {
    QString cjk = installedCjkFamily();
    if (cjk.isEmpty()) {
        return cjk;
    }
    const QString design = QString::fromUtf8(kChartFontFamily);
    if (!QFontDatabase::families().contains(design)) {
        QFont::insertSubstitution(design, cjk);
    }
    QFont font = QApplication::font();
    if (!QFontDatabase::families(QFontDatabase::Japanese).contains(font.family())) {
        font.setFamilies({font.family(), cjk});
        QApplication::setFont(font);
    }
    return cjk;
}

} // namespace zelkora::ui
