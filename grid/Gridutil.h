#pragma once

#include "framework/AnsiString.h"
#include "framework/DateTime.h"
#include "framework/Geometry.h"
#include "framework/Graphics.h"
#include "framework/GridTypes.h"

#include <string_view>

class TBitmap;
class TCanvas;
class TControl;
class TStringList;

// Text utilities of the grid. Texts are UTF-8; positions are 1-based and count bytes; CR is
// character 13, LF character 10.

enum TTextType { ttText, ttHTML, ttRTF, ttFormula, ttURL };

// Formula ("=..."), then rich text ("{\..."), then, with EnableHTML, HTML (holding "</", "<B"
// or "<I", case-sensitive); anything else is plain text. ttURL is never answered.
TTextType TextType(const AnsiString& S, bool EnableHTML);
// 0 integer, 1 float (locale separators, thousands in groups), 2 anything else.
int IsType(const AnsiString& S);
// A displayed number made readable by the number conversion: blanks, leading signs of
// currency and thousand separators dropped, the decimal separator as '.', "(...)" negative;
// an exponent is kept.
AnsiString RemoveSeps(const AnsiString& S);
// With ',' as the decimal separator, the first ',' becomes '.'.
AnsiString FixDecimalSeparator(const AnsiString& S);

// Line-break conversions for the grid's file and exchange formats.
void LineFeedsToCSV(AnsiString& S);
void CSVToLineFeeds(AnsiString& S);
void LineFeedsToJava(AnsiString& S);
void JavaToLineFeeds(AnsiString& S);
AnsiString LineFeedsToXLS(const AnsiString& S);
// The cell file's form of S: as it is without a CR, a backspace or an escape (27); else each CR
// a TAB and each LF a backspace, with an escape before each TAB, backspace and escape of S, and
// one at the end when nothing else shows the text to be encoded.
AnsiString LfToFile(const AnsiString& S);
// LfToFile undone for a text holding a backspace or an escape; without Multiline its first line.
AnsiString FileToLf(const AnsiString& S, bool Multiline);
AnsiString CLFToLF(const AnsiString& S);
AnsiString LFToCLF(const AnsiString& S);
AnsiString HTMLLineBreaks(const AnsiString& S);
// The text up to the first CR, removed from S with the CR and one LF after it; without
// Multiline, or without a CR, S is emptied.
AnsiString GetNextLine(AnsiString& S, bool Multiline);
int LinesInText(const AnsiString& S, bool Multiline);

// Runs of Ch shrink to one Ch.
AnsiString DoubleToSingleChar(char Ch, const AnsiString& S);
// Position of the first Ch that is not doubled, 0 when none.
int SinglePos(char Ch, const AnsiString& S);
// How many single Ch SinglePos finds, the text cut after each find; in one pass.
int NumSingleChar(char Ch, const AnsiString& S);

bool IsURL(const AnsiString& S);
void StripURLProtocol(AnsiString& S);
bool IsInGridRect(const TGridRect& R, int c, int r);
// "R<row>C<col>" in any case: Pt = (col, row); false, Pt unchanged, for anything else.
bool NameToCell(const AnsiString& S, TPoint& Pt);
// "[Left:Top][Right:Bottom]".
AnsiString RectString(const TRect& R);

// Position of Sub in S upper-cased (ASCII letters); Sub is taken as it is.
int FIPos(const AnsiString& Sub, const AnsiString& S);
int VarPos(const AnsiString& Sub, const AnsiString& S, int& P);
// The text before Sep, removed from S with Sep; empty, S unchanged, when S holds no Sep.
AnsiString GetToken(AnsiString& S, const AnsiString& Sep);
// The first character of S found in CharSet, 0 when none.
char FirstChar(std::string_view CharSet, const AnsiString& S);
AnsiString StringListToText(const TStringList& list);
// Every character (not byte) becomes Ch.
void StringToPassword(AnsiString& S, char Ch);
// The text as bytes of the OEM code page (850 here), a character the page lacks becoming '?';
// and back.
void StringToOem(AnsiString& S);
void OemToString(AnsiString& S);
// "RRGGBB" in upper-case hexadecimal.
AnsiString HTMLColor(TColor Color);
// Name-style capitals: "o'neil mcdonald" gives "O'Neil McDonald", "henry ii" "Henry II".
AnsiString ShiftCase(const AnsiString& S);

// m/d/y and d/m/y with '/', '.' or '-'; 0 when a part is missing. A one- or two-digit year
// falls in 1926..2025; a longer one stands as typed. An impossible date raises EConvertError.
TDateTime StrToShortdateUS(const AnsiString& S);
TDateTime StrToShortDateEU(const AnsiString& S);
// A date in the order of ShortDateFormat with DateSeparator; false when it is none.
bool ReadShortDate(const AnsiString& S, TDateTime& D);
TDateTime GetNextDate(TDateTime D, unsigned short DYears, unsigned short DMonths, unsigned short DDays,
                      TDateTime Step);

// Filter conditions: comparisons (">", ">=", "<", "<=" against numbers, dates or texts),
// wildcards ("*", "?") and "!" for not.
bool Matches(const AnsiString& Mask, const AnsiString& S);
bool MatchStr(const AnsiString& Mask, const AnsiString& S, bool CaseSensitive);
// Conditions joined by "&" (and), ";" or "^" (or), read left to right.
bool MatchStrEx(const AnsiString& Condition, const AnsiString& S, bool CaseSensitive);

// The bitmap stretched into R, the pixels of its top-left pixel's colour showing BkColor.
void DrawBitmapTransp(TCanvas& Canvas, const TBitmap& Bitmap, TColor BkColor, const TRect& R);
// The same with one of the program's pictures (":/pictures/" ResourceName ".png"); nothing for
// a name the program has no picture of.
void DrawBitmapResourceTransp(TCanvas& Canvas, TColor BkColor, const TRect& R,
                              const AnsiString& ResourceName);
// A red zig-zag under ErrLen characters of S from character ErrPos (counted from 0), S drawn
// in R with the canvas's font, YOffset pixels down from R's top.
void DrawErrorLines(const TControl& Control, TCanvas& Canvas, const AnsiString& S, const TRect& R,
                    int YOffset, int ErrPos, int ErrLen);
