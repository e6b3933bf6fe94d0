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

// How doc's lines break: at blanks, a word wider than a line where the line is full. Breaking at
// blanks, Qt lays out a word wider than a line in a time that grows with the square of its length
// (on each line it looks through the rest of the word for a blank), a word of many runs of
// formatting most of all, so a document holding a word of ten thousand characters breaks anywhere.
QTextOption::WrapMode WrapModeOf(const QTextDocument& doc);
