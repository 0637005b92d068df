#pragma once

#include "common/error.h"
#include "model/main_window_model.h"
#include "platform/platform_seams.h"

#include <cstdint>

namespace zelkora {

enum class RebuildOutcome : std::uint8_t {
    NoRecords, // the working copy holds no run: the charts were cleared, nothing asked
    Declined,  // the user answered No: nothing touched
    Rebuilt,   // every result record replayed
    Failed,    // stopped at a bad record, and said so; the figures show what was reached
};

// 検証データ再構築: asks whether to replay the working copy's result records (as many as the
// result-record counter that IndPreset set) and, on Yes, replays every one through the same
// accumulation the live run uses, refilling the figures, the distributions, the grids and the
// charts. The window is locked while it runs and always unlocked at the end. Fails at the first
// record it cannot replay, naming the working copy and the record; the figures then show what
// was reached.
// The rebuild talks to the question and the pointer, the yields and Timer3, and advances the
// program's one generator by exactly one draw, as a run start does.
Result<RebuildOutcome> 検証データ再構築(MainWindowModel& model, const PlatformSeams& seams);

// The result displays and the three grids cleared, as Open does before it reloads.
void clearResultDisplays(MainWindowModel& model);
// The same, and the figures a run and the rebuild set apart from the three strips: the
// 持ち玉比率, the 時短 spins, the day total's day and balance, and the distributions.
void clearShownFigures(MainWindowModel& model);

} // namespace zelkora
