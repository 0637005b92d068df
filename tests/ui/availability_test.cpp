#include "window_fixture.h"

#include <QMenu>
#include <QTimer>
#include <map>
#include <vector>

namespace zelkora::testing {
namespace {

// Every menu entry and toolbar button that the availability rules name, enabled (+) or not (-)
// in one state of the window.
struct Availability {
    std::map<Menu, bool> menus;
    std::map<int, bool> buttons;
};

Availability expected(const char* menus, const char* buttons) {
    // `menus` lists Mf MF_MakeNew MF_Open MF_OverSave MF_NewSave Mf_End MC MC_Base MC_Pic MO
    // MO_Prob MO_Pic MO_Random MK MK_Start MK_Cancel; `buttons` lists 2 3 4 5 7 8 9 11 12 14 15.
    const std::vector<Menu> menuOrder{
        Menu::Mf,         Menu::MF_MakeNew, Menu::MF_Open,  Menu::MF_OverSave,
        Menu::MF_NewSave, Menu::Mf_End,     Menu::MC,       Menu::MC_Base,
        Menu::MC_Pic,     Menu::MO,         Menu::MO_Prob,  Menu::MO_Pic,
        Menu::MO_Random,  Menu::MK,         Menu::MK_Start, Menu::MK_Cancel};
    const std::vector<int> buttonOrder{2, 3, 4, 5, 7, 8, 9, 11, 12, 14, 15};
    Availability state;
    for (std::size_t index = 0; index < menuOrder.size(); ++index) {
        state.menus[menuOrder[index]] = menus[index] == '+';
    }
    for (std::size_t index = 0; index < buttonOrder.size(); ++index) {
        state.buttons[buttonOrder[index]] = buttons[index] == '+';
    }
    return state;
}

class AvailabilityTest : public WindowTest {
protected:
    // Records what the window shows, as a person would see it.
    std::string differences(const Availability& state) const {
        std::string wrong;
        for (const auto& [entry, enabled] : state.menus) {
            if (menu(entry)->isEnabled() != enabled) {
                wrong += std::string(menuName(entry)) + " ";
            }
        }
        for (const auto& [index, enabled] : state.buttons) {
            if (button(index)->isEnabled() != enabled) {
                wrong += "button" + std::to_string(index) + " ";
            }
        }
        return wrong;
    }
};

TEST_F(AvailabilityTest, follows_the_table_at_start_after_open_during_a_run_and_a_rebuild) {
    const Availability none = expected("+++--+---++++---", "++-------++");
    const Availability loaded = expected("+++++++++++++++-", "++++++++-++");
    const Availability running = expected("+----+---+++++-+", "--------+++");
    const Availability rebuilding = expected("---------++++---", "---------++");

    EXPECT_EQ(differences(none), "");

    // During the rebuild of the opened file (inside its first yield).
    std::string duringRebuild = "never";
    QTimer::singleShot(0, window.get(), [&] { duringRebuild = differences(rebuilding); });
    open(sample("定番確変315"));
    EXPECT_EQ(duringRebuild, "");
    EXPECT_EQ(differences(loaded), "");

    std::string duringRun = "never";
    QTimer::singleShot(0, window.get(), [&] { duringRun = differences(running); });
    trigger(Menu::MK_Start);
    EXPECT_EQ(duringRun, "");
    EXPECT_EQ(differences(loaded), "");
}

TEST_F(AvailabilityTest, the_condition_time_entry_follows_its_menu) {
    EXPECT_FALSE(control<QMenu>("MC")->menuAction()->isEnabled());
    open(sample("定番確変315"), MessageResult::No);
    EXPECT_TRUE(control<QMenu>("MC")->menuAction()->isEnabled());
    for (const auto& [entry, page] :
         {std::pair{Menu::MC_Ts, WizardPage::条件T}, std::pair{Menu::MC_Base, WizardPage::条件1},
          std::pair{Menu::MC_Pic, WizardPage::条件2}}) {
        trigger(entry);
        EXPECT_TRUE(wizard().isVisible(page)) << menuName(entry);
        wizard().cancel(page);
        dialogs().sync();
    }
}

} // namespace
} // namespace zelkora::testing
