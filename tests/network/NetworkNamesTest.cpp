#include "network/NetworkNames.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

namespace {

TEST(NetworkNames, ATypedNameIsTrimmedAndRefusedWhenTheFileCouldNotHoldIt) {
    const struct {
        const char* typed;
        const char* name;
        TNameFault fault;
        bool refused;
    } rows[] = {
        {"S1", "S1", nfNone, false},   {"  S1 \t", "S1", nfNone, false}, {"J_up", "J_up", nfNone, false},
        {"S#1", "S#1", nfNone, false}, {"Ä1", "Ä1", nfNone, false},      {"", "", nfEmpty, false},
        {"   ", "", nfEmpty, false},   {"S 1", "S 1", nfBlank, true},    {"S\t1", "S\t1", nfBlank, true},
        {"#S1", "#S1", nfHash, true},  {" #S1", "#S1", nfHash, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        const AnsiString name = TypedName(row.typed);
        EXPECT_EQ(name, row.name);
        EXPECT_EQ(NameFaultOf(name.view()), row.fault);
        EXPECT_EQ(!TypedNameRefusal(name).IsEmpty(), row.refused);
    }
}

TEST(NetworkNames, TheRefusalNamesTheRuleAndTheName) {
    EXPECT_EQ(TypedNameRefusal("S 1"),
              "The name \"S 1\" cannot be used: a sewer or junction name is one word, "
              "without blanks, and does not begin with \"#\".");
}

} // namespace
