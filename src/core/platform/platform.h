#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// Everything the core needs from the platform. The desktop program implements these with Qt;
// the tests implement them with recording doubles, so a whole run, an Open or a Finish can be
// driven with no window.
namespace zelkora {

enum class MessageIcon : std::uint8_t { None, Critical, Question, Exclamation, Information };
enum class MessageButtons : std::uint8_t { Ok, OkCancel, YesNo };
enum class MessageResult : std::uint8_t { Ok, Cancel, Yes, No };
enum class PointerShape : std::uint8_t { Default, Hourglass, ArrowHourglass };

struct Message {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// A common file dialog as the file commands configure it.
struct FileDialogRequest {
    std::string title;
    std::string filter; // "Description|pattern|…|", with its trailing "|"
    std::string presetName;
    std::string initialFolder;
    bool overwritePrompt = false;
};

// Message boxes, the beep, the pointer and the file dialogs.
class UserInterface {
public:
    virtual ~UserInterface() = default;
    virtual MessageResult showMessage(const Message& message) = 0;
    virtual void beep() = 0;
    virtual void setPointer(PointerShape shape) = 0;
    // The chosen full path, or nothing when the user cancelled.
    virtual std::optional<std::string> openFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFileDialog(const FileDialogRequest& request) = 0;
};

// Lets the window process pending events inside a long loop. Called at the loop's yield points
// through YieldPoint, which skips the call until the count the last call returned runs out, so
// a yield point costs a decrement when it does not yield.
class EventPump {
public:
    virtual ~EventPump() = default;
    // Processes pending events; returns how many yield points to skip before the next call.
    virtual std::uint32_t processEvents() = 0;
};

// The two timers of the main window: Timer1 counts run seconds, Timer3 counts 1000 down to 1.
class RunTimers {
public:
    virtual ~RunTimers() = default;
    virtual int countdown() const = 0; // Timer3's counter, 1 … 1000
    virtual void setCountdownEnabled(bool enabled, int intervalMilliseconds) = 0;
    virtual std::int32_t runSeconds() const = 0; // Timer1's counter
    virtual void resetRunSeconds() = 0;
};

// A uniform generator of single-precision values in [0, 1), never re-seeded by the core.
// RandomStream pulls values in batches, so a draw in the spin loop is not a virtual call.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // How many values fill() should be asked for at once.
    virtual std::size_t preferredBatch() const { return 1024; }
    // Fills the span with the next values of the sequence, in order.
    virtual void fill(std::span<float> values) = 0;
};

} // namespace zelkora
