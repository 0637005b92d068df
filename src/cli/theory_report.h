#pragma once

#include "analysis/theory.h"
#include "run_options.h"

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

namespace zelkora::cli {

// The theoretical figures with their assumptions, as a table for a person and as JSON.
std::string theoryText(std::string_view verification, const TheoreticalFigures& figures);
nlohmann::ordered_json theoryJson(std::string_view verification, const TheoreticalFigures& figures);

// zelkora-run FILE.pac --theory: loads the file and prints its theoretical figures.
int printTheory(const RunOptions& options, std::ostream& out, std::ostream& err);

} // namespace zelkora::cli
