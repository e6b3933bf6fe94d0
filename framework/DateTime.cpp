#include "framework/DateTime.h"

#include "framework/Exceptions.h"
#include "framework/NumberFormat.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

AnsiString ShortDateFormat = "m/d/yyyy";
AnsiString LongTimeFormat = "hh:nn:ss";
char DateSeparator = '/';
char TimeSeparator = ':';

namespace {

constexpr std::array<const char*, 12> LongMonthNames = {"January",   "February", "March",    "April",
                                                        "May",       "June",     "July",     "August",
                                                        "September", "October",  "November", "December"};
constexpr std::array<const char*, 7> LongDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                     "Thursday", "Friday", "Saturday"};

constexpr std::chrono::sys_days Epoch = std::chrono::year{1899} / 12 / 30;
constexpr long long MillisecondsPerDay = 86400000;

struct DateTimeParts {
    int Year, Month, Day, DayOfWeek, Hour, Minute, Second;
};

// 1 January 0001 and 31 December 9999.
constexpr long long FirstDay = -693593;
constexpr long long LastDay = 2958465;

[[noreturn]] void RaiseNotADate(TDateTime value) {
    throw EConvertError("'" + FloatToStr(value) + "' is not a valid date and time");
}

// Raises EConvertError for a value outside the calendar (NaN and the infinities among them).
DateTimeParts Decode(TDateTime value) {
    const double whole = std::floor(value);
    // Compared before the cast, which a value past the 64-bit integers would make undefined.
    if (!(whole >= FirstDay && whole <= LastDay))
        RaiseNotADate(value);
    auto days = static_cast<long long>(whole);
    long long ms = std::llround((value - whole) * MillisecondsPerDay);
    if (ms >= MillisecondsPerDay) {
        ++days;
        ms -= MillisecondsPerDay;
    }
    if (days > LastDay)
        RaiseNotADate(value);
    const std::chrono::sys_days date = Epoch + std::chrono::days{days};
    const std::chrono::year_month_day ymd{date};
    const long long seconds = ms / 1000;
    return {static_cast<int>(ymd.year()),
            static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())),
            static_cast<int>(std::chrono::weekday{date}.c_encoding()),
            static_cast<int>(seconds / 3600),
            static_cast<int>(seconds / 60 % 60),
            static_cast<int>(seconds % 60)};
}

// value is 0 to 99.
std::string TwoDigits(int value) {
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

// Length of the run of c starting at position i of text, compared case-insensitively.
std::size_t RunLength(std::string_view text, std::size_t i, char c) {
    std::size_t n = 0;
    while (i + n < text.size() && (text[i + n] | 0x20) == c)
        ++n;
    return n;
}

bool StartsWithAmPm(std::string_view text, std::size_t i) {
    if (text.size() - i < 4)
        return false;
    std::string word(text.substr(i, 4));
    for (char& c : word)
        c = static_cast<char>(c | 0x20);
    return word == "ampm";
}

// Qt's date and time format letters in the framework's tokens; the time zone is left out.
AnsiString FromQtFormat(const QString& qtFormat) {
    const std::string f = qtFormat.toStdString();
    std::string out;
    for (std::size_t i = 0; i < f.size();) {
        const char c = f[i];
        std::size_t n = 1;
        while (i + n < f.size() && f[i + n] == c)
            ++n;
        if (c == '\'') {
            const std::size_t close = f.find('\'', i + 1);
            const std::size_t end = close == std::string::npos ? f.size() : close;
            out += '"' + f.substr(i + 1, end - i - 1) + '"';
            i = end + 1;
            continue;
        }
        switch (c) {
        case 'M':
            out.append(n, 'm');
            break;
        case 'm':
            out.append(n, 'n');
            break;
        case 'H':
            out.append(n, 'h');
            break;
        case 'A':
        case 'a':
            out += "ampm";
            if (i + 1 < f.size() && (f[i + 1] == 'P' || f[i + 1] == 'p'))
                ++i;
            break;
        case 't':
        case 'z':
            while (!out.empty() && out.back() == ' ')
                out.pop_back();
            break;
        default:
            out.append(n, c);
            break;
        }
        i += n;
    }
    return out;
}

} // namespace

