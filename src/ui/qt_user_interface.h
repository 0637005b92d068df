#pragma once

#include "platform/platform.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace zelkora::ui {

// Message boxes, the beep, the pointer and the common file dialogs with Qt. The dialogs are modal
// to the main window once it is set, the message boxes to the window the user works in.
class QtUserInterface final : public UserInterface {
public:
    void setParentWindow(QWidget* window) { parent_ = window; }

    MessageResult showMessage(const Message& message) override;
    void beep() override;
    void setPointer(PointerShape shape) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;

private:
    QWidget* owner() const;

    QWidget* parent_ = nullptr;
    bool pointerOverridden_ = false;
};

// "Description|pattern|…|" as Qt's name filters ("Description (pattern)").
QStringList nameFilters(const std::string& filter);
// The extension a save dialog adds to a name typed without one: that of the filter's first
// pattern ("*.csv" gives "csv"), and "pac" where the first pattern names none.
QString defaultSuffix(const std::string& filter);
// The folder a dialog starts in: the file path itself when it is a folder, else its folder.
QString initialDirectory(const std::string& filePath);

} // namespace zelkora::ui
