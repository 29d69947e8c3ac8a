// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Text made safe for the page, and the page's ways of writing dates, shares and times.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Appends text with & < > " ' as character references: safe in content and in quoted attributes.
void AppendEscaped(std::string& out, std::string_view text);
std::string Escaped(std::string_view text);

// "2026-10-03" for local days since 1970-01-01.
std::string DateText(int day);
// Year and month (1..12) of a day, and the day of the month (1..31).
void CivilDate(int day, int& year, int& month, int& dayOfMonth);
// The day number of a date.
int DayOfDate(int year, int month, int dayOfMonth);

// "92%" (whole percent, rounded down so that 99.6 % is not shown as done); "—" for none.
std::string PercentText(int64_t part, int64_t whole);
// "3.4 秒"; "—" for -1.
std::string SecondsText(int64_t ms);
// "6" or "6.5": a threshold in seconds, as the page's sentences give it.
std::string ThresholdText(int64_t ms);
