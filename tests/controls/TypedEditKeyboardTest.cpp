#include "tests/controls/TypedEditSupport.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <string>
#include <vector>

namespace {

// One key stroke: text typed as characters, or a key with its modifiers.
struct Stroke {
    const char* text = nullptr;
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

Stroke Keys(const char* text) {
    return {text};
}

Stroke Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return {nullptr, key, modifiers};
}

struct BoxSettings {
    TTypedEditType type = etString;
    std::int16_t precision = 0;
    const char* prefix = "";
    const char* suffix = "";
    bool isSigned = false;
    std::int16_t lengthLimit = 0;
};

void Apply(TTypedEdit& box, const BoxSettings& settings) {
    box.SetEditType(settings.type);
    box.SetPrecision(settings.precision);
    box.SetPrefix(settings.prefix);
    box.SetSuffix(settings.suffix);
    box.Signed = settings.isSigned;
    box.LengthLimit = settings.lengthLimit;
}

struct TypingRow {
    const char* label;
    BoxSettings box;
    const char* start;
    int caret; // -1 keeps the selection focusing made: the whole value
    std::vector<Stroke> strokes;
    const char* shown;
    int caretAfter; // -1 for not checked
};

void Strike(TTypedEdit& box, const Stroke& stroke) {
    if (stroke.text)
        Type(box, stroke.text);
    else
        Press(box, stroke.key, stroke.modifiers);
}

void CheckTyping(const std::vector<TypingRow>& rows) {
    for (const TypingRow& row : rows) {
        SCOPED_TRACE(row.label);
        auto form = ShownTypedEditForm();
        TTypedEdit& box = *form->Box;
        Apply(box, row.box);
        box.SetText(row.start);
        FocusBox(box);
        if (row.caret >= 0)
            box.SetSelStart(row.caret);
        for (const Stroke& stroke : row.strokes)
            Strike(box, stroke);
        EXPECT_EQ(box.GetWindowText(), row.shown);
        EXPECT_EQ(static_cast<QLineEdit*>(box.View())->text().toStdString(), row.shown);
        if (row.caretAfter >= 0) {
            EXPECT_EQ(box.GetSelStart(), row.caretAfter);
            EXPECT_EQ(box.GetSelLength(), 0);
        }
    }
}

TEST(TypedEditKeyboard, FloatDecimalsAndOverwrite) {
    CheckTyping({
        {"digit inside a full fraction replaces the next", {etFloat, 2}, "1.25", 3, {Keys("7")}, "1.27", 4},
        {"digit at the end of a full fraction is refused", {etFloat, 2}, "1.25", 4, {Keys("7")}, "1.25", 4},
        {"right after the separator overwrites too", {etFloat, 2}, "1.25", 2, {Keys("93")}, "1.93", 4},
        {"integer part takes digits", {etFloat, 2}, "1.25", 0, {Keys("4")}, "41.25", 1},
        {"no decimals: the separator is refused", {etFloat, 0}, "12", 2, {Keys(".")}, "12", 2},
        {"separator into an empty box shows 0.", {etFloat, 2}, "", 0, {Keys(".")}, "0.", 2},
        {"and the fraction follows", {etFloat, 2}, "", 0, {Keys(".5")}, "0.5", 3},
        {"second separator moves the caret after the first",
         {etFloat, 2},
         "12.50",
         1,
         {Keys(".")},
         "12.50",
         3},
        {"typing over the whole value", {etFloat, 2}, "12.50", -1, {Keys("3.5")}, "3.5", 3},
        {"letters are ignored", {etFloat, 2}, "", 0, {Keys("1a2")}, "12", 2},
        {"unsigned box refuses minus", {etFloat, 2}, "12.50", 0, {Keys("-")}, "12.50", 0},
        {"signed box toggles a leading minus",
         {etFloat, 2, "", "", true},
         "12.50",
         3,
         {Keys("-")},
         "-12.50",
         4},
        {"and back again", {etFloat, 2, "", "", true}, "12.50", 3, {Keys("--")}, "12.50", 3},
        {"minus over a selection replaces it",
         {etFloat, 2, "", "", true},
         "12.50",
         -1,
         {Keys("-3")},
         "-3",
         2},
        {"thousand separator three from the caret", {etFloat}, "1234", 1, {Keys(",")}, "1,234", 2},
        {"thousand separator too near another", {etFloat}, "1,234", 3, {Keys(",")}, "1,234", 3},
    });
}

TEST(TypedEditKeyboard, IntegerMoneyHexAndRangeFilters) {
    CheckTyping({
        {"integer ignores letters", {etNumeric}, "12", 2, {Keys("a5")}, "125", 3},
        {"integer refuses minus unsigned", {etNumeric}, "42", 1, {Keys("-")}, "42", 1},
        {"integer toggles the sign anywhere", {etNumeric, 0, "", "", true}, "42", 1, {Keys("-")}, "-42", 2},
        {"money regroups while typing", {etMoney, 2}, "", 0, {Keys("1234")}, "1,234", 5},
        {"money keeps the fraction", {etMoney, 2}, "", 0, {Keys("1234.56")}, "1,234.56", 8},
        {"money fraction full at the end", {etMoney, 2}, "", 0, {Keys("1234.567")}, "1,234.56", 8},
        {"money signed", {etMoney, 0, "", "", true}, "1,234", 5, {Keys("-")}, "-1,234", 6},
        {"money regroups after backspace",
         {etMoney},
         "",
         0,
         {Keys("12345"), Key(Qt::Key_Backspace)},
         "1,234",
         5},
        {"hex takes hex digits only", {etHex}, "", 0, {Keys("1fz9")}, "1f9", 3},
        {"range accepts a list", {etRange}, "", 0, {Keys("1-3,5;7")}, "1-3,5;7", 7},
        {"range refuses a separator after another", {etRange}, "1-", 2, {Keys(",")}, "1-", 2},
        {"range refuses a separator before another", {etRange}, "1-", 1, {Keys(";")}, "1-", 1},
        {"range refuses a separator at the start", {etRange}, "1", 0, {Keys(";")}, "1", 0},
        {"range ignores letters", {etRange}, "1", 1, {Keys("x;2")}, "1;2", 3},
    });
}

TEST(TypedEditKeyboard, TextCases) {
    CheckTyping({
        {"upper case", {etUppercase}, "", 0, {Keys("abc1")}, "ABC1", 4},
        {"lower case", {etLowerCase}, "", 0, {Keys("ABC1")}, "abc1", 4},
        {"mixed case as typed", {etMixedCase}, "", 0, {Keys("john mcdonald ii")}, "John McDonald II", 16},
        {"mixed case inside a word", {etMixedCase}, "", 0, {Keys("tomcat")}, "Tomcat", 6},
        {"mixed case backspace keeps the caret",
         {etMixedCase},
         "",
         0,
         {Keys("anne"), Key(Qt::Key_Backspace), Key(Qt::Key_Backspace)},
         "An",
         2},
        {"plain text takes anything", {etString}, "", 0, {Keys("a-1.,;")}, "a-1.,;", 6},
    });
}

TEST(TypedEditKeyboard, LengthLimitHoldsTheIntegerPart) {
    CheckTyping({
        {"integer part stops at the limit", {etFloat, 2, "", "", false, 3}, "", 0, {Keys("12345")}, "123", 3},
        {"decimals still go in", {etFloat, 2, "", "", false, 3}, "", 0, {Keys("12345.678")}, "123.67", 6},
        {"backspace may not join too many digits",
         {etFloat, 2, "", "", false, 3},
         "123.45",
         4,
         {Key(Qt::Key_Backspace)},
         "123.45",
         4},
        {"delete may not join too many digits",
         {etFloat, 2, "", "", false, 3},
         "123.45",
         3,
         {Key(Qt::Key_Delete)},
         "123.45",
         3},
        {"backspace inside the integer part",
         {etFloat, 2, "", "", false, 3},
         "123.45",
         2,
         {Key(Qt::Key_Backspace)},
         "13.45",
         1},
    });
}

TEST(TypedEditKeyboard, CaretStaysBetweenPrefixAndSuffix) {
    CheckTyping({
        {"end stops before the suffix", {etFloat, 2, "", " m"}, "12.50", 0, {Key(Qt::Key_End)}, "12.50 m", 5},
        {"right at the value's end is dropped",
         {etFloat, 2, "", " m"},
         "12.50",
         0,
         {Key(Qt::Key_End), Key(Qt::Key_Right)},
         "12.50 m",
         5},
        {"delete at the value's end is dropped",
         {etString, 0, "", " m"},
         "ab",
         2,
         {Key(Qt::Key_Delete)},
         "ab m",
         2},
        {"home stops after the prefix",
         {etFloat, 2, "$"},
         "5.00",
         4,
         {Key(Qt::Key_Home), Keys("1")},
         "$15.00",
         2},
        {"left at the prefix end is dropped", {etFloat, 2, "$"}, "5.00", 1, {Key(Qt::Key_Left)}, "$5.00", 1},
        {"backspace at the prefix end is refused",
         {etString, 0, "$"},
         "ab",
         1,
         {Key(Qt::Key_Backspace)},
         "$ab",
         1},
        {"backspace after the first character works",
         {etString, 0, "$"},
         "ab",
         2,
         {Key(Qt::Key_Backspace)},
         "$b",
         1},
        {"separator into an empty prefixed box", {etFloat, 2, "$"}, "", 1, {Keys(".5")}, "$0.5", 4},
    });
    auto form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    box.SetEditType(etFloat);
    box.SetPrecision(2);
    box.SetPrefix("L=");
    box.SetSuffix(" m");
    box.SetText("12.5");
    FocusBox(box);
    box.SetSelStart(4);
    Press(box, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(box.GetSelText(), "12.50");
    box.SetSelStart(3);
    Press(box, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(box.GetSelText(), "2.50");
}

TEST(TypedEditKeyboard, KeypadDecimalKeyTypesTheLocaleSeparator) {
    const LocaleSeparators comma(',', '.');
    auto form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    box.SetEditType(etFloat);
    box.SetPrecision(2);
    box.ExcelStyleDecimalSeparator = true;
    box.SetText("");
    FocusBox(box);
    Press(box, Qt::Key_Period, Qt::KeypadModifier);
    Type(box, "5");
    EXPECT_EQ(box.GetText(), "0,5");
    EXPECT_DOUBLE_EQ(box.GetFloat(), 0.5);
}

// Records the keys that reach a window.
class KeyRecorder : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(event);
            Keys.push_back((event->type() == QEvent::KeyPress ? "down " : "up ") +
                           std::to_string(key->key()));
        }
        return false;
    }
    std::vector<std::string> Keys;
};

