// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Every catalogue picture is embedded, has its exact size, and uses magenta only where keyed.
#include "gfx/Pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

TEST(PictureCatalogue, HoldsAllFiftyIdsWithTheirSizes) {
    const std::set<int> expected = {130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141, 142,
                                    143, 144, 145, 147, 151, 153, 154, 158, 159, 160, 164, 165, 166,
                                    168, 169, 172, 173, 174, 175, 176, 177, 178, 179, 180, 181, 182,
                                    183, 184, 185, 186, 187, 188, 189, 190, 191, 192, 193};
    std::set<int> found;
    for (const asPICTUREINFO& p : PictureCatalogue()) {
        found.insert(p.nId);
        EXPECT_EQ(FindPicture(p.nId), &p) << p.nId;
    }
    EXPECT_EQ(found, expected);
    EXPECT_EQ(FindPicture(154)->nWidth, 1024);
    EXPECT_EQ(FindPicture(154)->nHeight, 768);
    EXPECT_EQ(FindPicture(144)->nHeight, 39);
    EXPECT_EQ(FindPicture(175)->nWidth, 185);
    EXPECT_EQ(FindPicture(186)->nHeight, 146);
    EXPECT_EQ(FindPicture(129), nullptr);
    EXPECT_EQ(FindPicture(150), nullptr);
}

TEST(PictureCatalogue, MagentaOnlyInKeyedPicturesAndKeyedSpritesHaveHoles) {
    for (const asPICTUREINFO& p : PictureCatalogue()) {
        int magenta = 0;
        for (int i = 0; i < p.nWidth * p.nHeight; ++i)
            magenta += p.pPixels[i] == COLOR_KEY;
        if (!p.bKeyed) {
            EXPECT_EQ(magenta, 0) << "opaque picture " << p.nId << " holds magenta";
        } else if (p.nId != 172 && p.nId != 173) {
            // Every keyed sprite is a shape on a left-out ground.
            EXPECT_GT(magenta, 0) << "keyed picture " << p.nId << " has no left-out pixel";
        }
        // The top bits are unused: a pixel is 0x00RRGGBB.
        for (int i = 0; i < p.nWidth * p.nHeight; ++i)
            ASSERT_EQ(p.pPixels[i] >> 24, 0u) << "picture " << p.nId;
    }
}

// English puts in use the drawing of every picture with painted words, the same size, and leaves
// every other picture as drawn; an empty or unknown language gives back the Chinese drawings.
TEST(PictureCatalogue, LanguageSwapsThePicturesWithWordsOnly) {
    const std::set<int> withWords = {154, 166, 169, 174, 175, 181, 182,
                                     183, 184, 185, 186, 187, 188};
    std::vector<asPICTUREINFO> drawn(PictureCatalogue().begin(), PictureCatalogue().end());
    for (const char* language : {"en", "xx", ""}) {
        UsePictureLanguage(language);
        const bool english = std::string(language) == "en";
        for (const asPICTUREINFO& before : drawn) {
            const asPICTUREINFO* now = FindPicture(before.nId);
            ASSERT_NE(now, nullptr);
            EXPECT_EQ(now->nWidth, before.nWidth);
            EXPECT_EQ(now->nHeight, before.nHeight);
            const bool swapped = english && withWords.contains(before.nId);
            const bool samePixels =
                std::equal(now->pPixels, now->pPixels + now->nWidth * now->nHeight, before.pPixels);
            EXPECT_EQ(samePixels, !swapped) << language << " " << before.nId;
        }
    }
}
