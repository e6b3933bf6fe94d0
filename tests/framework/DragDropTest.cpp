#include "framework/DragDrop.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Says which hook a drop reached, with what.
class HeardTarget : public TAEDropTarget {
public:
    HeardTarget() : TAEDropTarget(TDropFamily::Grids) {}
    bool DropText(TPoint, const AnsiString& text) override {
        heard += "text " + text.str() + ";";
        return takesText;
    }
    bool DropRTF(TPoint, const AnsiString& rtf) override {
        heard += "rtf " + rtf.str() + ";";
        return takesText;
    }
    bool DropCol(TPoint, int col) override {
        heard += "col " + std::to_string(col) + ";";
        return true;
    }
    bool DropFiles(TPoint, const std::vector<AnsiString>& files) override {
        heard += "files " + std::to_string(files.size()) + ";";
        return takesFiles;
    }
    void DragMouseMove(TPoint, bool& allow) override {
        allow = true;
        formats = Formats;
    }
    std::string heard;
    TDropFormats formats;
    // What the drops write.
    bool takesText = true;
    bool takesFiles = true;
};

std::unique_ptr<QMimeData> WithColumnBytes(const QByteArray& bytes) {
    auto data = std::make_unique<QMimeData>();
    data->setData(MimeGridColumn, bytes);
    return data;
}

std::unique_ptr<QMimeData> Text(const char* text) {
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    return data;
}

std::unique_ptr<QMimeData> File() {
    auto data = std::make_unique<QMimeData>();
    data->setUrls({QUrl::fromLocalFile("/tmp/a.csv")});
    return data;
}

std::unique_ptr<QMimeData> TextAndFile() {
    auto data = File();
    data->setText("a");
    return data;
}

TEST(DragDrop, WhatATargetTakesAndWhichHookADropReaches) {
    constexpr unsigned text = 1u << dfText, file = 1u << dfFile, col = 1u << dfCol, rtf = 1u << dfRTF;
    const struct {
        const char* label;
        std::unique_ptr<QMimeData> data;
        bool acceptText, acceptFiles, acceptCols;
        const char* heard;
        unsigned formats;
    } rows[] = {
        {"a column beside empty texts, taken as text", ColumnData(3), true, true, false, "col 3;",
         text | col | rtf},
        {"a column to a target taking nothing but columns", ColumnData(70000), false, false, true,
         "col 70000;", text | col | rtf},
        {"a column to a target taking no text nor columns", ColumnData(3), false, true, false, "",
         text | col | rtf},
        {"a negative column, read back signed", ColumnData(-2), true, true, false, "col -2;",
         text | col | rtf},
        {"a column of three bytes", WithColumnBytes(QByteArray("\x05\x00\x00", 3)), false, false, true,
         "col -1;", col},
        {"text to a target taking none", Text("a"), false, true, true, "", text},
        {"text", Text("a"), true, false, false, "text a;", text},
        {"a file to a target taking none", File(), true, false, false, "", file},
        {"a file", File(), false, true, false, "files 1;", file},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        HeardTarget target;
        target.AcceptText = row.acceptText;
        target.AcceptFiles = row.acceptFiles;
        target.AcceptCols = row.acceptCols;
        const bool taken = *row.heard != '\0';
        EXPECT_EQ(target.DragEnter(*row.data, {}, Point(1, 1)), taken ? DROPEFFECT_MOVE : DROPEFFECT_NONE);
        target.DragOver({}, Point(1, 1));
        EXPECT_EQ(target.formats.Bits, row.formats);
        target.Drop(*row.data, {}, Point(1, 1));
        EXPECT_EQ(target.heard, row.heard);
    }
}

TEST(DragDrop, ADropThatWritesNothingHasNoEffect) {
    const struct {
        const char* label;
        std::unique_ptr<QMimeData> data;
        bool takesText, takesFiles;
        TShiftState keys;
        int effect;
    } rows[] = {
        {"text written", Text("a"), true, true, {}, DROPEFFECT_MOVE},
        {"text written with Ctrl", Text("a"), true, true, TShiftState() << ssCtrl, DROPEFFECT_COPY},
        {"text refused", Text("a"), false, true, {}, DROPEFFECT_NONE},
        {"text refused with Ctrl", Text("a"), false, true, TShiftState() << ssCtrl, DROPEFFECT_NONE},
        {"a file refused", File(), true, false, {}, DROPEFFECT_NONE},
        {"text refused, its file taken", TextAndFile(), false, true, {}, DROPEFFECT_MOVE},
        {"text taken, its file refused", TextAndFile(), true, false, {}, DROPEFFECT_MOVE},
        {"both refused", TextAndFile(), false, false, {}, DROPEFFECT_NONE},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        HeardTarget target;
        target.takesText = row.takesText;
        target.takesFiles = row.takesFiles;
        target.DragEnter(*row.data, row.keys, Point(1, 1));
        EXPECT_EQ(target.Drop(*row.data, row.keys, Point(1, 1)), row.effect);
    }
}

} // namespace
