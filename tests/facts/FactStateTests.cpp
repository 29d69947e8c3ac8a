// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The fact grid's four colours from a fact's tries.
#include "facts/FactState.h"

#include <gtest/gtest.h>

namespace {

// One letter a try, oldest first: F fluent (right within the threshold), S right but slow,
// W wrong, M given away by the magnifier.
std::vector<asFACTTRY> Tries(const std::string& letters) {
    std::vector<asFACTTRY> arrTries;
    for (const char c : letters)
        arrTries.push_back({c == 'F' || c == 'S' || c == 'M', c == 'M', c == 'S' ? 6001 : 6000});
    return arrTries;
}

TEST(FactState, TheFourColoursFollowTheLatestTries) {
    const std::pair<const char*, FactState> arrCases[] = {
        {"", FactState::GREY},         {"W", FactState::RED},
        {"FFW", FactState::RED},  // the last try decides red, whatever came before
        {"FFM", FactState::RED},  // the magnifier gave it away
        {"F", FactState::YELLOW}, // one fluent try is not yet two
        {"S", FactState::YELLOW},      {"SSF", FactState::YELLOW},
        {"FF", FactState::GREEN},      {"FSF", FactState::GREEN},
        {"WFF", FactState::GREEN},     {"MFF", FactState::GREEN},
        {"FFSS", FactState::YELLOW}, // only the last three count
        {"WWWWFSF", FactState::GREEN}, {"FWS", FactState::YELLOW},
        {"MSF", FactState::YELLOW}, // a given-away try is not a fluent one
    };
    for (const auto& [letters, state] : arrCases)
        EXPECT_EQ(StateOfTries(Tries(letters), DEFAULT_THRESHOLD_MS), state) << letters;
}

TEST(FactState, TheThresholdIsTheLongestFluentTime) {
    const std::vector<asFACTTRY> arrTries = {{true, false, 2500}, {true, false, 2500}};
    EXPECT_EQ(StateOfTries(arrTries, 2500), FactState::GREEN);
    EXPECT_EQ(StateOfTries(arrTries, 2499), FactState::YELLOW);
}

} // namespace
