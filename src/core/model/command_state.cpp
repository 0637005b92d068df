#include "model/command_state.h"

namespace zelkora {
namespace {

constexpr std::array<std::string_view, kMenuCount> kMenuNames{
    "Mf",      "MF_MakeNew", "MF_Open",   "MF_OverSave", "MF_NewSave", "Mf_End", "MC",
    "MC_Base", "MC_Ts",      "MC_Pic",    "MO",          "MO_Prob",    "MO_Pic", "MO_Random",
    "MK",      "MK_Start",   "MK_Cancel", "MS",          "MS_Version"};

// Toolbar buttons that carry a file, condition or run command.
constexpr std::array<int, 4> kFileButtons{2, 3, 4, 5};
constexpr std::array<int, 3> kConditionButtons{7, 8, 9};
constexpr int kStartButton = 11;
constexpr int kCancelButton = 12;
constexpr int kProbabilityButton = 14;
constexpr int kSymbolButton = 15;

} // namespace

std::string_view menuName(Menu menu) {
    return kMenuNames[static_cast<std::size_t>(menu)];
}

CommandState::CommandState() {
    menus_[index(Menu::MO_Random)].checked = true;
    apply(Availability::NoVerification);
}

void CommandState::apply(Availability availability) {
    const bool idle = availability != Availability::RunInProgress;
    const bool loaded = availability == Availability::VerificationLoaded;
    const bool running = availability == Availability::RunInProgress;

    setEnabled(Menu::Mf, true);
    setEnabled(Menu::Mf_End, true);
    setEnabled(Menu::MF_MakeNew, idle);
    setEnabled(Menu::MF_Open, idle);
    setButtonEnabled(2, idle);
    setButtonEnabled(3, idle);
    const bool machine = availability == Availability::MachineLoaded;
    for (Menu menu : {Menu::MF_OverSave, Menu::MF_NewSave, Menu::MC, Menu::MC_Base, Menu::MC_Pic}) {
        setEnabled(menu, loaded);
    }
    setEnabled(Menu::MK_Start, loaded || machine);
    setEnabled(Menu::MC_Ts, true); // reachable only through MC, so it follows MC
    for (int button : {4, 5, 7, 8, 9}) {
        setButtonEnabled(button, loaded);
    }
    setButtonEnabled(kStartButton, loaded || machine);
    setEnabled(Menu::MK, loaded || machine || running);
    setEnabled(Menu::MK_Cancel, running);
    setButtonEnabled(kCancelButton, running);
    for (Menu menu :
         {Menu::MO, Menu::MO_Prob, Menu::MO_Pic, Menu::MO_Random, Menu::MS, Menu::MS_Version}) {
        setEnabled(menu, true);
    }
    setButtonEnabled(kProbabilityButton, true);
    setButtonEnabled(kSymbolButton, true);
    ++revision_;
}

void CommandState::lockForRebuild() {
    setRebuildLock(true);
}

void CommandState::unlockAfterRebuild() {
    setRebuildLock(false);
}

// The file, condition and run commands, Exit included, while the rebuild replays records.
void CommandState::setRebuildLock(bool locked) {
    for (Menu menu : {Menu::Mf, Menu::MF_MakeNew, Menu::MF_Open, Menu::MF_OverSave,
                      Menu::MF_NewSave, Menu::Mf_End, Menu::MC, Menu::MC_Base, Menu::MC_Pic,
                      Menu::MK, Menu::MK_Start, Menu::MK_Cancel}) {
        setEnabled(menu, !locked);
    }
    for (int button : kFileButtons) {
        setButtonEnabled(button, !locked);
    }
    for (int button : kConditionButtons) {
        setButtonEnabled(button, !locked);
    }
    setButtonEnabled(kStartButton, !locked);
    setButtonEnabled(kCancelButton, !locked);
    ++revision_;
}

void CommandState::toggleOption(Menu option, int button, Menu other) {
    MenuState& state = menus_[index(option)];
    if (state.checked) {
        state.checked = false;
        buttons_[buttonIndex(button)].pressed = false;
        if (!checked(other)) {
            menus_[index(Menu::MO_Random)].checked = true;
        }
    } else {
        state.checked = true;
        buttons_[buttonIndex(button)].pressed = true;
        menus_[index(Menu::MO_Random)].checked = false;
    }
    ++revision_;
}

void CommandState::toggleProbabilityConvergence() {
    toggleOption(Menu::MO_Prob, kProbabilityButton, Menu::MO_Pic);
}

void CommandState::toggleSymbolConvergence() {
    toggleOption(Menu::MO_Pic, kSymbolButton, Menu::MO_Prob);
}

void CommandState::selectPlainRandom() {
    menus_[index(Menu::MO_Prob)].checked = false;
    menus_[index(Menu::MO_Pic)].checked = false;
    menus_[index(Menu::MO_Random)].checked = true;
    buttons_[buttonIndex(kProbabilityButton)].pressed = false;
    buttons_[buttonIndex(kSymbolButton)].pressed = false;
    ++revision_;
}

void CommandState::syncOptionButtons() {
    buttons_[buttonIndex(kProbabilityButton)].pressed = checked(Menu::MO_Prob);
    buttons_[buttonIndex(kSymbolButton)].pressed = checked(Menu::MO_Pic);
    ++revision_;
}

} // namespace zelkora
