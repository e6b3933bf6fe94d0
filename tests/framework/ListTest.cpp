#include "framework/List.h"
#include "framework/Collection.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(List, HoldsPointersInOrderAndRejectsBadIndexes) {
    int a = 0, b = 0, c = 0;
    TList list;
    list.Add(&a);
    list.Add(&c);
    list.Insert(1, &b);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Get(1), &b);
    EXPECT_EQ(list.IndexOf(&c), 2);
    EXPECT_EQ(list.Remove(&a), 0);
    EXPECT_EQ(list.Remove(&a), -1);
    list.Put(0, &a);
    EXPECT_EQ(list.Get(0), &a);

    struct Row {
        const char* name;
        void (*act)(TList&);
        const char* message;
    } rows[] = {
        {"read past the end", [](TList& l) { l.Get(2); }, "List index out of bounds (2)"},
        {"write before the start", [](TList& l) { l.Put(-1, nullptr); }, "List index out of bounds (-1)"},
        {"insert past the end", [](TList& l) { l.Insert(3, nullptr); }, "List index out of bounds (3)"},
        {"delete past the end", [](TList& l) { l.Delete(2); }, "List index out of bounds (2)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            row.act(list);
            ADD_FAILURE() << "no error";
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message, row.message);
        }
        EXPECT_EQ(list.Count(), 2);
    }
}

struct Condition : TCollectionItem {
    AnsiString Text;
    void Assign(const TPersistent& Source) override { Text = dynamic_cast<const Condition&>(Source).Text; }
};

TEST(Collection, MakesOwnsAndCopiesItsItems) {
    TCollection conditions([] { return std::make_unique<Condition>(); });
    auto* first = static_cast<Condition*>(conditions.Add());
    first->Text = "a*";
    auto* inserted = static_cast<Condition*>(conditions.Insert(0));
    inserted->Text = ">5";
    EXPECT_EQ(first->Index(), 1);
    EXPECT_EQ(inserted->Collection(), &conditions);

    Condition replacement;
    replacement.Text = "<9";
    conditions.SetItem(1, replacement);
    EXPECT_EQ(static_cast<Condition*>(conditions.GetItem(1))->Text, "<9");

    TCollection copy([] { return std::make_unique<Condition>(); });
    copy.Assign(conditions);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(static_cast<Condition*>(copy.GetItem(0))->Text, ">5");
    EXPECT_NE(copy.GetItem(0), conditions.GetItem(0));

    conditions.Delete(0);
    EXPECT_EQ(static_cast<Condition*>(conditions.GetItem(0))->Text, "<9");
    EXPECT_THROW(conditions.GetItem(1), EListError);
    EXPECT_THROW(copy.Assign(replacement), EConvertError);
    conditions.Clear();
    EXPECT_EQ(conditions.Count(), 0);
}

} // namespace
