#pragma once

namespace zelkora::ui {

class MainWindow;

// The three condition wizard pages as the main window opens them: New and MC_Base show page 1,
// MC_Ts page 2 (through page 1), MC_Pic page 3 (through pages 1 and 2); Exit unloads them.
class ConditionPages {
public:
    virtual ~ConditionPages() = default;
    // The window the pages belong to, given once it is built: the pages stay above it, it shows
    // what the pages change, and it takes no input while one is open.
    virtual void attachWindow(MainWindow& window) = 0;
    virtual void showPage1() = 0;
    virtual void showPage2() = 0;
    virtual void showPage3() = 0;
    virtual void unloadPages() = 0;
};

} // namespace zelkora::ui
