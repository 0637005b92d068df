#pragma once

#include "model/main_window_model.h"
#include "platform/platform.h"
#include "wizard/storable_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Page 1 of the condition wizard, 条件1 ("基本条件の設定"): the eleven basic conditions. The page
// holds the text of each box and every rule about them; its dialog shows the texts, forwards
// what the user does and moves the focus where the page asks.
namespace zelkora {

// The boxes in the order of the page, which is the order of kBasicConditions.
enum class Page1Box : std::uint8_t {
    検証名表示,
    大当り確率表示,
    確変倍率表示,
    リッミター表示,
    リッミター数表示,
    両替率表示,
    何日分表示,
    回転数表示,
    投資上限表示,
    再投資表示,
    投資単位,
};
inline constexpr std::size_t kPage1BoxCount = 11;

// The drop-down lists; picking an entry writes it into the paired box.
enum class Page1List : std::uint8_t { リッミター表示L, 再投資表示L, 投資単位L };

std::string_view controlName(Page1Box box);
std::string_view controlName(Page1List list);
std::optional<Page1Box> page1BoxNamed(std::string_view name);
std::span<const std::string_view> listEntries(Page1List list);
Page1Box pairedBox(Page1List list);

class BasicConditionsPage {
public:
    // The boxes start with a new verification's values.
    BasicConditionsPage(MainWindowModel& model, UserInterface& ui);

    // Opening the page: with the new-verification flag set it keeps its own defaults and the
    // verification loses its saved name; otherwise it copies the window's condition displays.
    // The window's unsaved flag is as before, and the window is disabled.
    void load();

    const std::string& text(Page1Box box) const { return texts_[index(box)]; }
    bool enabled(Page1Box box) const;
    bool errorShown() const { return errorShown_; }

    // The user edited a box (each change, as the text stands after it).
    void change(Page1Box box, std::string_view text);
    // The user picked an entry of a list.
    void pick(Page1List list, std::string_view entry);
    // A box received the focus: checks the page unless a failed check just put the focus there.
    void gotFocus(Page1Box box);
    // Enter in a box: moves the focus along the page's cycle.
    void enterPressed(Page1Box box);

    // Checks every box but the investment unit; on a failure shows its message and asks for the
    // focus on the box. True when every box passed.
    bool 入力chk();
    // The Next button's check: 入力chk and the investment unit. True: page 2 may follow.
    bool 次へ_Click();

    // The box the page wants the focus in, once; nothing when the focus stays.
    std::optional<Page1Box> takeFocusRequest();

private:
    static std::size_t index(Page1Box box) { return static_cast<std::size_t>(box); }
    std::string& textOf(Page1Box box) { return texts_[index(box)]; }
    void setText(Page1Box box, std::string_view text);
    void changed(Page1Box box);
    void nameChanged();
    bool checkFields(bool withInvestmentUnit);
    bool passes(Page1Box box);
    bool storable(Page1Box box);
    bool basicRecordFits();
    bool refuse(Page1Box box, std::string_view text, std::string_view title);

    MainWindowModel& model_;
    UserInterface& ui_;
    StorableText storable_;
    std::array<std::string, kPage1BoxCount> texts_;
    bool limiterCountEnabled_ = false;
    bool errorShown_ = false;
    std::optional<Page1Box> focusRequest_;
};

} // namespace zelkora
