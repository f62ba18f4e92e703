#pragma once
// Reference tables of tests/functions/data, written by make_reference_tables.py with mpmath.
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace Reference {

// The rows of numbers of a table; lines that start with '#' are comments. strtod rather than
// stream extraction: it reads subnormal values too.
inline std::vector<std::vector<double>> ReadTable(const std::string& name) {
    std::ifstream in(std::string(SORIX_SOURCE_DIR) + "/tests/functions/data/" + name);
    std::vector<std::vector<double>> rows;
    std::string line, token;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::vector<double> row;
        while (fields >> token) row.push_back(std::strtod(token.c_str(), nullptr));
        rows.push_back(row);
    }
    return rows;
}

}  // namespace Reference