TEST(TypedEditKeyboard, EnterGoesToTheWindowAndCanMoveOn) {
    auto form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    KeyRecorder recorder;
    form->View()->installEventFilter(&recorder);
    std::vector<std::string> pressed;
    box.OnKeyPress = [&](TObject*, char& key) { pressed.push_back(std::string(1, key)); };
    FocusBox(box);
    Type(box, "ab");
    Press(box, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(box.GetText(), "ab");
    const std::vector<std::string> typed{"a", "b", "\r"};
    EXPECT_EQ(pressed, typed);
    const std::vector<std::string> posted{"down " + std::to_string(Qt::Key_Return),
                                          "up " + std::to_string(Qt::Key_Return)};
    EXPECT_EQ(recorder.Keys, posted);
    EXPECT_TRUE(box.Focused());

    box.ReturnIsTab = true;
    Press(box, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(form->Other->Focused());
}

TEST(TypedEditKeyboard, FullLengthMovesOn) {
    for (const char* prefix : {"", "#"}) {
        SCOPED_TRACE(prefix);
        auto form = ShownTypedEditForm();
        TTypedEdit& box = *form->Box;
        box.SetEditType(etNumeric);
        box.SetPrefix(prefix);
        box.SetText("");
        box.LengthLimit = 3;
        box.TabOnFullLength = true;
        FocusBox(box);
        Type(box, "12");
        QApplication::processEvents();
        EXPECT_TRUE(box.Focused());
        Type(box, "3");
        QApplication::processEvents();
        EXPECT_TRUE(form->Other->Focused());
        EXPECT_EQ(box.GetText(), "123");
    }
}

TEST(TypedEditKeyboard, EscapeBringsBackTheValueAtFocus) {
    auto form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    KeyRecorder recorder;
    form->View()->installEventFilter(&recorder);
    box.SetEditType(etFloat);
    box.SetPrecision(2);
    box.ShowModified = true;
    box.ModifiedColor = clRed;
    box.SetText("1.5");
    FocusBox(box);
    Type(box, "7");
    EXPECT_EQ(box.GetText(), "7");
    EXPECT_TRUE(box.GetModified());
    EXPECT_EQ(box.Font.Color, clRed);
    Press(box, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(box.GetText(), "1.50");
    EXPECT_FALSE(box.GetModified());
    EXPECT_EQ(box.Font.Color, clWindowText);
    EXPECT_EQ(box.GetSelText(), "1.50");
    const std::vector<std::string> posted{"down " + std::to_string(Qt::Key_Escape),
                                          "up " + std::to_string(Qt::Key_Escape)};
    EXPECT_EQ(recorder.Keys, posted);

    // Without undo Escape leaves the text alone and goes nowhere.
    recorder.Keys.clear();
    box.SetCanUndo(false);
    Type(box, "8");
    Press(box, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(box.GetText(), "8");
    EXPECT_TRUE(recorder.Keys.empty());
}

TEST(TypedEditKeyboard, LeavingTheBoxReformats) {
    struct Row {
        const char* label;
        TTypedEditType type;
        std::int16_t precision;
        const char* typed;
        const char* shown;
        bool modified;
    } rows[] = {
        {"float to its decimals", etFloat, 2, "3", "3.00", true},
        {"empty float", etFloat, 2, "", "0.00", true},
        {"float without decimals keeps the text", etFloat, 0, "3", "3", true},
        {"empty float without decimals", etFloat, 0, "", "0", true},
        {"money", etMoney, 2, "1234", "1,234.00", true},
        {"empty integer", etNumeric, 0, "", "0", false},
        {"integer kept", etNumeric, 0, "12", "12", true},
        {"text kept", etString, 0, "ab", "ab", true},
    };
    auto form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        box.SetEditType(etString);
        box.SetText("");
        box.SetEditType(row.type);
        box.SetPrecision(row.precision);
        box.SetText("");
        FocusBox(box);
        Type(box, row.typed);
        Press(box, Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_TRUE(form->Other->Focused());
        EXPECT_EQ(box.GetWindowText(), row.shown);
        EXPECT_EQ(box.GetModified(), row.modified);
    }
}

TEST(TypedEditKeyboard, EventsFromTypingComeInOrder) {
    auto form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    box.SetEditType(etFloat);
    box.SetPrecision(2);
    box.SetText("");
    std::vector<std::string> events;
    box.OnEnter = [&](TObject*) { events.push_back("enter"); };
    box.OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        events.push_back("down " + std::to_string(key));
    };
    box.OnKeyPress = [&](TObject*, char& key) { events.push_back(std::string("press ") + key); };
    box.OnChange = [&](TObject*) { events.push_back("change " + box.GetText().str()); };
    box.OnValueValidate = [&](TObject*, const AnsiString& value, bool&) {
        events.push_back("validate " + value.str());
    };
    box.OnExit = [&](TObject*) { events.push_back("exit " + box.GetText().str()); };
    FocusBox(box);
    Type(box, "3x");
    Press(box, Qt::Key_Tab);
    QApplication::processEvents();
    const std::vector<std::string> expected{
        "enter",   "down 51",     "press 3",       "change 3",      "validate 3",
        "down 88", "change 3.00", "validate 3.00", "validate 3.00", "exit 3.00",
    };
    EXPECT_EQ(events, expected);
}

TEST(TypedEditKeyboard, ReadOnlyBoxTakesNoTyping) {
    struct Row {
        const char* label;
        TTypedEditType type;
        std::int16_t precision;
        const char* start;
        int caret;
        std::vector<Stroke> strokes;
    } rows[] = {
        {"digits and backspace", etNumeric, 0, "12", 2, {Keys("3"), Key(Qt::Key_Backspace)}},
        {"sign toggle", etNumeric, 0, "12", 2, {Keys("-")}},
        {"leading zero before a separator", etFloat, 2, "", 0, {Keys(".")}},
        {"capitals", etMixedCase, 0, "john", 4, {Keys("x")}},
        {"regrouping", etMoney, 0, "1234", 4, {Keys("5"), Key(Qt::Key_Delete)}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        auto form = ShownTypedEditForm();
        TTypedEdit& box = *form->Box;
        box.SetEditType(row.type);
        box.SetPrecision(row.precision);
        box.Signed = true;
        box.SetText(row.start);
        box.SetReadOnly(true);
        FocusBox(box);
        box.SetSelStart(row.caret);
        for (const Stroke& stroke : row.strokes)
            Strike(box, stroke);
        EXPECT_EQ(box.GetWindowText(), row.start);
        EXPECT_FALSE(box.GetModified());
    }
}

} // namespace
