#pragma once

namespace zelkora::ui {

// The three condition wizard pages as the main window opens them: New and MC_Base show page 1,
// MC_Ts page 2 (through page 1), MC_Pic page 3 (through pages 1 and 2); Exit unloads them.
class ConditionPages {
public:
    virtual ~ConditionPages() = default;
    virtual void showPage1() = 0;
    virtual void showPage2() = 0;
    virtual void showPage3() = 0;
    virtual void unloadPages() = 0;
};

// Until the wizard exists the pages show nothing: New and the condition menus do nothing
// visible. The wizard replaces this with its pages.
class NoConditionPages final : public ConditionPages {
public:
    void showPage1() override {}
    void showPage2() override {}
    void showPage3() override {}
    void unloadPages() override {}
};

} // namespace zelkora::ui
