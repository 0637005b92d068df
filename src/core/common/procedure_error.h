#pragma once

#include <stdexcept>
#include <string>

namespace zelkora {

// A runtime fault inside a window procedure (an overflow, a bad number in a stored record, a
// symbol missing from the table). It ends the procedure that raised it; the command that
// called it decides what the user sees (the run ends with a message, the rebuild restores the
// window). The text is the Japanese message for the user.
class ProcedureError : public std::runtime_error {
public:
    explicit ProcedureError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace zelkora
