#pragma once

class QCoreApplication;

namespace zelkora::ui {

// Qt's own Japanese texts (the standard buttons はい / いいえ / キャンセル, the file dialog), from
// the translations installed with Qt. Returns false when they are not installed: Qt's English
// texts then remain.
bool installJapaneseQtTranslations(QCoreApplication& application);

} // namespace zelkora::ui
