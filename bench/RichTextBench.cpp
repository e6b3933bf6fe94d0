// Rich text read into an edit: one long paragraph, whose runs go in whole, of words or of one word
// with no blank at all.
#include "framework/RichEdit.h"
#include "framework/RichText.h"
#include "grid/RichCells.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// One paragraph of characters words long, every tenth word bold.
std::string LongParagraph(int characters) {
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}\\f0 ";
    for (int word = 0; static_cast<int>(rtf.size()) < characters; ++word)
        rtf += word % 10 == 9 ? "{\\b sewer} " : "sewer ";
    return rtf + "}";
}

void SetLongRichText(benchmark::State& state) {
    const std::string rtf = LongParagraph(static_cast<int>(state.range(0)));
    TRichEdit edit(nullptr);
    edit.SetBounds(0, 0, 400, 100);
    for (auto _ : state)
        edit.SetRichText(rtf);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
// 100,000 characters well under half a second.
BENCHMARK(SetLongRichText)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One paragraph of characters without a blank, every other run of nine bold.
std::string WordParagraph(int characters) {
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}\\f0 ";
    for (int run = 0; run * 9 < characters; ++run)
        rtf += run % 2 == 1 ? "{\\b sewerpipe}" : "sewerpipe";
    return rtf + "}";
}

// Read into an edit 400 pixels wide, and into one 37 pixels wide: the word breaks where a line
// is full. 100,000 characters well under half a second.
void SetLongRichWord(benchmark::State& state) {
    const std::string rtf = WordParagraph(static_cast<int>(state.range(0)));
    TRichEdit edit(nullptr);
    edit.SetBounds(0, 0, static_cast<int>(state.range(1)), 100);
    for (auto _ : state)
        edit.SetRichText(rtf);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(SetLongRichWord)
    ->Args({10000, 400})
    ->Args({100000, 400})
    ->Args({100000, 37})
    ->ArgNames({"characters", "pixels"})
    ->Unit(benchmark::kMillisecond);

// The same paragraph laid out for a printed cell 100 mm and 10 mm wide, each time in a new store
// as a changed cell would be. 100,000 characters well under half a second.
void PrintLongRichWord(benchmark::State& state) {
    const AnsiString rtf = WordParagraph(static_cast<int>(state.range(0)));
    TFont font;
    font.SetName("Arial");
    font.SetSize(10);
    for (auto _ : state) {
        TRichCells cells;
        benchmark::DoNotOptimize(cells.PrintedLines(rtf, font, static_cast<int>(state.range(1))));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(PrintLongRichWord)
    ->Args({100000, 1000})
    ->Args({100000, 100})
    ->ArgNames({"characters", "tenths"})
    ->Unit(benchmark::kMillisecond);

// One paragraph of Shift-JIS characters escaped as a word processor writes them, every other one
// closed by an ASCII byte: each byte is looked at once. 100,000 characters well under a tenth of a
// second.
void ReadDoubleByteParagraph(benchmark::State& state) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg932 ";
    for (int character = 0; character < state.range(0); character += 2)
        rtf += "\\'81A\\'82\\'a0";
    rtf += "}";
    for (auto _ : state)
        benchmark::DoNotOptimize(RtfToPlainText(rtf));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ReadDoubleByteParagraph)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
