#include "wizard/time_conditions_page.h"

#include "common/numbers.h"
#include "files/column_codec.h"
#include "wizard/input_errors.h"

#include <cmath>

namespace zelkora {
namespace {

// What each time box accepts, says and puts back, in the order of kTimeConditions.
struct TimeBox {
    Page2Box box;
    InputError error;
    bool marksUnsaved;
    bool showsSpinsPerHour;
};
constexpr std::array<TimeBox, kTimeConditions.size()> kTimeBoxes{{
    {Page2Box::回転時間,
     {"回転時間は0秒以上でなければなりません。", "回転時間入力エラー"},
     true,
     true},
    {Page2Box::回転時間_確変,
     {"確変、時短中の回転時間は0秒以上でなければなりません。", "回転時間入力エラー"},
     false,
     false},
    {Page2Box::回転時間_比率,
     {"回転時間の比率は0%以上100%以下でなければなりません。", "回転時間_比率入力エラー"},
     false,
     true},
}};

constexpr std::string_view kSpinsPerHourBox = "時間回転数表示";

// The characters of a time value that its column of the time-condition record keeps.
std::string_view storedPart(Page2Box box, std::string_view text) {
    const int column = kTimeConditions[static_cast<std::size_t>(box)].fileColumn.column;
    return StorableText::asStored(text, kColumnWidths[static_cast<std::size_t>(column - 1)]);
}

// A text that more typing can still make a number: digits with at most one point, then an
// exponent mark with an optional sign and digits.
bool isNumberInTheMaking(std::string_view text) {
    std::size_t at = 0;
    const auto digits = [&] {
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            ++at;
        }
    };
    digits();
    if (at < text.size() && text[at] == '.') {
        ++at;
        digits();
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            ++at;
        }
        digits();
    }
    return at == text.size();
}

} // namespace

std::string_view controlName(Page2Box box) {
    const auto index = static_cast<std::size_t>(box);
    return index < kTimeConditions.size() ? kTimeConditions[index].pageControl : kSpinsPerHourBox;
}

std::optional<Page2Box> page2BoxNamed(std::string_view name) {
    for (std::size_t index = 0; index < kPage2BoxCount; ++index) {
        if (controlName(static_cast<Page2Box>(index)) == name) {
            return static_cast<Page2Box>(index);
        }
    }
    return std::nullopt;
}

std::string spinsPerHourText(std::string_view ratio, std::string_view seconds) {
    const double spins = fixPart(readNumber(ratio) * 3600 / 100 / readNumber(seconds));
    return std::isfinite(spins) ? plainText(spins) : std::string();
}

TimeConditionsPage::TimeConditionsPage(MainWindowModel& model, UserInterface& ui)
    : model_(model), ui_(ui) {
    for (std::size_t index = 0; index < kTimeConditions.size(); ++index) {
        texts_[index] = kTimeConditions[index].defaultText;
    }
}

void TimeConditionsPage::load() {
    const std::uint8_t rule = model_.program.serviceTimeRule;
    serviceTimeRule_ = rule <= 2 ? std::optional<std::uint8_t>(rule) : std::nullopt;
    showSchedule(slots_, model_.program.playSchedule);
    for (const Page2Box box :
         {Page2Box::回転時間, Page2Box::回転時間_比率, Page2Box::回転時間_確変}) {
        const std::string& display = model_.fields.text(kTimeConditions[index(box)].field);
        setText(box,
                display.empty() ? std::string(kTimeConditions[index(box)].defaultText) : display);
    }
    refreshSpinsPerHour();
}

void TimeConditionsPage::change(Page2Box box, std::string_view text) {
    setText(box, text);
}

void TimeConditionsPage::selectServiceTimeRule(std::uint8_t code) {
    if (code <= 2) {
        serviceTimeRule_ = code;
    }
}

void TimeConditionsPage::setText(Page2Box box, std::string_view text) {
    texts_[index(box)] = std::string(text);
    changed(box);
}

void TimeConditionsPage::changed(Page2Box box) {
    if (box == Page2Box::時間回転数表示) {
        return;
    }
    const TimeBox& rule = kTimeBoxes[index(box)];
    const std::string& boxText = text(box);
    if (!boxText.empty()) {
        if (!inRange(box)) {
            if (!isNumberInTheMaking(boxText)) {
                putBack(box, rule.error.text);
                return;
            }
            // Checked when the box is left; until then it counts as the edit it is.
            if (rule.marksUnsaved) {
                model_.window.unsaved = true;
            }
            return;
        }
        const std::optional<std::string> character =
            storable_.unencodableCharacter(storedPart(box, boxText));
        if (character) {
            putBack(box, unstorableCharacterText(*character));
            return;
        }
        if (rule.showsSpinsPerHour) {
            refreshSpinsPerHour();
        }
    }
    if (rule.marksUnsaved) {
        model_.window.unsaved = true;
    }
}

bool TimeConditionsPage::inRange(Page2Box box) const {
    return kTimeConditions[index(box)].range.contains(readNumber(text(box)));
}

void TimeConditionsPage::leave(Page2Box box) {
    if (box == Page2Box::時間回転数表示 || text(box).empty() || inRange(box)) {
        return;
    }
    putBack(box, kTimeBoxes[index(box)].error.text);
}

bool TimeConditionsPage::readyToLeave() {
    for (const Page2Box box :
         {Page2Box::回転時間, Page2Box::回転時間_確変, Page2Box::回転時間_比率}) {
        if (!text(box).empty() && !inRange(box)) {
            leave(box);
            return false;
        }
    }
    return true;
}

// The box takes back its value after a message; setting it runs its change handling again.
void TimeConditionsPage::putBack(Page2Box box, std::string_view message) {
    // Put back before the message, so a box left again while the message shows finds a value.
    setText(box, kTimeConditions[index(box)].defaultText);
    ui_.showMessage(inputErrorMessage(message, kTimeBoxes[index(box)].error.title));
}

void TimeConditionsPage::refreshSpinsPerHour() {
    const std::string& ratio = text(Page2Box::回転時間_比率);
    const std::string& seconds = text(Page2Box::回転時間);
    if (!ratio.empty() && !seconds.empty()) {
        texts_[index(Page2Box::時間回転数表示)] = spinsPerHourText(ratio, seconds);
    }
}

} // namespace zelkora
