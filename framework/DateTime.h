#pragma once

#include "framework/AnsiString.h"

// Days since 30 December 1899, the fraction being the time of day, as the framework counts.
using TDateTime = double;

// Date and time texts of the process, as the framework keeps them: read from the system locale
// by ReadDateTimeSettings at start-up; the about box then overwrites ShortDateFormat.
extern AnsiString ShortDateFormat;
extern AnsiString LongTimeFormat;
extern char DateSeparator;
extern char TimeSeparator;

// Takes the short date and long time formats of the default locale (the system's unless a
// test sets another), and their separators, into the globals.
void ReadDateTimeSettings();

// Raises EConvertError "Invalid argument to date encode" for a day that does not exist.
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
// Decoding and formatting raise EConvertError for a value outside 1 January 0001 to
// 31 December 9999 (NaN and the infinities among them).
void DecodeDate(TDateTime value, int& year, int& month, int& day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
// The local date and time.
TDateTime Now();
// Today, at midnight.
TDateTime Date();
// The same day months later (or earlier); a day the new month lacks becomes its last day, so a
// year from 29 February is 28 February. The time of day is kept.
TDateTime IncMonth(TDateTime value, int months);

// Tokens: d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss ampm (12-hour clock); text in quotes
// and any other character stand as they are.
AnsiString FormatDateTime(const AnsiString& format, TDateTime value);
AnsiString DateToStr(TDateTime value);
// The short date format, a blank and the long time format.
AnsiString DateTimeToStr(TDateTime value);
AnsiString TimeToStr(TDateTime value);

// A date in the order of ShortDateFormat with DateSeparator (the year may be left out for this
// year; one of one or two digits falls in 1950..2049), a time of hours, minutes and seconds with
// TimeSeparator and an optional AM or PM, or a date followed by a blank and a time. Raises
// EConvertError for anything else.
TDateTime StrToDateTime(const AnsiString& text);
bool TryStrToDateTime(const AnsiString& text, TDateTime& value);
// A date as DateToStr writes it: its runs of digits or letters are the fields of ShortDateFormat
// in order (a month may be a number or a name, a day name is passed over; the year may be left
// out for this year). Raises EConvertError for anything else.
TDateTime StrToDate(const AnsiString& text);
bool TryStrToDate(const AnsiString& text, TDateTime& value);
// A time as TimeToStr writes it. Raises EConvertError for anything else.
TDateTime StrToTime(const AnsiString& text);
// The fields of a date format in order: 'd' day, 'm' month, 'y' year, and '-' for a run of
// letters a date text holds but a reading passes over (a day name, quoted text).
AnsiString DateFields(const AnsiString& format);
bool TryStrToTime(const AnsiString& text, TDateTime& value);
