#pragma once

#include <optional>
#include <string>
#include <utility>

namespace zelkora::machines {

// A value, or the Japanese text that says which entry is wrong and why. The machine floor talks
// to the user about the machines it checks in its own words, naming the state, table or key.
template <typename T> class Checked {
public:
    Checked(T value) : value_(std::move(value)) {} // NOLINT(google-explicit-constructor)
    static Checked refused(const std::string& problem) {
        Checked checked;
        checked.problem_ = problem;
        return checked;
    }

    bool ok() const { return value_.has_value(); }
    const T& value() const& { return *value_; }
    T&& value() && { return std::move(*value_); }
    const std::string& problem() const { return problem_; }

private:
    Checked() = default;
    std::optional<T> value_;
    std::string problem_;
};

} // namespace zelkora::machines
