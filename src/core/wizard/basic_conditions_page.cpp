#include "wizard/basic_conditions_page.h"

#include "common/numbers.h"
#include "files/record_layouts.h"
#include "files/utf8.h"
#include "files/verification_conditions.h"
#include "wizard/input_errors.h"
#include "wizard/page_texts.h"

#include <utility>

namespace zelkora {
namespace {

constexpr std::size_t kNameLength = 25;
constexpr std::string_view kYesNoOnly = "入力文字は、はい　or　いいえ　のみ許されています.。";

// The page's checks in the order they run, one per box: the message and title of a failure.
constexpr std::array<InputError, kPage1BoxCount> kChecks{{
    {"検証名を入力してください。", "検証名入力エラー"},
    {"大当り確率は２以上3000　以下の数値でなければなりません。", "大当り確率入力エラー"},
    {"倍率は1以上20　以下の数値でなければなりません。", "倍率入力エラー"},
    {kYesNoOnly, "リッミター入力エラー"},
    {"リッミター数は２以上3000以下でなければなりません。", "リッミター数入力エラー"},
    {"両替率は25以上100以下でなければなりません。", "両替率入力エラー"},
    {"検証日数は1以上10000以下でなければなりません。", "何日分入力エラー"},
    {"1000円当たりの回転数は0以上でなければなりません。", "回転数入力エラー"},
    {"投資上限は500円以上　500,000円以下でなければなりません。", "投資上限入力エラー"},
    {kYesNoOnly, "再投資入力エラー"},
    {"投資単位は100以上1000　以下の数値でなければなりません。", "投資単位入力エラー"},
}};

// A unit above the day's limit could never be bought: every day would end unplayed and won.
constexpr InputError kUnitAboveLimit{
    "投資単位が投資上限/日を超えています。投資単位は投資上限/日以下にしてください。",
    "投資単位入力エラー"};

constexpr InputError kNameTooLong{"検証名の文字数は25文字以内です。", "入力エラー"};
// The name shares its record with the other basic conditions, and a double-byte character
// takes two of the record's bytes.
constexpr InputError kRecordTooLong{
    "検証名が長すぎてファイルに保存できません。全角文字を減らしてください。", "検証名入力エラー"};

// The order in which opening the page copies the window's displays into the boxes.
constexpr std::array<Page1Box, kPage1BoxCount> kLoadOrder{
    Page1Box::検証名表示,   Page1Box::大当り確率表示, Page1Box::両替率表示,
    Page1Box::何日分表示,   Page1Box::回転数表示,     Page1Box::投資上限表示,
    Page1Box::再投資表示,   Page1Box::リッミター表示, Page1Box::リッミター数表示,
    Page1Box::確変倍率表示, Page1Box::投資単位};

const ConditionSpec& conditionOf(Page1Box box) {
    return kBasicConditions[static_cast<std::size_t>(box)];
}

bool isYesOrNo(std::string_view text) {
    return text == kYes || text == kNo;
}

} // namespace

std::string_view controlName(Page1Box box) {
    return conditionOf(box).pageControl;
}

std::string_view controlName(Page1List list) {
    switch (list) {
    case Page1List::リッミター表示L:
        return "リッミター表示L";
    case Page1List::再投資表示L:
        return "再投資表示L";
    case Page1List::投資単位L:
        return "投資単位L";
    }
    return {};
}

std::optional<Page1Box> page1BoxNamed(std::string_view name) {
    for (std::size_t index = 0; index < kPage1BoxCount; ++index) {
        if (kBasicConditions[index].pageControl == name) {
            return static_cast<Page1Box>(index);
        }
    }
    return std::nullopt;
}

std::span<const std::string_view> listEntries(Page1List list) {
    return list == Page1List::投資単位L ? std::span<const std::string_view>(kInvestmentUnitEntries)
                                        : std::span<const std::string_view>(kYesNoEntries);
}

Page1Box pairedBox(Page1List list) {
    switch (list) {
    case Page1List::リッミター表示L:
        return Page1Box::リッミター表示;
    case Page1List::再投資表示L:
        return Page1Box::再投資表示;
    case Page1List::投資単位L:
        break;
    }
    return Page1Box::投資単位;
}

BasicConditionsPage::BasicConditionsPage(MainWindowModel& model, UserInterface& ui)
    : model_(model), ui_(ui) {
    for (std::size_t index = 0; index < kPage1BoxCount; ++index) {
        texts_[index] = kBasicConditions[index].defaultText;
    }
}

void BasicConditionsPage::load() {
    ui_.setPointer(PointerShape::Hourglass);
    const bool unsaved = model_.window.unsaved;
    errorShown_ = false;
    if (model_.window.newVerification == 1) {
        model_.window.savedName = false;
    } else {
        // Each copy runs the box's change handling, as an edit would.
        for (const Page1Box box : kLoadOrder) {
            setText(box, model_.fields.text(conditionOf(box).field));
        }
    }
    limiterCountEnabled_ = text(Page1Box::リッミター表示) == kYes;
    // Opening the page is no edit of the verification.
    model_.window.unsaved = unsaved;
    model_.window.enabled = false;
    ui_.setPointer(PointerShape::Default);
}

bool BasicConditionsPage::enabled(Page1Box box) const {
    return box != Page1Box::リッミター数表示 || limiterCountEnabled_;
}

void BasicConditionsPage::change(Page1Box box, std::string_view text) {
    setText(box, text);
}

void BasicConditionsPage::setText(Page1Box box, std::string_view text) {
    textOf(box) = std::string(text);
    changed(box);
}

void BasicConditionsPage::changed(Page1Box box) {
    switch (box) {
    case Page1Box::検証名表示:
        nameChanged();
        break;
    case Page1Box::大当り確率表示:
        if (!text(box).empty()) {
            model_.window.unsaved = true;
        }
        break;
    case Page1Box::投資単位:
        break;
    default:
        model_.window.unsaved = true;
        break;
    }
}

void BasicConditionsPage::nameChanged() {
    const std::string& name = text(Page1Box::検証名表示);
    if (countCharacters(name) <= kNameLength) {
        // A verification without a file of the user's choice is known by its name.
        if (!model_.window.savedName && !name.empty()) {
            model_.window.fileTitle = name;
        }
        model_.window.unsaved = true;
        return;
    }
    setText(Page1Box::検証名表示, std::string(characterSlice(name, 0, kNameLength)));
    ui_.showMessage(inputErrorMessage(kNameTooLong));
}

void BasicConditionsPage::pick(Page1List list, std::string_view entry) {
    setText(pairedBox(list), entry);
    if (list == Page1List::リッミター表示L) {
        limiterCountEnabled_ = text(Page1Box::リッミター表示) == kYes;
    }
}

void BasicConditionsPage::gotFocus(Page1Box box) {
    switch (box) {
    case Page1Box::確変倍率表示:
    case Page1Box::回転数表示:
    case Page1Box::投資単位:
        return;
    default:
        break;
    }
    // The focus came back from a failed check: its message has been shown once already.
    if (errorShown_) {
        errorShown_ = false;
        return;
    }
    static_cast<void>(入力chk());
}

void BasicConditionsPage::enterPressed(Page1Box box) {
    switch (box) {
    case Page1Box::検証名表示:
        focusRequest_ = Page1Box::大当り確率表示;
        break;
    case Page1Box::大当り確率表示:
        focusRequest_ = Page1Box::確変倍率表示;
        break;
    case Page1Box::確変倍率表示:
        focusRequest_ = Page1Box::リッミター表示;
        break;
    case Page1Box::リッミター表示:
        if (text(box) == kYes) {
            limiterCountEnabled_ = true;
            focusRequest_ = Page1Box::リッミター数表示;
        } else if (text(box) == kNo) {
            focusRequest_ = Page1Box::両替率表示;
        }
        break;
    case Page1Box::リッミター数表示:
        focusRequest_ = Page1Box::両替率表示;
        break;
    case Page1Box::両替率表示:
        focusRequest_ = Page1Box::何日分表示;
        break;
    case Page1Box::何日分表示:
        focusRequest_ = Page1Box::回転数表示;
        break;
    case Page1Box::回転数表示:
        focusRequest_ = Page1Box::投資上限表示;
        break;
    case Page1Box::投資上限表示:
        focusRequest_ = Page1Box::再投資表示;
        break;
    case Page1Box::再投資表示:
        focusRequest_ = Page1Box::検証名表示;
        break;
    case Page1Box::投資単位:
        break;
    }
}

bool BasicConditionsPage::入力chk() {
    return checkFields(false);
}

bool BasicConditionsPage::次へ_Click() {
    return checkFields(true);
}

std::optional<Page1Box> BasicConditionsPage::takeFocusRequest() {
    return std::exchange(focusRequest_, std::nullopt);
}

bool BasicConditionsPage::checkFields(bool withInvestmentUnit) {
    for (std::size_t index = 0; index < kPage1BoxCount; ++index) {
        const auto box = static_cast<Page1Box>(index);
        if (box == Page1Box::投資単位) {
            if (!basicRecordFits()) {
                return refuse(Page1Box::検証名表示, kRecordTooLong.text, kRecordTooLong.title);
            }
            if (!withInvestmentUnit) {
                break;
            }
        }
        if (!passes(box)) {
            return refuse(box, kChecks[index].text, kChecks[index].title);
        }
        if (!storable(box)) {
            return false;
        }
    }
    if (withInvestmentUnit &&
        readNumber(text(Page1Box::投資単位)) > readNumber(text(Page1Box::投資上限表示))) {
        return refuse(Page1Box::投資単位, kUnitAboveLimit.text, kUnitAboveLimit.title);
    }
    return true;
}

// The box's own test. The limiter count is tested only with a limiter, and its box is enabled
// exactly then.
bool BasicConditionsPage::passes(Page1Box box) {
    const std::string& boxText = text(box);
    const double value = readNumber(boxText);
    switch (box) {
    case Page1Box::検証名表示:
        return !boxText.empty();
    case Page1Box::リッミター表示:
    case Page1Box::再投資表示:
        return isYesOrNo(boxText);
    case Page1Box::リッミター数表示:
        limiterCountEnabled_ = text(Page1Box::リッミター表示) == kYes;
        return !limiterCountEnabled_ || conditionOf(box).range.contains(value);
    case Page1Box::投資上限表示:
        return conditionOf(box).range.contains(static_cast<float>(value));
    default:
        return conditionOf(box).range.contains(value);
    }
}

// Whether the box's text, as far as its column keeps it, can be written to the file. A limiter
// count that is not in use is left alone: its box cannot take the focus.
bool BasicConditionsPage::storable(Page1Box box) {
    if (!enabled(box)) {
        return true;
    }
    const ConditionSpec& condition = conditionOf(box);
    const std::size_t width =
        kColumnWidths[static_cast<std::size_t>(condition.fileColumn.column - 1)];
    const std::optional<std::string> character =
        storable_.unencodableCharacter(StorableText::asStored(text(box), width));
    if (!character) {
        return true;
    }
    return refuse(box, unstorableCharacterText(*character), kChecks[index(box)].title);
}

// The basic-condition record as Finish will write it, with the symbol count the window holds.
bool BasicConditionsPage::basicRecordFits() {
    BasicConditionRecord record;
    for (std::size_t column = 0; column < kBasicConditionColumns.size(); ++column) {
        record.columns[column] = model_.fields.text(kBasicConditionColumns[column]);
    }
    for (std::size_t box = 0; box < kPage1BoxCount; ++box) {
        const std::size_t column = basicColumnIndex(kBasicConditions[box].field);
        if (column < record.columns.size()) {
            record.columns[column] = texts_[box];
        }
    }
    return storable_.fitsRecord(buildBasicConditionRecord(record));
}

bool BasicConditionsPage::refuse(Page1Box box, std::string_view message, std::string_view title) {
    ui_.showMessage(inputErrorMessage(message, title));
    errorShown_ = true;
    focusRequest_ = box;
    return false;
}

} // namespace zelkora
