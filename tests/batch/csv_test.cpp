#include "batch/csv.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace volantra {
namespace {

using Record = std::vector<std::string>;

struct ReadRecord {
    Record fields;
    std::size_t line;  // where the record began
};

// Every record of `text`, copied out of the reader's views.
std::vector<ReadRecord> ReadAll(const std::string& text) {
    std::istringstream in(text);
    CsvReader reader(in);
    std::vector<ReadRecord> records;
    std::vector<std::string_view> fields;
    while (reader.Next(fields)) {
        records.push_back({Record(fields.begin(), fields.end()), reader.Line()});
    }
    EXPECT_FALSE(reader.Failed());
    return records;
}

std::vector<Record> FieldsOf(const std::vector<ReadRecord>& records) {
    std::vector<Record> fields;
    for (const ReadRecord& record : records) {
        fields.push_back(record.fields);
    }
    return fields;
}

TEST(CsvReader, SplitsPlainLinesAtEveryCommaKeepingEmptyFields) {
    EXPECT_EQ(FieldsOf(ReadAll("a,b,c\n,,\n,x\ny,\nlast")),
              (std::vector<Record>{{"a", "b", "c"}, {"", "", ""}, {"", "x"}, {"y", ""}, {"last"}}));
    EXPECT_EQ(FieldsOf(ReadAll(" a , b\t\n")), (std::vector<Record>{{" a ", " b\t"}}));
}

TEST(CsvReader, DropsTheCarriageReturnOfCrlfLines) {
    EXPECT_EQ(FieldsOf(ReadAll("a,b\r\nc,\r\n\"q\",d\r\n")),
              (std::vector<Record>{{"a", "b"}, {"c", ""}, {"q", "d"}}));
    // Only the one before the line feed: one inside a quoted field stays.
    EXPECT_EQ(FieldsOf(ReadAll("\"a\rb\",c\r\n")), (std::vector<Record>{{"a\rb", "c"}}));
}

TEST(CsvReader, SkipsBlankLinesAndCountsThemInLineNumbers) {
    const std::vector<ReadRecord> records = ReadAll("\na\n\r\n\nb\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].fields, Record{"a"});
    EXPECT_EQ(records[0].line, 2u);
    EXPECT_EQ(records[1].fields, Record{"b"});
    EXPECT_EQ(records[1].line, 5u);
    EXPECT_TRUE(ReadAll("").empty());
    EXPECT_TRUE(ReadAll("\n\r\n").empty());
}

TEST(CsvReader, QuotedFieldsHoldCommasDoubledQuotesAndLineBreaks) {
    const std::vector<ReadRecord> records =
        ReadAll("\"1,5\",\"say \"\"hi\"\"\",\"\"\n\"two\nlines\",x\nnext,\"\"\"\"\n");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].fields, (Record{"1,5", "say \"hi\"", ""}));
    EXPECT_EQ(records[1].fields, (Record{"two\nlines", "x"}));
    EXPECT_EQ(records[1].line, 2u);
    EXPECT_EQ(records[2].fields, (Record{"next", "\""}));
    EXPECT_EQ(records[2].line, 4u);  // the quoted line break took line 3
}

TEST(CsvReader, OnlyAQuoteThatBeginsAFieldQuotesIt) {
    EXPECT_EQ(FieldsOf(ReadAll("a\"b,c\"d,e\n")), (std::vector<Record>{{"a\"b", "c\"d", "e"}}));
    EXPECT_EQ(FieldsOf(ReadAll("\"a,b\"c\"d,e\n")), (std::vector<Record>{{"a,bc\"d", "e"}}));
}

TEST(CsvReader, AnUnclosedQuoteEndsTheRecordsAndNamesTheLineWhereItOpened) {
    std::istringstream in("a,b\nc,\"open,\nmore\r\nrest\n");
    CsvReader reader(in);
    std::vector<std::string_view> fields;
    ASSERT_TRUE(reader.Next(fields));
    EXPECT_EQ(Record(fields.begin(), fields.end()), (Record{"a", "b"}));
    EXPECT_FALSE(reader.Next(fields));
    EXPECT_EQ(reader.UnclosedQuoteLine(), 2u);
    EXPECT_FALSE(reader.Failed());
}

TEST(CsvReader, APlainRecordAfterAQuotedOneHoldsOnlyItsOwnFields) {
    std::istringstream in("\"x,1\",y\nplain,z\n");
    CsvReader reader(in);
    std::vector<std::string_view> fields;
    ASSERT_TRUE(reader.Next(fields));
    EXPECT_EQ(Record(fields.begin(), fields.end()), (Record{"x,1", "y"}));
    ASSERT_TRUE(reader.Next(fields));
    EXPECT_EQ(Record(fields.begin(), fields.end()), (Record{"plain", "z"}));
    EXPECT_FALSE(reader.Next(fields));
}

TEST(AppendCsvField, QuotesOnlyWhatNeedsItAndReadsBackUnchanged) {
    const Record fields = {"plain", "", "1,5", "say \"hi\"", "two\nlines", "cr\rhere", " pad "};
    std::string line;
    for (const std::string& field : fields) {
        if (&field != &fields.front()) {
            line.push_back(',');
        }
        AppendCsvField(line, field);
    }
    EXPECT_EQ(line, "plain,,\"1,5\",\"say \"\"hi\"\"\",\"two\nlines\",\"cr\rhere\", pad ");
    EXPECT_EQ(FieldsOf(ReadAll(line + "\n")), std::vector<Record>{fields});
}

}  // namespace
}  // namespace volantra
