// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Text made safe for the page, and the page's ways of writing dates, shares and times.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// Appends text with & < > " ' as character references: safe in content and in quoted attributes.
void AppendEscaped(std::string& out, std::string_view text);
std::string Escaped(std::string_view text);

// A translated sentence with its figures put in: %s takes the next argument, %2$s the second (so
// that a translation may reorder them), %% is a percent sign. The texts are C formats to msgfmt,
// which checks that a translation keeps their arguments.
std::string Format(std::string_view format, std::initializer_list<std::string_view> arrArgs);

// "2026-10-03" for local days since 1970-01-01.
std::string DateText(int day);
// Year and month (1..12) of a day, and the day of the month (1..31).
void CivilDate(int day, int& year, int& month, int& dayOfMonth);
// The day number of a date.
int DayOfDate(int year, int month, int dayOfMonth);

// "92%" (whole percent, rounded down so that 99.6 % is not shown as done); "—" for none.
std::string PercentText(int64_t part, int64_t whole);
// "12月3日": the month and the day, in the page's language.
std::string ShortDate(int day);
// "2026年12月": a calendar's month.
std::string MonthTitle(int year, int month);
// "3.4 秒"; "—" for -1.
std::string SecondsText(int64_t ms);
// "6" or "6.5": a threshold in seconds, as the page's sentences give it.
std::string ThresholdText(int64_t ms);
