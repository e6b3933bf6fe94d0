#include "framework/DragDrop.h"
#include "tests/controls/TypedEditSupport.h"
#include "tests/support/ScriptedResponder.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace {

// The drag events a drop at `at` sends to the box's view; the effect it had.
int DropOn(TTypedEdit& box, const QMimeData& data, QPoint at, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(box.View(), &enter);
    if (!enter.isAccepted())
        return DROPEFFECT_NONE;
    QDragMoveEvent move(at, actions, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(box.View(), &move);
    QDropEvent drop(QPointF(at), actions, &data, Qt::NoButton, keys);
    QApplication::sendEvent(box.View(), &drop);
    if (!drop.isAccepted())
        return DROPEFFECT_NONE;
    return drop.dropAction() == Qt::CopyAction ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

struct DragDrop : ShownBox {
    DragDrop() {
        Responder().Clear();
        for (TTypedEdit* each : {&box, form->Other}) {
            each->SetOleDropTarget(true);
            each->SetOleDropSource(true);
        }
    }
    ~DragDrop() override { Responder().Clear(); }

    // Selects from start to end of the box's text and drags the selection away with the mouse.
    void DragSelection(int start, int end) {
        FocusOn(box);
        box.SetSelection(start, end);
        UpdateStaleViews();
        const QPoint at = Over(box, (start + end) / 2);
        bool passOn = true;
        box.ViewMouseDown(mbLeft, {}, at.x(), at.y(), passOn);
        TShiftState held;
        held << ssLeft;
        box.ViewMouseMove(held, at.x() + 6, at.y());
    }
    TTypedEdit& other = *form->Other;
};

TEST_F(DragDrop, ADroppedTextGoesInWhereItLandsOneLineOnly) {
    box.SetText("abc");
    QMimeData data;
    data.setText("XY\r\nZ");
    // The lines left out stay with the source: the drop copies.
    EXPECT_EQ(DropOn(box, data, Over(box, 1)), DROPEFFECT_COPY);
    EXPECT_EQ(box.GetText(), "aXYbc");
    EXPECT_TRUE(box.GetModified());
    // Past the end it lands at the end.
    data.setText("XY\r\n");
    EXPECT_EQ(DropOn(box, data, QPoint(box.Width() - 3, 5)), DROPEFFECT_MOVE);
    EXPECT_EQ(box.GetText(), "aXYbcXY");
    // A number box takes only what it could read.
    other.SetEditType(etNumeric);
    other.SetText("12");
    DropOn(other, data, Over(other, 1));
    EXPECT_EQ(other.GetText(), "12");
    data.setText("3");
    DropOn(other, data, Over(other, 1));
    EXPECT_EQ(other.GetText(), "132");
}

TEST_F(DragDrop, FilesAreNotInsertedAndABoxWithoutATargetTakesNothing) {
    box.SetText("abc");
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/tmp/a.txt")});
    DropOn(box, files, Over(box, 1));
    EXPECT_EQ(box.GetText(), "abc");
    box.SetOleDropTarget(false);
    QMimeData text;
    text.setText("X");
    EXPECT_EQ(DropOn(box, text, Over(box, 1)), DROPEFFECT_NONE);
    EXPECT_EQ(box.GetText(), "abc");
}

TEST_F(DragDrop, AWordDraggedToAnotherBoxMovesOrWithCtrlIsCopied) {
    const BoxSetup readOnly{etString, 0, "", "", false, 0, true};
    const BoxSetup limited{etFloat, 0, "", "", false, 6};
    const struct {
        const char* label;
        Qt::KeyboardModifiers keys;
        bool dropped;
        const char* source;
        const char* target;
        int allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        BoxSetup setup = {};
        // The box's text; the characters from 6 to 11 are dragged.
        const char* text = "hello world";
    } rows[] = {
        {"move", Qt::NoModifier, true, "hello ", "xworld"},
        {"copy", Qt::ControlModifier, true, "hello world", "xworld"},
        {"cancelled", Qt::NoModifier, false, "hello world", "x"},
        // Mended: a move out of a read-only box deleted the dragged text.
        {"out of a read-only box", Qt::NoModifier, true, "hello world", "xworld", DROPEFFECT_COPY, readOnly},
        // Mended: a move took the point out, leaving an integer part longer than LengthLimit,
        // which Backspace, Delete and a cut refuse.
        {"out of a box it would leave too long", Qt::NoModifier, true, "123456.7890123", "x.7890",
         DROPEFFECT_COPY, limited, "123456.7890123"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Apply(box, row.setup);
        box.SetText(row.text);
        other.SetText("x");
        Responder().DragActions.push_back([&](const QMimeData& data) {
            return row.dropped ? DropOn(other, data, QPoint(other.Width() - 3, 5), row.keys)
                               : DROPEFFECT_NONE;
        });
        DragSelection(6, 11);
        ASSERT_EQ(Responder().DragsOffered.size(), 1u);
        EXPECT_EQ(Responder().DragsOffered[0].Text, std::string(row.text).substr(6, 5));
        EXPECT_EQ(Responder().DragsOffered[0].AllowedEffects, row.allowed);
        EXPECT_EQ(box.GetText(), row.source);
        EXPECT_EQ(other.GetText(), row.target);
        Responder().Clear();
    }
}

// Mended: a move of a selection that a write from code left reaching into the prefix or the
// suffix took their characters out of the box. Only the value's part moves, as a cut takes it.
TEST_F(DragDrop, AMoveTakesOnlyTheValuesPartOfTheSelection) {
    const struct {
        const char* label;
        BoxSetup setup;
        int start, end; // of the selection in the shown text, around the value "12"
        const char* moved;
        const char* shown; // the box after the move
    } rows[] = {
        {"into the prefix", {etString, 0, "$"}, 0, 2, "1", "$2"},
        {"into the suffix", {etString, 0, "", " m"}, 1, 4, "2", "1 m"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Apply(box, row.setup);
        box.SetText("12");
        other.SetText("x");
        Responder().DragActions.push_back(
            [&](const QMimeData& data) { return DropOn(other, data, QPoint(other.Width() - 3, 5)); });
        DragSelection(row.start, row.end);
        ASSERT_EQ(Responder().DragsOffered.size(), 1u);
        EXPECT_EQ(Responder().DragsOffered[0].Text, row.moved);
        EXPECT_EQ(box.GetWindowText(), row.shown);
        EXPECT_EQ(other.GetText(), std::string("x") + row.moved);
        Responder().Clear();
    }
}

TEST_F(DragDrop, WithinTheBoxTheTextMovesAndOntoItsOwnSelectionNothingChanges) {
    box.SetText("hello world");
    Responder().DragActions.push_back([&](const QMimeData& data) { return DropOn(box, data, Over(box, 8)); });
    DragSelection(6, 11);
    EXPECT_EQ(box.GetText(), "hello world");
    Responder().DragActions.push_back(
        [&](const QMimeData& data) { return DropOn(box, data, QPoint(box.Width() - 3, 5)); });
    DragSelection(0, 6);
    EXPECT_EQ(box.GetText(), "worldhello ");
}

TEST_F(DragDrop, ADropTheTargetCannotTakeLeavesTheSourceAsItWas) {
    const struct {
        const char* label;
        const char* source;
        TTypedEditType sourceType;
        int start, end;
        // The other box, or the source itself when null; where the drop lands.
        const char* target;
        int at;
        int effect;
        const char* sourceAfter;
        const char* targetAfter;
    } rows[] = {
        {"a word onto a number box", "hello world", etString, 6, 11, "12", 1, DROPEFFECT_NONE, "hello world",
         "12"},
        {"a sign to its own number's end", "-5", etNumeric, 0, 1, nullptr, 2, DROPEFFECT_NONE, "-5", nullptr},
        {"a digit onto a number box", "hello 3", etString, 6, 7, "12", 1, DROPEFFECT_MOVE, "hello ", "132"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        box.SetEditType(row.sourceType);
        box.SetText(row.source);
        other.SetEditType(etNumeric);
        other.SetText(row.target ? row.target : "");
        TTypedEdit& target = row.target ? other : box;
        int effect = -1;
        Responder().DragActions.push_back([&](const QMimeData& data) {
            effect = DropOn(target, data, Over(target, row.at));
            return effect;
        });
        // Pressed inside the selection and moved away with the button held, as a user drags.
        FocusOn(box);
        box.SetSelection(row.start, row.end);
        const QPoint at = Over(box, row.start);
        QTest::mousePress(box.View(), Qt::LeftButton, {}, at);
        QTest::mouseMove(box.View(), at + QPoint(8, 0));
        QTest::mouseRelease(box.View(), Qt::LeftButton, {}, at + QPoint(8, 0));
        ASSERT_EQ(Responder().DragsOffered.size(), 1u);
        EXPECT_EQ(effect, row.effect);
        EXPECT_EQ(box.GetText(), row.sourceAfter);
        if (row.target) {
            EXPECT_EQ(other.GetText(), row.targetAfter);
        }
        Responder().Clear();
    }
}

// Mended: a box whose MaxLength cut the dropped text took what fitted and answered move, so the
// source lost the rest. A drop goes in whole or not at all.
TEST_F(DragDrop, ABoxThatCannotHoldTheWholeTextTakesNone) {
    const struct {
        const char* label;
        int maxLength;
        const char* target;
        int effect;
        const char* source;
        const char* targetAfter;
    } rows[] = {
        {"onto a full box", 5, "abcde", DROPEFFECT_NONE, "hello world", "abcde"},
        {"onto a box with room for part", 5, "abc", DROPEFFECT_NONE, "hello world", "abc"},
        {"onto a box with room for all", 8, "abc", DROPEFFECT_MOVE, "hello ", "abcworld"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        box.SetText("hello world");
        other.MaxLength = row.maxLength;
        other.SetText(row.target);
        int effect = -1;
        Responder().DragActions.push_back([&](const QMimeData& data) {
            effect = DropOn(other, data, QPoint(other.Width() - 3, 5));
            return effect;
        });
        DragSelection(6, 11);
        EXPECT_EQ(effect, row.effect);
        EXPECT_EQ(box.GetText(), row.source);
        EXPECT_EQ(other.GetText(), row.targetAfter);
        Responder().Clear();
    }
    // The prefix and suffix count towards the length, as they do for typing.
    other.SetPrefix("$");
    other.SetText("ab");
    other.MaxLength = 4;
    QMimeData data;
    data.setText("cd");
    EXPECT_EQ(DropOn(other, data, Over(other, 2)), DROPEFFECT_NONE);
    EXPECT_EQ(other.GetWindowText(), "$ab");
    data.setText("c");
    EXPECT_EQ(DropOn(other, data, Over(other, 2)), DROPEFFECT_MOVE);
    EXPECT_EQ(other.GetWindowText(), "$acb");
}

// Mended: a digit dropped into grouped money was refused. The box regroups what it takes.
TEST_F(DragDrop, MoneyTakesADroppedDigitAndRegroups) {
    other.SetEditType(etMoney);
    other.SetText("1,234");
    QMimeData data;
    data.setText("5");
    EXPECT_EQ(DropOn(other, data, Over(other, 3)), DROPEFFECT_MOVE);
    EXPECT_EQ(other.GetText(), "12,534");
    EXPECT_DOUBLE_EQ(other.GetFloat(), 12534);
}

// A case box takes a drop in its case, as it takes typing and pastes.
TEST_F(DragDrop, ACaseBoxTakesADropInItsCase) {
    const struct {
        const char* label;
        TTypedEditType type;
        const char* target;
        const char* dropped;
        const char* shown;
    } rows[] = {
        {"upper case", etUppercase, "AB", "cé", "ABCÉ"},
        {"lower case", etLowerCase, "ab", "CÉ", "abcé"},
        {"mixed case", etMixedCase, "Jo", " smith", "Jo Smith"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        other.SetEditType(row.type);
        other.SetText(row.target);
        QMimeData data;
        data.setText(QString::fromUtf8(row.dropped));
        EXPECT_EQ(DropOn(other, data, QPoint(other.Width() - 3, 5)), DROPEFFECT_MOVE);
        EXPECT_EQ(other.GetText(), row.shown);
        EXPECT_EQ(other.GetSelStart(), other.GetText().Length());
    }
}

// A move within the box, the text taken out and put in again, is one step to undo.
TEST_F(DragDrop, AMoveWithinTheBoxUndoesInOneStep) {
    box.SetText("hello world");
    Responder().DragActions.push_back(
        [&](const QMimeData& data) { return DropOn(box, data, QPoint(box.Width() - 3, 5)); });
    DragSelection(0, 6);
    ASSERT_EQ(box.GetText(), "worldhello ");
    QTest::keyClick(box.View(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.GetText(), "hello world");
}

TEST_F(DragDrop, RichTextIsOfferedOnlyWhileTheBoxesAreAware) {
    const struct {
        bool boxes, grids, offered;
    } rows[] = {{false, false, false}, {false, true, false}, {true, false, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.boxes * 10 + row.grids);
        SetRTFAware(TDropFamily::Boxes, row.boxes);
        SetRTFAware(TDropFamily::Grids, row.grids);
        box.SetText("hello world");
        DragSelection(0, 5);
        ASSERT_EQ(Responder().DragsOffered.size(), 1u);
        const auto& formats = Responder().DragsOffered[0].Formats;
        EXPECT_EQ(std::find(formats.begin(), formats.end(), "text/rtf") != formats.end(), row.offered);
        EXPECT_NE(std::find(formats.begin(), formats.end(), "text/plain"), formats.end());
        EXPECT_EQ(box.GetText(), "hello world");
        Responder().Clear();
    }
    SetRTFAware(TDropFamily::Boxes, false);
    SetRTFAware(TDropFamily::Grids, false);
}

} // namespace
