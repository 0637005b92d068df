#include "wizard_fixture.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

namespace zelkora::testing {

ui::BasicConditionsDialog* WizardWindowTest::page1() const {
    return static_cast<ui::BasicConditionsDialog*>(dialog(WizardPage::条件1));
}

ui::TimeConditionsDialog* WizardWindowTest::page2() const {
    return static_cast<ui::TimeConditionsDialog*>(dialog(WizardPage::条件T));
}

ui::SymbolTableDialog* WizardWindowTest::page3() const {
    return static_cast<ui::SymbolTableDialog*>(dialog(WizardPage::条件2));
}

QLineEdit* WizardWindowTest::box(Page3Control box) const {
    return static_cast<QLineEdit*>(page3()->control(box));
}

void WizardWindowTest::openSample(const char* name) {
    open(sample(name), MessageResult::No);
    ui.messages.clear();
}

void WizardWindowTest::startNew() {
    trigger(Menu::MF_MakeNew);
    ASSERT_NE(page1(), nullptr);
    activate(page1());
}

void WizardWindowTest::activate(QWidget* page) const {
    page->move(window->frameGeometry().right() + 40, 0);
    page->activateWindow();
    // The window system's activation first, then the application's, which sets the focus.
    ASSERT_TRUE(QTest::qWaitForWindowActive(page));
    ASSERT_TRUE(QTest::qWaitFor([page] { return QApplication::activeWindow() == page; }));
}

void WizardWindowTest::typeInto(QLineEdit* box, const QString& text) {
    click(box);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Backspace);
        return;
    }
    bool ascii = true;
    for (const QChar character : text) {
        ascii = ascii && character.unicode() < 0x80;
    }
    if (ascii) {
        QTest::keyClicks(box, text);
        return;
    }
    // Japanese comes from the input method, committed at once.
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(box, &commit);
}

void WizardWindowTest::click(QWidget* control) {
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

void WizardWindowTest::clickButton(QWidget* page, const char* name) {
    auto* button = page->findChild<QPushButton*>(QString::fromUtf8(name));
    ASSERT_NE(button, nullptr) << name;
    click(button);
}

void WizardWindowTest::pressEnter(QWidget* control) {
    QTest::keyClick(control, Qt::Key_Return);
}

std::string WizardWindowTest::focusedName() {
    const QWidget* focused = QApplication::focusWidget();
    return focused != nullptr ? focused->objectName().toStdString() : std::string();
}

bool WizardWindowTest::mainWindowEnabled() const {
    return window->centralWidget()->isEnabled() && window->menuBar()->isEnabled();
}

std::string WizardWindowTest::messagesShown() const {
    std::string texts;
    for (const Message& message : ui.messages) {
        texts += message.title + ": " + message.text + "\n";
    }
    return texts;
}

} // namespace zelkora::testing
