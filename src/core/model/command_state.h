#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zelkora {

// The menu entries of the main window, by their control names.
enum class Menu : std::uint8_t {
    Mf,
    MF_MakeNew,
    MF_Open,
    MF_OverSave,
    MF_NewSave,
    Mf_End,
    MC,
    MC_Base,
    MC_Ts,
    MC_Pic,
    MO,
    MO_Prob,
    MO_Pic,
    MO_Random,
    MK,
    MK_Start,
    MK_Cancel,
    MS,
    MS_Version,
};
inline constexpr std::size_t kMenuCount = static_cast<std::size_t>(Menu::MS_Version) + 1;
std::string_view menuName(Menu menu);

inline constexpr int kToolbarButtons = 15;

// The availability states of the window's commands. MachineLoaded: a machine file is open; it
// plays, but nothing edits it or saves it as a .pac.
enum class Availability : std::uint8_t {
    NoVerification,
    VerificationLoaded,
    RunInProgress,
    MachineLoaded
};

// Which commands are enabled, which options are checked and which two-state toolbar buttons
// are pressed. The window shows this state; the rules that change it live here.
class CommandState {
public:
    CommandState();

    bool enabled(Menu menu) const { return menus_[index(menu)].enabled; }
    bool checked(Menu menu) const { return menus_[index(menu)].checked; }
    // Toolbar buttons by their 1-based index; 1, 6, 10 and 13 are separators.
    bool buttonEnabled(int button) const { return buttons_[buttonIndex(button)].enabled; }
    bool buttonPressed(int button) const { return buttons_[buttonIndex(button)].pressed; }

    void apply(Availability availability);
    // The rebuild disables the file, condition and run commands while it replays records.
    void lockForRebuild();
    void unlockAfterRebuild();

    // The option menus: two switches and an indicator that neither is on.
    void toggleProbabilityConvergence(); // MO_Prob, button 14
    void toggleSymbolConvergence();      // MO_Pic, button 15
    void selectPlainRandom();            // MO_Random
    // On activation the two-state buttons follow the check marks.
    void syncOptionButtons();

    std::uint64_t revision() const { return revision_; }

private:
    struct MenuState {
        bool enabled = true;
        bool checked = false;
    };
    struct ButtonState {
        bool enabled = true;
        bool pressed = false;
    };
    static std::size_t index(Menu menu) { return static_cast<std::size_t>(menu); }
    static std::size_t buttonIndex(int button) { return static_cast<std::size_t>(button - 1); }
    void setEnabled(Menu menu, bool enabled) { menus_[index(menu)].enabled = enabled; }
    void setButtonEnabled(int button, bool enabled) {
        buttons_[buttonIndex(button)].enabled = enabled;
    }
    void toggleOption(Menu option, int button, Menu other);
    void setRebuildLock(bool locked);

    std::array<MenuState, kMenuCount> menus_{};
    std::array<ButtonState, kToolbarButtons> buttons_{};
    std::uint64_t revision_ = 0;
};

} // namespace zelkora