void ReadDateTimeSettings() {
    const QLocale locale;
    ShortDateFormat = FromQtFormat(locale.dateFormat(QLocale::ShortFormat));
    LongTimeFormat = FromQtFormat(locale.timeFormat(QLocale::LongFormat));
    const std::string_view format = ShortDateFormat.view();
    const auto separator = format.find_first_not_of("dmyDMY");
    DateSeparator = separator == std::string_view::npos ? '/' : format[separator];
    const std::string_view time = LongTimeFormat.view();
    const auto timeSeparator = time.find_first_not_of("hnsHNS");
    TimeSeparator = timeSeparator == std::string_view::npos ? ':' : time[timeSeparator];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    const std::chrono::year_month_day date{std::chrono::year{year},
                                           std::chrono::month(static_cast<unsigned>(month)),
                                           std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok())
        return false;
    value = static_cast<double>((std::chrono::sys_days{date} - Epoch).count());
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime value = 0;
    if (!TryEncodeDate(year, month, day, value))
        throw EConvertError("Invalid argument to date encode");
    return value;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    const DateTimeParts parts = Decode(value);
    year = parts.Year;
    month = parts.Month;
    day = parts.Day;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    return static_cast<double>(((hour * 60LL + minute) * 60 + second) * 1000 + millisecond) /
           MillisecondsPerDay;
}

TDateTime Now() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return EncodeDate(date.year(), date.month(), date.day()) +
           EncodeTime(time.hour(), time.minute(), time.second(), time.msec());
}

TDateTime Date() {
    return std::floor(Now());
}

TDateTime IncMonth(TDateTime value, int months) {
    int year = 0, month = 0, day = 0;
    DecodeDate(value, year, month, day);
    const int counted = year * 12 + (month - 1) + months;
    year = counted / 12;
    month = counted % 12 + 1;
    const std::chrono::year_month_day_last last{
        std::chrono::year{year} / std::chrono::month(static_cast<unsigned>(month)) / std::chrono::last};
    day = std::min(day, static_cast<int>(static_cast<unsigned>(last.day())));
    const double time = value - std::floor(value);
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date))
        throw EConvertError("Invalid argument to date encode");
    return date + time;
}

