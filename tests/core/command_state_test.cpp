#include "model/command_state.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

TEST(commands_test, after_start_up_only_new_open_exit_and_options_are_usable) {
    const CommandState state;
    for (Menu menu : {Menu::Mf, Menu::MF_MakeNew, Menu::MF_Open, Menu::Mf_End, Menu::MO,
                      Menu::MO_Prob, Menu::MO_Pic, Menu::MO_Random, Menu::MS_Version}) {
        EXPECT_TRUE(state.enabled(menu)) << menuName(menu);
    }
    for (Menu menu : {Menu::MF_OverSave, Menu::MF_NewSave, Menu::MC, Menu::MC_Base, Menu::MC_Pic,
                      Menu::MK, Menu::MK_Start, Menu::MK_Cancel}) {
        EXPECT_FALSE(state.enabled(menu)) << menuName(menu);
    }
    for (int button : {2, 3, 14, 15}) {
        EXPECT_TRUE(state.buttonEnabled(button)) << button;
    }
    for (int button : {4, 5, 7, 8, 9, 11, 12}) {
        EXPECT_FALSE(state.buttonEnabled(button)) << button;
    }
    EXPECT_TRUE(state.checked(Menu::MO_Random));
    EXPECT_FALSE(state.buttonPressed(14));
}

TEST(commands_test, a_run_leaves_only_exit_cancel_and_options) {
    CommandState state;
    state.apply(Availability::RunInProgress);
    for (Menu menu : {Menu::Mf, Menu::Mf_End, Menu::MK, Menu::MK_Cancel, Menu::MO_Prob}) {
        EXPECT_TRUE(state.enabled(menu)) << menuName(menu);
    }
    for (Menu menu : {Menu::MF_MakeNew, Menu::MF_Open, Menu::MF_OverSave, Menu::MF_NewSave,
                      Menu::MC, Menu::MC_Base, Menu::MC_Pic, Menu::MK_Start}) {
        EXPECT_FALSE(state.enabled(menu)) << menuName(menu);
    }
    for (int button : {2, 3, 4, 5, 7, 8, 9, 11}) {
        EXPECT_FALSE(state.buttonEnabled(button)) << button;
    }
    EXPECT_TRUE(state.buttonEnabled(12));

    state.apply(Availability::VerificationLoaded);
    for (int button : {2, 3, 4, 5, 7, 8, 9, 11}) {
        EXPECT_TRUE(state.buttonEnabled(button)) << button;
    }
    EXPECT_FALSE(state.buttonEnabled(12));
    EXPECT_FALSE(state.enabled(Menu::MK_Cancel));
    EXPECT_TRUE(state.enabled(Menu::MK_Start));
}

TEST(commands_test, a_machine_plays_but_neither_edits_nor_saves) {
    CommandState state;
    state.apply(Availability::MachineLoaded);
    for (Menu menu : {Menu::Mf, Menu::MF_MakeNew, Menu::MF_Open, Menu::Mf_End, Menu::MK,
                      Menu::MK_Start, Menu::MO_Prob, Menu::MS_Version}) {
        EXPECT_TRUE(state.enabled(menu)) << menuName(menu);
    }
    for (Menu menu : {Menu::MF_OverSave, Menu::MF_NewSave, Menu::MC, Menu::MC_Base, Menu::MC_Pic,
                      Menu::MK_Cancel}) {
        EXPECT_FALSE(state.enabled(menu)) << menuName(menu);
    }
    for (int button : {2, 3, 11, 14, 15}) {
        EXPECT_TRUE(state.buttonEnabled(button)) << button;
    }
    for (int button : {4, 5, 7, 8, 9, 12}) {
        EXPECT_FALSE(state.buttonEnabled(button)) << button;
    }
    // A run of the machine takes the same commands away and gives them back as the machine's.
    state.apply(Availability::RunInProgress);
    EXPECT_TRUE(state.enabled(Menu::MK_Cancel));
    EXPECT_FALSE(state.enabled(Menu::MK_Start));
    state.apply(Availability::MachineLoaded);
    EXPECT_FALSE(state.enabled(Menu::MC_Base));
    EXPECT_TRUE(state.enabled(Menu::MK_Start));
}

TEST(commands_test, the_rebuild_locks_exit_too_and_unlocks_everything_it_locked) {
    CommandState state;
    state.apply(Availability::VerificationLoaded);
    state.lockForRebuild();
    EXPECT_FALSE(state.enabled(Menu::Mf_End));
    EXPECT_FALSE(state.enabled(Menu::Mf));
    EXPECT_FALSE(state.buttonEnabled(12));
    EXPECT_TRUE(state.enabled(Menu::MO_Prob));
    state.unlockAfterRebuild();
    EXPECT_TRUE(state.enabled(Menu::Mf_End));
    state.apply(Availability::VerificationLoaded);
    EXPECT_FALSE(state.enabled(Menu::MK_Cancel));
}

TEST(commands_test, unchecking_the_only_option_rechecks_plain_random) {
    CommandState state;
    state.toggleProbabilityConvergence();
    EXPECT_TRUE(state.checked(Menu::MO_Prob));
    EXPECT_TRUE(state.buttonPressed(14));
    EXPECT_FALSE(state.checked(Menu::MO_Random));

    state.toggleSymbolConvergence();
    state.toggleProbabilityConvergence();
    EXPECT_FALSE(state.checked(Menu::MO_Random)) << "MO_Pic is still on";
    state.toggleSymbolConvergence();
    EXPECT_TRUE(state.checked(Menu::MO_Random));
    EXPECT_FALSE(state.buttonPressed(15));
}

TEST(commands_test, plain_random_clears_both_options_and_their_buttons) {
    CommandState state;
    state.toggleProbabilityConvergence();
    state.toggleSymbolConvergence();
    state.selectPlainRandom();
    EXPECT_FALSE(state.checked(Menu::MO_Prob));
    EXPECT_FALSE(state.checked(Menu::MO_Pic));
    EXPECT_TRUE(state.checked(Menu::MO_Random));
    EXPECT_FALSE(state.buttonPressed(14));
    EXPECT_FALSE(state.buttonPressed(15));
}

} // namespace
} // namespace zelkora
