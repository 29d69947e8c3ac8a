// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Escaping and the small formats of the page.
#include "report/HtmlText.h"

#include "platform/Translate.h"

#include <cstdio>

void AppendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
}

std::string Escaped(std::string_view text) {
    std::string out;
    AppendEscaped(out, text);
    return out;
}

std::string Format(std::string_view format, std::initializer_list<std::string_view> arrArgs) {
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            out += format[i];
            continue;
        }
        if (format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        size_t index = next++;
        size_t at = i + 1;
        if (format[at] >= '1' && format[at] <= '9') {
            size_t number = 0;
            while (at < format.size() && format[at] >= '0' && format[at] <= '9')
                number = number * 10 + size_t(format[at++] - '0');
            if (at < format.size() && format[at] == '$') {
                index = number - 1;
                ++at;
            } else {
                at = i + 1;
            }
        }
        // Only %s is a placeholder; anything else stays as written.
        if (at >= format.size() || format[at] != 's' || index >= arrArgs.size()) {
            out += '%';
            continue;
        }
        out += arrArgs.begin()[index];
        i = at;
    }
    return out;
}

// Days since 1970-01-01 to the proleptic Gregorian calendar and back (the usual era arithmetic).
void CivilDate(int day, int& year, int& month, int& dayOfMonth) {
    const int z = day + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = z - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    dayOfMonth = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = yoe + era * 400 + (month <= 2);
}

int DayOfDate(int year, int month, int dayOfMonth) {
    year -= month <= 2;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yoe = year - era * 400;
    const int doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + dayOfMonth - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::string DateText(int day) {
    int year = 0, month = 0, dayOfMonth = 0;
    CivilDate(day, year, month, dayOfMonth);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, dayOfMonth);
    return text;
}

// The months' names, looked up one by one so that each is a text of its own to translate.
std::string MonthName(int month) {
    const char* const NAMES[] = {Tr("1月"), Tr("2月"),  Tr("3月"),  Tr("4月"),
                                 Tr("5月"), Tr("6月"),  Tr("7月"),  Tr("8月"),
                                 Tr("9月"), Tr("10月"), Tr("11月"), Tr("12月")};
    return month >= 1 && month <= 12 ? NAMES[month - 1] : std::to_string(month);
}

std::string ShortDate(int day) {
    int year = 0, month = 0, dayOfMonth = 0;
    CivilDate(day, year, month, dayOfMonth);
    // TRANSLATORS: a day without its year: %1$s is the month's name, %2$s the day of the month.
    return Format(Tr("%1$s%2$s日"), {MonthName(month), std::to_string(dayOfMonth)});
}

std::string MonthTitle(int year, int month) {
    // TRANSLATORS: a calendar's month: %1$s is the year, %2$s the month's name.
    return Format(Tr("%1$s年%2$s"), {std::to_string(year), MonthName(month)});
}

std::string PercentText(int64_t part, int64_t whole) {
    if (whole <= 0) return "—";
    return std::to_string(part * 100 / whole) + "%";
}

std::string SecondsText(int64_t ms) {
    if (ms < 0) return "—";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", double(ms) / 1000.0);
    // TRANSLATORS: a time in seconds, %s like 3.4.
    return Format(Tr("%s 秒"), {text});
}

std::string ThresholdText(int64_t ms) {
    char text[32];
    if (ms % 1000 == 0)
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(ms / 1000));
    else
        std::snprintf(text, sizeof text, "%.1f", double(ms) / 1000.0);
    return text;
}
