#pragma once

#include "default_verification.h"
#include "runner.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

// Runs zelkora-run in-process and keeps what it printed.
namespace zelkora::testing {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

inline Outcome run(std::vector<std::string> arguments) {
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::runVerification(views, out, err);
    return {status, out.str(), err.str()};
}

// The "key":value member of a one-line JSON report (value quotes included), or "" when missing.
inline std::string member(const std::string& json, const std::string& key) {
    const std::string start = "\"" + key + "\":";
    const std::size_t at = json.find(start);
    if (at == std::string::npos) {
        return "";
    }
    const std::size_t value = at + start.size();
    return json.substr(value, json.find_first_of(",}", value) - value);
}

// The value of a string member without its quotes; a number member as it stands.
inline std::string unquotedMember(const std::string& json, const std::string& key) {
    const std::string value = member(json, key);
    return value.size() >= 2 && value.front() == '"' ? value.substr(1, value.size() - 2) : value;
}

// A temporary folder holding the default verification as v.pac.
class DefaultVerificationTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(cli::writeDefaultVerification(verification_), ""); }

    TempFolder folder_;
    const std::string verification_ = folder_.file("v.pac").string();
};

} // namespace zelkora::testing