AnsiString FormatDateTime(const AnsiString& format, TDateTime value) {
    const DateTimeParts t = Decode(value);
    const std::string_view f = format.view();
    bool twelveHour = false;
    for (std::size_t i = 0; i < f.size() && !twelveHour; ++i)
        twelveHour = StartsWithAmPm(f, i);
    const int hour = twelveHour ? (t.Hour % 12 == 0 ? 12 : t.Hour % 12) : t.Hour;
    std::string out;
    for (std::size_t i = 0; i < f.size();) {
        if (f[i] == '"' || f[i] == '\'') {
            const std::size_t close = f.find(f[i], i + 1);
            const std::size_t end = close == std::string_view::npos ? f.size() : close;
            out += f.substr(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (StartsWithAmPm(f, i)) {
            out += t.Hour < 12 ? "AM" : "PM";
            i += 4;
            continue;
        }
        const char c = static_cast<char>(f[i] | 0x20);
        // A run of one token letter is one token, however long.
        const std::size_t n = RunLength(f, i, c);
        switch (c) {
        case 'd':
            out += n == 1   ? std::to_string(t.Day)
                   : n == 2 ? TwoDigits(t.Day)
                   : n == 3 ? std::string(LongDayNames[static_cast<std::size_t>(t.DayOfWeek)], 3)
                            : std::string(LongDayNames[static_cast<std::size_t>(t.DayOfWeek)]);
            break;
        case 'm':
            out += n == 1   ? std::to_string(t.Month)
                   : n == 2 ? TwoDigits(t.Month)
                   : n == 3 ? std::string(LongMonthNames[static_cast<std::size_t>(t.Month - 1)], 3)
                            : std::string(LongMonthNames[static_cast<std::size_t>(t.Month - 1)]);
            break;
        case 'y':
            if (n <= 2)
                out += TwoDigits(t.Year % 100);
            else {
                // Four digits at least: the year 1 is "0001".
                const std::string year = std::to_string(t.Year);
                out += std::string(year.size() < 4 ? 4 - year.size() : 0, '0') + year;
            }
            break;
        case 'h':
            out += n == 1 ? std::to_string(hour) : TwoDigits(hour);
            break;
        case 'n':
            out += n == 1 ? std::to_string(t.Minute) : TwoDigits(t.Minute);
            break;
        case 's':
            out += n == 1 ? std::to_string(t.Second) : TwoDigits(t.Second);
            break;
        default:
            out += f[i];
            i += 1;
            continue;
        }
        i += n;
    }
    return out;
}

AnsiString DateToStr(TDateTime value) {
    return FormatDateTime(ShortDateFormat, value);
}

AnsiString DateTimeToStr(TDateTime value) {
    return FormatDateTime(ShortDateFormat + " " + LongTimeFormat, value);
}

AnsiString TimeToStr(TDateTime value) {
    return FormatDateTime(LongTimeFormat, value);
}

namespace {

// Whole numbers split by separator, each of digits only; false for anything else.
bool SplitNumbers(std::string_view text, char separator, std::vector<int>& numbers,
                  std::vector<std::size_t>& lengths) {
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(text.find(separator, start), text.size());
        const std::string_view part = text.substr(start, end - start);
        int number = 0;
        if (part.empty() || part.size() > 4 ||
            std::from_chars(part.data(), part.data() + part.size(), number).ptr != part.data() + part.size())
            return false;
        numbers.push_back(number);
        lengths.push_back(part.size());
        if (end == text.size())
            return true;
        start = end + 1;
    }
}

// This year for a date text that leaves it out, and the 1st of the month for a format without
// the day.
void PartsLeftOut(bool formatHasDay, int& year, int& month, int& day) {
    DecodeDate(Now(), year, month, day);
    if (!formatHasDay)
        day = 1;
}

bool ScanDate(std::string_view text, TDateTime& value) {
    std::vector<int> numbers;
    std::vector<std::size_t> lengths;
    if (!SplitNumbers(text, DateSeparator, numbers, lengths) || numbers.size() < 2 || numbers.size() > 3)
        return false;
    // The order of day, month and year in the short date format; the year may be left out, and
    // a format without the day has none.
    const std::string format = ShortDateFormat.LowerCase().str();
    std::vector<std::pair<std::size_t, char>> order;
    for (const char part : {'d', 'm', 'y'})
        if (const std::size_t at = format.find(part); part != 'd' || at != std::string::npos)
            order.emplace_back(std::min(at, format.size()), part);
    std::sort(order.begin(), order.end());
    if (numbers.size() > order.size())
        return false;
    int day = 0, month = 0, year = 0;
    PartsLeftOut(format.find('d') != std::string::npos, year, month, day);
    std::size_t next = 0;
    for (const auto& [position, part] : order) {
        if (part == 'y' && numbers.size() < order.size())
            continue;
        const int number = numbers[next];
        if (part == 'd')
            day = number;
        else if (part == 'm')
            month = number;
        else
            year = lengths[next] <= 2 ? (number < 50 ? 2000 : 1900) + number : number;
        ++next;
    }
    return TryEncodeDate(year, month, day, value);
}

bool ScanTime(std::string_view text, TDateTime& value) {
    const std::string upper = AnsiString(text).UpperCase().str();
    int hourShift = -1;
    std::string timeText(text);
    if (upper.ends_with("AM") || upper.ends_with("PM")) {
        hourShift = upper.ends_with("PM") ? 12 : 0;
        timeText = AnsiString(text.substr(0, text.size() - 2)).TrimRight().str();
    }
    std::vector<int> numbers;
    std::vector<std::size_t> lengths;
    if (!SplitNumbers(timeText, TimeSeparator, numbers, lengths) || numbers.size() > 3 ||
        (numbers.size() == 1 && hourShift < 0))
        return false;
    numbers.resize(3, 0);
    int hour = numbers[0];
    if (hourShift >= 0) {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + hourShift;
    }
    if (hour > 23 || numbers[1] > 59 || numbers[2] > 59)
        return false;
    value = EncodeTime(hour, numbers[1], numbers[2], 0);
    return true;
}

bool IsAlphaNumeric(char c) {
    return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
}

// The runs of digits or letters of a text.
std::vector<std::string> Runs(std::string_view text) {
    std::vector<std::string> runs;
    for (std::size_t i = 0; i < text.size();) {
        if (!IsAlphaNumeric(text[i])) {
            ++i;
            continue;
        }
        std::size_t n = 0;
        while (i + n < text.size() && IsAlphaNumeric(text[i + n]))
            ++n;
        runs.emplace_back(text.substr(i, n));
        i += n;
    }
    return runs;
}

std::string FieldsOf(std::string_view format) {
    std::string fields;
    for (std::size_t i = 0; i < format.size();) {
        if (format[i] == '"' || format[i] == '\'') {
            const std::size_t close = std::min(format.find(format[i], i + 1), format.size());
            fields.append(Runs(format.substr(i + 1, close - i - 1)).size(), '-');
            i = close + 1;
            continue;
        }
        const char c = static_cast<char>(format[i] | 0x20);
        const std::size_t n = RunLength(format, i, c);
        if (c == 'd')
            fields += n <= 2 ? 'd' : '-';
        else if (c == 'm' || c == 'y')
            fields += c;
        i += std::max<std::size_t>(n, 1);
    }
    return fields;
}

bool ReadNumber(std::string_view run, int& number) {
    return run.size() <= 4 &&
           std::from_chars(run.data(), run.data() + run.size(), number).ptr == run.data() + run.size();
}

// A month by number, or by its name or the name's first three letters, in any case.
bool ReadMonth(std::string_view run, int& month) {
    if (ReadNumber(run, month))
        return true;
    const std::string name = AnsiString(run).LowerCase().str();
    for (std::size_t i = 0; i < LongMonthNames.size(); ++i) {
        const std::string full = AnsiString(LongMonthNames[i]).LowerCase().str();
        if (name == full || name == full.substr(0, 3)) {
            month = static_cast<int>(i) + 1;
            return true;
        }
    }
    return false;
}

bool ScanDateRuns(std::string_view text, TDateTime& value) {
    const std::vector<std::string> runs = Runs(text);
    const std::string fields = FieldsOf(ShortDateFormat.view());
    const bool yearLeftOut = runs.size() + 1 == fields.size() && fields.find('y') != std::string::npos;
    if (runs.size() != fields.size() && !yearLeftOut)
        return false;
    int day = 0, month = 0, year = 0;
    PartsLeftOut(fields.find('d') != std::string::npos, year, month, day);
    std::size_t next = 0;
    for (const char field : fields) {
        if (field == 'y' && yearLeftOut)
            continue;
        const std::string& run = runs[next++];
        int number = 0;
        if (field == 'd' && !ReadNumber(run, day))
            return false;
        if (field == 'm' && !ReadMonth(run, month))
            return false;
        if (field == 'y') {
            if (!ReadNumber(run, number))
                return false;
            year = run.size() <= 2 ? (number < 50 ? 2000 : 1900) + number : number;
        }
    }
    return TryEncodeDate(year, month, day, value);
}

TDateTime ReadOrRaise(const AnsiString& text, bool (*read)(const AnsiString&, TDateTime&), const char* what) {
    TDateTime value = 0;
    if (!read(text, value))
        throw EConvertError("'" + text + "' is not a valid " + what);
    return value;
}

} // namespace

AnsiString DateFields(const AnsiString& format) {
    return FieldsOf(format.view());
}

bool TryStrToDate(const AnsiString& text, TDateTime& value) {
    const std::string s = text.Trim().str();
    return !s.empty() && (ScanDate(s, value) || ScanDateRuns(s, value));
}

TDateTime StrToDate(const AnsiString& text) {
    return ReadOrRaise(text, TryStrToDate, "date");
}

bool TryStrToTime(const AnsiString& text, TDateTime& value) {
    const std::string s = text.Trim().str();
    return !s.empty() && ScanTime(s, value);
}

TDateTime StrToTime(const AnsiString& text) {
    return ReadOrRaise(text, TryStrToTime, "time");
}

bool TryStrToDateTime(const AnsiString& text, TDateTime& value) {
    const std::string s = text.Trim().str();
    const std::string_view all = s;
    TDateTime date = 0;
    TDateTime time = 0;
    if (all.find(DateSeparator) != std::string_view::npos) {
        const std::size_t blank = std::min(all.find(' '), all.size());
        if (!ScanDate(all.substr(0, blank), date))
            return false;
        const AnsiString rest = AnsiString(all.substr(blank)).Trim();
        if (!rest.IsEmpty() && !ScanTime(rest.view(), time))
            return false;
    } else if (!ScanTime(all, time)) {
        return false;
    }
    value = date + time;
    return true;
}

TDateTime StrToDateTime(const AnsiString& text) {
    return ReadOrRaise(text, TryStrToDateTime, "date and time");
}
