#pragma once

#include <cstdint>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <variant>

// One way to report an error. A procedure that can fail returns a Result: its value, or an
// Error that says what failed, where (the file, the record, the column) and what the system
// reported. Errors carry no text for the user; the commands floor composes the Japanese
// message from them in one place, so no English fragment can reach a message box.
namespace zelkora {

enum class ErrorKind : std::uint8_t {
    // A file as a whole.
    FileMissing,
    CannotOpen,
    CannotRead,
    CannotWrite, // a full disk and a read-only file included
    CannotCopy,
    CannotReplace, // the finished temporary file could not take the file's place
    CannotRemove,
    ConverterUnavailable, // the code page 932 tables could not be loaded

    // One record of a file, or one text.
    BadRecordNumber,
    RecordMissing, // the file ends before the record
    RecordDamaged, // a length past the record, a cut record, bytes that are not code page 932
    TextTooLong,   // the text's code page 932 form does not fit its record
    Unencodable,   // a character without a code page 932 form
    MalformedText, // text that is not valid UTF-8
    NotANumber,
    NumberOutOfRange, // a number its field cannot hold

    // What a verification file holds.
    NoConditions,
    BadSymbolCount,
    UnknownSymbol,

    // A figure the run or the rebuild cannot carry on with.
    Overflow,
    DivisionByZero,
    SymbolOutOfRange,
    StreakLimit,
    DayLimit,
    ResultRecordLimit,

    // Conditions a run cannot start with.
    NoPlayedSlot,
    SpinsPerThousandNotPositive,
    ExchangeRateNotPositive,
    TimeRatioNotPositive,
    NegativeSpinTime,
    SymbolCountNotWhole,
    DailyCapTooLarge,
    EndlessNextHitShortTime,

    // Theoretical figures that cannot be computed.
    NeverHits,
    EndlessStreak,
    TheoryTooLarge,

    OutOfMemory,
    ThreadNotStarted, // the system could not start a worker thread
    Unexpected,
};

// Why the program refused a file before the system was even asked: reasons that sit beside the
// system's own (a missing file, a full disk) in Error::system, so a message says either alike.
enum class FileRefusal : std::uint8_t {
    NotRegularFile = 1,     // a folder, a device, a pipe or a socket where a file belongs
    LargerThanVerification, // more bytes than the largest verification the records can address
    ReadOnlyFile,           // a file marked read-only (Windows refuses to replace it)
};
const std::error_category& fileRefusalCategory();
inline std::error_code make_error_code(FileRefusal refusal) {
    return {static_cast<int>(refusal), fileRefusalCategory()};
}

struct Error {
    explicit Error(ErrorKind what = ErrorKind::Unexpected) : kind(what) {}

    ErrorKind kind;
    std::filesystem::path path; // the file concerned; empty when none
    std::int64_t record = 0;    // the record number; 0 when none
    int column = 0;             // the column, 1 … 11; 0 when none
    std::string text;           // the offending text, or the name of the figure
    std::int64_t number = 0;    // a count that explains it (a position, a size, a day)
    std::error_code system;     // what the system reported, when it did

    // Builders for the details a caller knows, e.g. Error{kind}.inFile(path).inRecord(98).
    Error&& inFile(std::filesystem::path file) && {
        path = std::move(file);
        return std::move(*this);
    }
    Error&& inRecord(std::int64_t recordNumber) && {
        record = recordNumber;
        return std::move(*this);
    }
    Error&& atColumn(int columnNumber) && {
        column = columnNumber;
        return std::move(*this);
    }
    Error&& about(std::string offending) && {
        text = std::move(offending);
        return std::move(*this);
    }
    Error&& counting(std::int64_t count) && {
        number = count;
        return std::move(*this);
    }
    Error&& because(std::error_code reported) && {
        system = reported;
        return std::move(*this);
    }
};

// A value or the Error that kept it from being made.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    Error& error() & { return std::get<1>(state_); }
    const Error& error() const& { return std::get<1>(state_); }
    Error&& error() && { return std::get<1>(std::move(state_)); }

private:
    std::variant<T, Error> state_;
};

// Success, or the Error.
template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : error_(std::move(error)) {}

    bool ok() const { return !error_.has_value(); }
    explicit operator bool() const { return ok(); }

    Error& error() & { return *error_; }
    const Error& error() const& { return *error_; }
    Error&& error() && { return std::move(*error_); }

private:
    std::optional<Error> error_;
};
using Status = Result<void>;

// Carries an Error out of the figure procedures, which run deep inside a big hit or a replayed
// record, to the procedure that started them (the run, the rebuild), which returns it as a
// Result. It never leaves the core.
class Fault : public std::exception {
public:
    explicit Fault(Error error) : error_(std::move(error)) {}
    const Error& error() const { return error_; }
    const char* what() const noexcept override { return "zelkora::Fault"; }

private:
    Error error_;
};

[[noreturn]] inline void raise(Error error) {
    throw Fault(std::move(error));
}
// Raises the Error of a failed Status; nothing when it succeeded.
inline void raiseIfFailed(Status status) {
    if (!status.ok()) {
        raise(std::move(status).error());
    }
}

// The Error behind any exception a procedure let escape: a Fault's own, or one that says the
// memory ran out or something unforeseen happened (with the system's reason and file when the
// exception carried them).
Error errorOfCurrentException();

} // namespace zelkora

template <> struct std::is_error_code_enum<zelkora::FileRefusal> : std::true_type {};
