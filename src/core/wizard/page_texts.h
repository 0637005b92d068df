#pragma once

#include "conditions/condition_set.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// What the three condition pages show besides the values they edit: captions, labels, notes,
// button captions, list entries and the one-line help of each control. The dialogs only display
// these; every text lives here, next to the rules of the pages.
namespace zelkora {

enum class WizardPage : std::uint8_t { 条件1, 条件T, 条件2 };
inline constexpr std::array<WizardPage, 3> kWizardPages{WizardPage::条件1, WizardPage::条件T,
                                                        WizardPage::条件2};

// A text shown on or beside one control, by the control's name.
struct ControlText {
    std::string_view control;
    std::string_view text;
};

// The label before a box and the unit after it ("大当り確率:" … "分の一").
struct BoxLabel {
    std::string_view control;
    std::string_view label;
    std::string_view suffix;
};

struct PageTexts {
    std::string_view form;                 // the page's form name; its background's help key
    std::string_view caption;              // the window caption
    std::span<const BoxLabel> boxLabels;   // one per box, in the order of the page
    std::span<const ControlText> captions; // buttons, frames, option buttons, fixed labels
    std::span<const ControlText> helpTexts;
};

const PageTexts& pageTexts(WizardPage page);

// The help text a control of the page writes into status panel 1; the page's form name stands
// for its background. Nothing for a control that explains nothing.
std::optional<std::string_view> pageHelpText(WizardPage page, std::string_view control);

// --- Drop-down lists ------------------------------------------------------------------------

inline constexpr std::array<std::string_view, 2> kYesNoEntries{kYes, kNo};
inline constexpr std::array<std::string_view, 3> kInvestmentUnitEntries{"100", "500", "1000"};

// --- Page 2: the service-time options and the slot boxes ----------------------------------------

struct ServiceTimeOption {
    std::string_view control;
    std::uint8_t code;
    std::string_view caption;
    std::string_view help;
};
extern const std::array<ServiceTimeOption, 3> kServiceTimeOptions;

// The slot boxes Text1 … Text14 under the hour scale.
inline constexpr std::string_view kSlotBoxPrefix = "Text";
// The help the instruction above the slots shows under the pointer and the hour scale on a click.
inline constexpr std::string_view kSlotInstructionLabel = "Label_説明";
inline constexpr std::string_view kHourScaleLabel = "Label_時刻";

// --- Page 3: the symbol grid and the rule-option panel ----------------------------------------

inline constexpr std::array<int, 5> kSymbolGridWidthsTwips{1200, 1100, 700, 2070, 700};
// The frames Frame1 … Frame4 of the panel Picture1 hold the groups of kRuleOptionGroups.
inline constexpr std::string_view kRuleFramePrefix = "Frame";

} // namespace zelkora
