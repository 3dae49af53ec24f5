#include "worked_examples.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <stdexcept>

namespace volantra::testing {
namespace {

// The table holds no quotes, so a record is its line split at the commas.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == '"') {
            throw std::runtime_error("worked examples: quotes are not supported: " + line);
        }
        if (c == ',') {
            fields.emplace_back();
        } else if (c != '\r') {
            fields.back().push_back(c);
        }
    }
    return fields;
}

int Percent(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        throw std::runtime_error("worked examples: not a whole percent: " + text);
    }
    return value;
}

std::vector<WorkedExample> Read(const char* path) {
    std::ifstream in(path);
    std::string line;
    if (!std::getline(in, line)) {
        throw std::runtime_error(std::string("worked examples: cannot read ") + path);
    }
    const std::vector<std::string> header = Fields(line);
    auto column = [&header](std::string_view name) {
        const auto found = std::find(header.begin(), header.end(), name);
        if (found == header.end()) {
            throw std::runtime_error("worked examples: no column " + std::string(name));
        }
        return static_cast<std::size_t>(found - header.begin());
    };
    std::vector<WorkedExample> examples;
    while (std::getline(in, line)) {
        if (line.empty() || line == "\r") {
            continue;
        }
        const std::vector<std::string> row = Fields(line);
        if (row.size() != header.size()) {
            throw std::runtime_error("worked examples: wrong field count in " + line);
        }
        auto at = [&](std::string_view name) { return row[column(name)]; };
        WorkedExample example{
            .name = at("name"),
            .screen = at("screen"),
            .asset = at("asset"),
            .strike = at("strike"),
            .maturity = at("maturity"),
            .volatility = Percent(at("volatility")),
            .interest = Percent(at("interest")),
            .dividend = at("dividend"),
            .dividendInterest = at("dividend_interest"),
            .dividendTime = at("dividend_time"),
            .shown = {},
        };
        for (std::string_view result : {"value", "delta", "gamma", "theta", "vega", "rho"}) {
            example.shown.push_back(at(result));
        }
        examples.push_back(std::move(example));
    }
    if (examples.empty()) {
        throw std::runtime_error(std::string("worked examples: no rows in ") + path);
    }
    return examples;
}

}  // namespace

const std::vector<WorkedExample>& WorkedExamples() {
    static const std::vector<WorkedExample> examples = Read(VOLANTRA_WORKED_EXAMPLES_PATH);
    return examples;
}

const WorkedExample& WorkedExampleNamed(std::string_view name) {
    const std::vector<WorkedExample>& examples = WorkedExamples();
    const auto found = std::find_if(examples.begin(), examples.end(),
                                    [name](const WorkedExample& e) { return e.name == name; });
    if (found == examples.end()) {
        throw std::runtime_error("worked examples: no example named " + std::string(name));
    }
    return *found;
}

std::string ShownFields(std::string_view name, char delimiter, std::size_t count) {
    std::string fields;
    for (std::size_t i = 0; i < count; ++i) {
        fields += WorkedExampleNamed(name).shown.at(i) + delimiter;
    }
    std::replace(fields.begin(), fields.end(), '.', delimiter == ';' ? ',' : '.');
    return fields;
}

}  // namespace volantra::testing
