#pragma once

#include <QTextOption>

#include <string>
#include <string_view>

class QTextBlock;
class QTextDocument;

// Rich text read into doc, emptied first: paragraphs, "\line" breaks, tabs, and the fonts,
// sizes, colours, highlights, bold, italic, underline, strike-out and raised, lowered, super-
// and subscript characters of the runs. A text that does not begin with "{\rtf" goes in as
// plain text.
void RtfToDocument(std::string_view rtf, QTextDocument& doc);
// doc as rich text that RtfToDocument reads back the same: a font and a colour table, then the
// paragraphs with the control words of each run's formatting.
std::string DocumentToRtf(const QTextDocument& doc);

class QTextCharFormat;
// Characters raised by halfPoints above the baseline (lowered when negative) in a font of
// points, kept exactly for "\up" and "\dn".
void SetRaisedBy(QTextCharFormat& format, int halfPoints, double points);
int RaisedBy(const QTextCharFormat& format);

// Whether the paragraphs from block up to the one holding position to hold a word of a thousand
// characters or more: Qt looks through the whole rest of such a word for a blank on each of its
// lines, so text holding one breaks anywhere instead, where a line is full either way.
bool HoldsOverlongWord(QTextBlock block, int to);
// How doc's lines break: at blanks, or anywhere when it holds such a word.
QTextOption::WrapMode WrapModeOf(const QTextDocument& doc);
