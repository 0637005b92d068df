#pragma once

#include "model/main_window_model.h"
#include "platform/platform.h"
#include "wizard/schedule_slots.h"
#include "wizard/storable_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Page 2 of the condition wizard, 条件T ("時間条件"): the seconds per spin, the time ratio, the
// service-time rule and the play schedule, with the spins per hour that follow from them. A bad
// time value is replaced at once by the value the box puts back.
namespace zelkora {

enum class Page2Box : std::uint8_t {
    回転時間,
    回転時間_確変,
    回転時間_比率,
    時間回転数表示, // spins per hour in normal play; shown, never kept
};
inline constexpr std::size_t kPage2BoxCount = 4;

std::string_view controlName(Page2Box box);
std::optional<Page2Box> page2BoxNamed(std::string_view name);

// Fix(ratio × 3600 ÷ 100 ÷ seconds) of the values the two texts read as, as decimal text; empty
// when no whole number follows (no seconds at all).
std::string spinsPerHourText(std::string_view ratio, std::string_view seconds);

class TimeConditionsPage {
public:
    TimeConditionsPage(MainWindowModel& model, UserInterface& ui);

    // Opening the page: the service-time option, the slot boxes and the three time boxes from the
    // window. Setting the seconds per spin counts as an edit, so the verification is marked
    // unsaved. A display that holds nothing (no verification yet) leaves the box's design value.
    void load();

    const std::string& text(Page2Box box) const { return texts_[index(box)]; }
    // An edit of a box. A text that is on its way to a number ("0" of "0.5", "1e" of "1e-1") is
    // kept without a word; the box checks it when it is left.
    void change(Page2Box box, std::string_view text);
    // The box lost the focus: a value out of range is told and put back.
    void leave(Page2Box box);
    // Next and Finish: every box is checked as if left; false after the first one told.
    bool readyToLeave();

    // The code (0, 1, 2) of the selected service-time option; nothing when none is selected.
    std::optional<std::uint8_t> serviceTimeRule() const { return serviceTimeRule_; }
    // A click on Check_無制限, Check_無内 or Check_ラッキー.
    void selectServiceTimeRule(std::uint8_t code);

    const ScheduleSlots& slotBoxes() const { return slots_; }
    // A click on the slot box Text1 … Text14.
    void clickSlot(int slot) { zelkora::clickSlot(slots_, slot); }

private:
    static std::size_t index(Page2Box box) { return static_cast<std::size_t>(box); }
    void setText(Page2Box box, std::string_view text);
    void changed(Page2Box box);
    void putBack(Page2Box box, std::string_view message);
    bool inRange(Page2Box box) const;
    void refreshSpinsPerHour();

    MainWindowModel& model_;
    UserInterface& ui_;
    StorableText storable_;
    std::array<std::string, kPage2BoxCount> texts_;
    std::optional<std::uint8_t> serviceTimeRule_;
    ScheduleSlots slots_{}; // grey until a schedule says otherwise
};

} // namespace zelkora
