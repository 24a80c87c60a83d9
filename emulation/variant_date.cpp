// DATE values as text under the zh-CN locale. A DATE counts days from
// 1899-12-30; its fraction is the time of day. Before that day the whole
// part counts back and the fraction still counts forward from midnight, so
// -1.25 is 1899-12-29 06:00.
#include <cmath>
#include <cstdio>
#include <vector>

#include "emulation/variant_internal.h"

namespace emulation {

namespace {

// DATE 0 (1899-12-30) is this many days before 1970-01-01.
constexpr std::int64_t kDaysBeforeUnixEpoch = 25569;

// The years the text forms cover.
constexpr double kFirstDate = -657435.0;  // 0100-01-01 is -657434
constexpr double kEndDate = 2958466.0;    // 9999-12-31 is 2958465

bool isLeapYear(std::int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

unsigned daysInMonth(std::int64_t year, unsigned month) {
    static const unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// ---- Reading ---------------------------------------------------------------

enum class TokenKind { number, dateSeparator, timeSeparator, groupSeparator, am, pm };

struct Token {
    TokenKind kind;
    unsigned value = 0;  // a number's value
    int digitCount = 0;  // a number's digit count
};

bool isBlank(OLECHAR c) { return c == u' ' || c == u'\t' || c == 0x00A0; }

bool startsWithIgnoringCase(const OLECHAR* text, const char* word) {
    for (; *word != 0; ++text, ++word) {
        OLECHAR c = *text;
        if (c >= u'a' && c <= u'z') c = static_cast<OLECHAR>(c - u'a' + u'A');
        if (c != static_cast<unsigned char>(*word)) return false;
    }
    return true;
}

// Blanks only separate numbers; beside a separator or a marker they vanish.
bool tokenize(const OLECHAR* p, std::vector<Token>* tokens) {
    bool blankBefore = false;
    while (*p != 0) {
        const OLECHAR c = *p;
        if (isBlank(c)) {
            blankBefore = true;
            ++p;
            continue;
        }
        if (c >= u'0' && c <= u'9') {
            if (blankBefore && !tokens->empty() && tokens->back().kind == TokenKind::number) {
                tokens->push_back({TokenKind::groupSeparator});
            }
            Token number{TokenKind::number};
            for (; *p >= u'0' && *p <= u'9'; ++p) {
                if (number.value < 100000) number.value = number.value * 10 + (*p - u'0');
                ++number.digitCount;
            }
            tokens->push_back(number);
        } else if (c == u'/' || c == u'-') {
            tokens->push_back({TokenKind::dateSeparator});
            ++p;
        } else if (c == u':' || c == u'.') {
            tokens->push_back({TokenKind::timeSeparator});
            ++p;
        } else if (c == u',') {
            tokens->push_back({TokenKind::groupSeparator});
            ++p;
        } else if (c == 0x4E0A && p[1] == 0x5348) {  // 上午
            tokens->push_back({TokenKind::am});
            p += 2;
        } else if (c == 0x4E0B && p[1] == 0x5348) {  // 下午
            tokens->push_back({TokenKind::pm});
            p += 2;
        } else if (startsWithIgnoringCase(p, "AM") || startsWithIgnoringCase(p, "PM")) {
            tokens->push_back({c == u'A' || c == u'a' ? TokenKind::am : TokenKind::pm});
            p += 2;
        } else if (c == u'A' || c == u'a' || c == u'P' || c == u'p') {
            tokens->push_back({c == u'A' || c == u'a' ? TokenKind::am : TokenKind::pm});
            ++p;
        } else {
            return false;
        }
        blankBefore = false;
    }
    return true;
}

// A two-digit year is 1950 to 2049.
std::int64_t fullYear(const Token& number) {
    if (number.digitCount > 2) return number.value;
    return number.value < 50 ? 2000 + number.value : 1900 + number.value;
}

bool validDay(std::int64_t year, unsigned month, unsigned day) {
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysInMonth(year, month);
}

bool yearLike(const Token& number) { return number.digitCount > 2 || number.value > 31; }

// Three numbers are tried in the locale's order (year, month, day) first,
// then month/day/year, day/month/year and year/day/month: the first order in
// which they make a real day wins.
bool dayOfNumbers(const std::vector<Token>& numbers, std::int64_t* days) {
    std::int64_t year = 0;
    unsigned month = 0, day = 0;
    if (numbers.size() == 2) {
        // A year and a month, either way round, mean the month's first day.
        // Two small numbers would be a day of the current year: not covered.
        day = 1;
        if (yearLike(numbers[0])) {
            year = fullYear(numbers[0]);
            month = numbers[1].value;
        } else if (yearLike(numbers[1])) {
            year = fullYear(numbers[1]);
            month = numbers[0].value;
        } else {
            return false;
        }
        if (!validDay(year, month, day)) return false;
    } else {
        const Token& a = numbers[0];
        const Token& b = numbers[1];
        const Token& c = numbers[2];
        struct Order {
            const Token* year;
            const Token* month;
            const Token* day;
        };
        const Order orders[] = {{&a, &b, &c}, {&c, &a, &b}, {&c, &b, &a}, {&a, &c, &b}};
        bool found = false;
        for (const Order& order : orders) {
            if (validDay(fullYear(*order.year), order.month->value, order.day->value)) {
                year = fullYear(*order.year);
                month = order.month->value;
                day = order.day->value;
                found = true;
                break;
            }
        }
        if (!found) return false;
    }
    *days = daysFromCivil(year, month, day);
    return true;
}

}  // namespace

std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    // Counted in 400-year eras of 146097 days, with years starting in March
    // so that the leap day falls last.
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468 + kDaysBeforeUnixEpoch;
}

void civilFromDays(std::int64_t days, std::int64_t* year, unsigned* month, unsigned* day) {
    const std::int64_t z = days - kDaysBeforeUnixEpoch + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    *day = static_cast<unsigned>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    *month = static_cast<unsigned>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    *year = yearOfEra + era * 400 + (*month <= 2 ? 1 : 0);
}

HRESULT parseDate(const OLECHAR* text, DATE* value) {
    std::vector<Token> tokens;
    if (text == nullptr || !tokenize(text, &tokens)) return DISP_E_TYPEMISMATCH;

    bool haveDate = false, haveTime = false;
    std::int64_t days = 0;
    long seconds = 0;
    std::size_t i = 0;
    while (i < tokens.size()) {
        if (tokens[i].kind == TokenKind::groupSeparator) {
            ++i;
            continue;
        }
        if (tokens[i].kind != TokenKind::number) return DISP_E_TYPEMISMATCH;
        // One group: numbers joined by separators of one kind.
        std::vector<Token> numbers{tokens[i++]};
        TokenKind separator = TokenKind::number;
        while (i + 1 < tokens.size() &&
               (tokens[i].kind == TokenKind::dateSeparator ||
                tokens[i].kind == TokenKind::timeSeparator) &&
               tokens[i + 1].kind == TokenKind::number) {
            if (separator != TokenKind::number && separator != tokens[i].kind) {
                return DISP_E_TYPEMISMATCH;
            }
            separator = tokens[i].kind;
            numbers.push_back(tokens[i + 1]);
            i += 2;
        }
        if (numbers.size() < 2 || numbers.size() > 3) return DISP_E_TYPEMISMATCH;

        if (separator == TokenKind::dateSeparator) {
            if (haveDate || !dayOfNumbers(numbers, &days)) return DISP_E_TYPEMISMATCH;
            haveDate = true;
        } else {
            unsigned hour = numbers[0].value;
            const unsigned minute = numbers[1].value;
            const unsigned second = numbers.size() == 3 ? numbers[2].value : 0;
            if (haveTime || hour > 23 || minute > 59 || second > 59) return DISP_E_TYPEMISMATCH;
            if (i < tokens.size() &&
                (tokens[i].kind == TokenKind::am || tokens[i].kind == TokenKind::pm)) {
                if (tokens[i].kind == TokenKind::pm && hour < 12) hour += 12;
                if (tokens[i].kind == TokenKind::am && hour == 12) hour = 0;
                ++i;
            }
            seconds = static_cast<long>(hour) * 3600 + minute * 60 + second;
            haveTime = true;
        }
        if (i < tokens.size() && tokens[i].kind != TokenKind::groupSeparator &&
            tokens[i].kind != TokenKind::number) {
            return DISP_E_TYPEMISMATCH;
        }
    }
    if (!haveDate && !haveTime) return DISP_E_TYPEMISMATCH;
    const double time = seconds / 86400.0;
    *value = static_cast<double>(days) + (days < 0 ? -time : time);
    return S_OK;
}

// ---- Writing ---------------------------------------------------------------

HRESULT formatDate(DATE value, std::u16string* text) {
    if (!(value > kFirstDate && value < kEndDate)) return E_INVALIDARG;
    // Seconds are rounded (half up) on the whole value in seconds, as Wine
    // does, not on the fraction alone; a time that rounds to midnight moves
    // the day forward.
    const double magnitude = std::fabs(value);
    const double wholeDays = std::trunc(magnitude);
    const long long totalSeconds = static_cast<long long>(std::floor(magnitude * 86400.0 + 0.5));
    long seconds = static_cast<long>(totalSeconds - static_cast<long long>(wholeDays) * 86400);
    std::int64_t day = static_cast<std::int64_t>(std::trunc(value));
    if (seconds >= 86400) {
        seconds -= 86400;
        ++day;
    }

    // Day 0 shows as a time alone; a whole day shows without a time.
    const bool showDate = wholeDays != 0;
    const bool showTime = magnitude != wholeDays || wholeDays == 0;
    std::string out;
    char buffer[64];
    if (showDate) {
        std::int64_t year;
        unsigned month, dayOfMonth;
        civilFromDays(day, &year, &month, &dayOfMonth);
        std::snprintf(buffer, sizeof buffer, "%lld/%u/%u", static_cast<long long>(year), month,
                      dayOfMonth);
        out += buffer;
    }
    if (showTime) {
        if (!out.empty()) out += ' ';
        std::snprintf(buffer, sizeof buffer, "%02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60,
                      seconds % 60);
        out += buffer;
    }
    *text = widen(out);
    return S_OK;
}

}  // namespace emulation
