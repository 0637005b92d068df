#include "qt_user_interface.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>

namespace zelkora::ui {
namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

MessageResult resultOf(int button) {
    switch (button) {
    case QMessageBox::Cancel:
        return MessageResult::Cancel;
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    default:
        return MessageResult::Ok;
    }
}

std::optional<std::string> chosenPath(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst()).toStdString();
}

void configure(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setWindowTitle(QString::fromStdString(request.title));
    dialog.setNameFilters(nameFilters(request.filter));
    dialog.setDirectory(initialDirectory(request.initialFolder));
    if (!request.presetName.empty()) {
        dialog.selectFile(QString::fromStdString(request.presetName));
    }
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
}

} // namespace

QString defaultSuffix(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(u'|');
    if (parts.size() > 1 && parts[1].startsWith(QStringLiteral("*."))) {
        QString extension = parts[1].mid(2);
        if (!extension.isEmpty() && !extension.contains(u'*') && !extension.contains(u';')) {
            return extension;
        }
    }
    return QStringLiteral("pac");
}

QStringList nameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(u'|');
    QStringList filters;
    for (qsizetype index = 0; index + 1 < parts.size(); index += 2) {
        QString pattern = parts[index + 1];
        // The common dialog's "*.*" means every file.
        if (pattern == QStringLiteral("*.*")) {
            pattern = QStringLiteral("*");
        }
        // The common dialog separates a filter's patterns by ";", Qt by spaces.
        pattern.replace(u';', u' ');
        filters << parts[index] + QStringLiteral(" (") + pattern + u')';
    }
    return filters;
}

QString initialDirectory(const std::string& filePath) {
    const QFileInfo info(QString::fromStdString(filePath));
    return info.isDir() ? info.absoluteFilePath() : info.absolutePath();
}

// A message belongs to the window the user works in: a condition page's checks speak over the
// page, not over the main window behind it.
QWidget* QtUserInterface::owner() const {
    QWidget* active = QApplication::activeWindow();
    return active != nullptr && active->isVisible() ? active : parent_;
}

MessageResult QtUserInterface::showMessage(const Message& message) {
    const QPointer<QWidget> window = owner();
    QMessageBox box(boxIcon(message.icon), QString::fromStdString(message.title),
                    QString::fromStdString(message.text), boxButtons(message.buttons), window);
    const int pressed = box.exec();
    // The user goes on where the message interrupted, also without a window manager.
    if (window != nullptr && window->isVisible()) {
        window->activateWindow();
    }
    return resultOf(pressed);
}

void QtUserInterface::beep() {
    QApplication::beep();
}

void QtUserInterface::setPointer(PointerShape shape) {
    if (pointerOverridden_) {
        QApplication::restoreOverrideCursor();
        pointerOverridden_ = false;
    }
    if (shape == PointerShape::Default) {
        return;
    }
    QApplication::setOverrideCursor(shape == PointerShape::Hourglass ? Qt::WaitCursor
                                                                     : Qt::BusyCursor);
    pointerOverridden_ = true;
}

std::optional<std::string> QtUserInterface::openFileDialog(const FileDialogRequest& request) {
    QFileDialog dialog(parent_);
    configure(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenPath(dialog);
}

std::optional<std::string> QtUserInterface::saveFileDialog(const FileDialogRequest& request) {
    QFileDialog dialog(parent_);
    configure(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix(request.filter));
    return chosenPath(dialog);
}

} // namespace zelkora::ui
