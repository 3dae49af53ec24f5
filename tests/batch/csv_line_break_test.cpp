// Line breaks inside quoted fields survive reading and writing as they were.
#include <gtest/gtest.h>

#include <sstream>

#include "batch/csv.h"

namespace volantra {
namespace {

std::vector<std::string> ReadRecord(const std::string& csv) {
    std::istringstream in(csv);
    CsvReader reader(in);
    std::vector<std::string_view> fields;
    EXPECT_TRUE(reader.Next(fields));
    return {fields.begin(), fields.end()};
}

TEST(CsvLineBreaks, AQuotedCrLfIsReadWithItsCarriageReturn) {
    EXPECT_EQ(ReadRecord("\"a\r\nb\",c\r\n"), (std::vector<std::string>{"a\r\nb", "c"}));
    EXPECT_EQ(ReadRecord("\"a\nb\",c\n"), (std::vector<std::string>{"a\nb", "c"}));
}

TEST(CsvLineBreaks, WhatIsWrittenReadsBackTheSame) {
    for (std::string field : {"a\r\nb", "a\nb", "a\rb", "x\r\n\r\ny", "\"q\",\r\n"}) {
        std::string line;
        AppendCsvField(line, field);
        line += ",end\r\n";
        EXPECT_EQ(ReadRecord(line), (std::vector<std::string>{field, "end"})) << line;
    }
}

}  // namespace
}  // namespace volantra
