#include "engine/DesignRules.h"

#include <optional>

#include "catalogue/DesignState.h"
#include "engine/CaseList.h"

namespace quenta {

namespace design_rules {

namespace {

constexpr Cell kDash{};
// A dash in the thickness position only.
constexpr double X = 0;

// ---- Series 1 --------------------------------------------------------------

// Rule 1a: N1500 at any case, whatever the commercial flag.
constexpr Column kS1aColumns[] = {{2}, {3}, {4}, {7}};
constexpr CaseRow kS1aRows[] = {
    {4, "3 to 5, 53 to 55, 93 to 95", {{{1.5, 1, 5, 1}, {1.7, 1, 5, 1}, {2, 1, 6, 1}, {1.5, 2, 6, 1}}}},
    {4, "any other", {{{1.5, 1, 5, 1}, {1.7, 1, 5, 1}, {2, 1, 6, 1}, {1.7, 2, 6, 1}}}},
};

// Rule 1b: X7R at 25 V, whatever the commercial flag; other cases set nothing.
constexpr Column kS1bColumns[] = {{1}};
constexpr CaseRow kS1bRows[] = {
    {2, "1, 2, 6", {{{1.6, 1, 3, 1}}}},
    {2, "3", {{{1.4, 1, 3, 1}}}},
    {2, "4, 5", {{{1.2, 1, 3, 1}}}},
};

// Rule 2 (and rule 1c of series 1): X7R at 50 V, commercial parts only.
constexpr Column kCommercialColumns[] = {{2}};
constexpr CaseRow kCommercialRows[] = {
    {2, "3, 53, 93", {{{1.4, 1, 3, 1}}}},
    {2, "4, 5, 54, 55, 94, 95", {{{1.2, 1, 3, 1}}}},
    {2, "any other", {{{1.6, 1, 3, 1}}}},
};

// ---- Series 4, 5 and 6: any case -------------------------------------------

constexpr VoltageRow kS456Rows[] = {
    {1, {1.2, 1, 5, 1}, {0.4, 1, 7, 1}},   {2, {1.4, 1, 5, 1}, {1.3, 1, 5, 1}},
    {3, {1.6, 1, 5, 1}, {1.5, 1, 6, 1}},   {4, {1.8, 1, 6, 1}, {1.5, 2, 6, 1}},
    {5, {2, 1, 5, 1}, {1.5, 2, 6, 1}},     {6, {1.3, 2, 5, 1}, {2, 2, 6, 1}},
    {7, {1.6, 2, 6, 1}, {2.4, 2, 6, 1}},   {8, {1.6, 2, 6, 1}, {1.8, 3, 8, 1}},
    {9, {1.6, 2, 6, 1}, {1.5, 2, 6, 2}},   {10, {1.8, 2, 6, 1}, {1.8, 2, 6, 2}},
    {11, {1.4, 2, 6, 2}, {2.4, 2, 6, 3}},  {12, {1.8, 2, 6, 2}, {2, 2, 6, 4}},
    {13, {1.4, 2, 6, 3}, {2.4, 2, 6, 4}},  {14, {1.4, 2, 7, 4}, {2.4, 2, 6, 6}},
    {15, {1.8, 2, 8, 4}, {2, 3, 8, 6}},    {16, {1.4, 2, 8, 6}, kDash},
    {17, {1.8, 2, 10, 6}, kDash},          {18, {1.4, 2, 10, 8}, kDash},
};

// ---- Series 7 (after the preset) -------------------------------------------

constexpr Column kS7Columns[] = {{1}, {2}, {3}, {4}, {7}};
constexpr CaseRow kS7Rows[] = {
    {1, "1", {{{1.2, 1, 3, 1}, {1.4, 1, 3, 1}, {1.6, 1, 3, 1}, {2.4, 1, 3, 1}, {2, 2, 6, 1}}}},
    {1, "3, 4, 8 to 10", {{{1.4, 1, 3, 1}, {1.6, 1, 3, 1}, {1.8, 1, 3, 1}, {2.4, 1, 3, 1}, {2, 2, 6, 1}}}},
    {1, "5", {{{1.2, 1, 3, 1}, {1.6, 1, 3, 1}, {1.8, 1, 3, 1}, {2.4, 1, 3, 1}, {2, 2, 6, 1}}}},
    {1, "6, 7", {{{1.2, 1, 3, 1}, {1.4, 1, 3, 1}, {1.6, 1, 3, 1}, {2.2, 1, 3, 1}, {2, 2, 6, 1}}}},
    {2, "1, 3", {{{1.2, 1, 3, 1}, {1.4, 1, 3, 1}, {1.6, 1, 3, 1}, {2.4, 1, 3, 1}, {1.8, 2, 6, 1}}}},
    {2, "4", {{{1.1, 1, 3, 1}, {1.4, 1, 3, 1}, {1.6, 1, 3, 1}, {2.4, 1, 3, 1}, {1.8, 2, 6, 1}}}},
    {2, "5", {{{1.1, 1, 3, 1}, {1.2, 1, 3, 1}, {1.6, 1, 3, 1}, {2.4, 1, 3, 1}, {1.8, 2, 6, 1}}}},
    {2, "6", {{{1.4, 1, 3, 1}, {1.8, 1, 3, 1}, {2.4, 1, 3, 1}, {1.4, 2, 6, 1}, {2, 2, 6, 1}}}},
    {2, "7, 8", {{{1.4, 1, 3, 1}, {1.8, 1, 3, 1}, {2.2, 1, 3, 1}, {1.5, 2, 6, 1}, {2, 2, 6, 1}}}},
    {2, "9, 10", {{{1.5, 1, 3, 1}, {1.8, 1, 3, 1}, {2.4, 1, 3, 1}, {1.5, 2, 6, 1}, {2, 2, 6, 1}}}},
    {3, "1, 3, 4", {{{1.4, 1, 3, 1}, {1.8, 1, 3, 1}, {2.4, 1, 3, 1}, {1.4, 2, 6, 1}, {X, 1, 3, 1}}}},
    {3, "5", {{{1.3, 1, 3, 1}, {1.8, 1, 3, 1}, {2.2, 1, 3, 1}, {1.4, 2, 6, 1}, {X, 1, 3, 1}}}},
    {3, "6", {{{1.4, 1, 3, 1}, {1.6, 1, 3, 1}, {2.2, 1, 3, 1}, {1.3, 2, 6, 1}, {X, 1, 3, 1}}}},
    {3, "7, 8", {{{1.3, 1, 3, 1}, {1.6, 1, 3, 1}, {2.2, 1, 3, 1}, {1.4, 2, 6, 1}, {X, 1, 3, 1}}}},
    {3, "9", {{{1.5, 1, 3, 1}, {1.8, 1, 3, 1}, {2.4, 1, 3, 1}, {1.5, 2, 6, 1}, {X, 1, 3, 1}}}},
    {3, "10", {{{1.5, 1, 3, 1}, {1.8, 1, 3, 1}, {2.4, 1, 3, 1}, {1.4, 2, 6, 1}, {X, 1, 3, 1}}}},
};

// ---- Series 8 --------------------------------------------------------------

constexpr Column kS8Columns[] = {{8}, {9}, {10}, {11}, {12}, {13}, {14}, {15}};
constexpr CaseRow kS8Rows[] = {
    {1, "1", {{{2.4, 1, 6, 1}, {1.5, 2, 6, 1}, {2.4, 2, 6, 1}, {1.5, 2, 6, 2}, {2, 2, 6, 2}, {2.4, 2, 6, 2}, kDash, kDash}}},
    {1, "2", {{{2.4, 1, 6, 1}, {1.5, 2, 6, 1}, {1.3, 2, 6, 2}, {1.5, 2, 6, 2}, {1.8, 2, 6, 2}, {2, 2, 6, 2}, {1.6, 2, 6, 4}, {2, 2, 6, 4}}}},
    {1, "3, 4", {{{2.4, 1, 6, 1}, {1.5, 2, 6, 1}, {1.3, 2, 6, 2}, {1.5, 2, 6, 2}, {2, 2, 6, 2}, {2.4, 2, 6, 2}, {1.6, 2, 6, 4}, {2, 2, 6, 4}}}},
    {1, "5", {{{1.3, 2, 6, 1}, {1.6, 2, 6, 1}, {1.3, 2, 6, 2}, {1.6, 2, 6, 2}, {2, 2, 6, 2}, {1.8, 3, 9, 2}, {1.6, 2, 6, 4}, {2, 2, 6, 4}}}},
    {1, "6", {{{1.3, 2, 6, 1}, {1.5, 2, 6, 1}, {1.3, 2, 6, 2}, {1.5, 2, 6, 2}, {2, 2, 6, 2}, {2.4, 2, 6, 2}, {1.5, 2, 6, 4}, {1.6, 2, 6, 4}}}},
    {1, "7, 8", {{{1.3, 2, 6, 1}, {1.8, 2, 6, 1}, {1.3, 2, 6, 2}, {1.6, 2, 6, 2}, {2, 2, 6, 2}, {1.6, 3, 9, 2}, {1.6, 2, 6, 4}, {2, 2, 6, 4}}}},
    {1, "9", {{{1.3, 2, 6, 1}, {1.8, 2, 6, 1}, {1.3, 2, 6, 2}, {1.6, 2, 6, 2}, {2, 2, 6, 2}, {1.8, 3, 9, 2}, {1.8, 2, 6, 4}, {2, 2, 6, 4}}}},
    {1, "10 to 12", {{{1.5, 2, 6, 1}, {2, 2, 6, 1}, {1.5, 2, 6, 2}, {2, 2, 6, 2}, {2.4, 2, 6, 2}, {2, 3, 9, 2}, {2, 2, 6, 4}, {2.4, 2, 6, 4}}}},
    {1, "13 to 15", {{{1.3, 2, 6, 1}, {1.6, 2, 6, 1}, {1.3, 2, 6, 2}, {1.6, 2, 6, 2}, {2, 2, 6, 2}, {1.8, 3, 9, 2}, {1.8, 2, 6, 4}, {2, 2, 6, 4}}}},
    {1, "16, 17", {{{1.5, 2, 6, 1}, {1.8, 2, 6, 1}, {1.3, 2, 6, 2}, {1.6, 2, 6, 2}, {2, 2, 6, 2}, {1.8, 3, 9, 2}, {1.8, 2, 6, 4}, {2, 2, 6, 4}}}},
    {4, "1", {{{1.3, 2, 6, 1}, {1.5, 2, 6, 1}, {2.4, 2, 6, 1}, {1.5, 2, 6, 2}, {2, 2, 6, 2}, {2.4, 2, 6, 2}, kDash, kDash}}},
    {4, "2 to 4, 6", {{{1.3, 2, 6, 1}, {1.5, 2, 6, 1}, {1.3, 2, 6, 2}, {1.5, 2, 6, 2}, {2, 2, 6, 2}, {2.4, 2, 6, 2}, {1.6, 2, 6, 4}, {2, 2, 6, 4}}}},
    {4, "5, 7", {{{1.3, 2, 6, 1}, {1.5, 2, 6, 1}, {1.3, 2, 6, 2}, {1.6, 2, 6, 2}, {2, 2, 6, 2}, {1.8, 3, 9, 2}, {1.6, 2, 6, 4}, {2, 2, 6, 4}}}},
    {4, "8", {{{1.5, 2, 6, 1}, {1.8, 2, 6, 1}, {1.3, 2, 6, 2}, {1.6, 2, 6, 2}, {2, 2, 6, 2}, {1.8, 3, 9, 2}, {1.6, 2, 6, 4}, {2, 2, 6, 4}}}},
    {4, "9", {{{1.5, 2, 6, 1}, {1.8, 2, 6, 1}, {1.3, 2, 6, 2}, {1.6, 2, 6, 2}, {2, 2, 6, 2}, {1.8, 3, 9, 2}, {1.8, 2, 6, 4}, {2, 2, 6, 4}}}},
    {4, "10 to 12", {{{1.5, 2, 6, 1}, {1.8, 2, 6, 1}, {1.5, 2, 6, 2}, {2, 2, 6, 2}, {2.4, 2, 6, 2}, {2, 3, 9, 2}, {2, 2, 6, 4}, {2.4, 2, 6, 4}}}},
    {4, "13 to 15", {{{1.3, 2, 6, 1}, {1.5, 2, 6, 1}, {1.3, 2, 6, 2}, {1.6, 2, 6, 2}, {2, 2, 6, 2}, {1.8, 3, 9, 2}, {1.8, 2, 6, 4}, {2, 2, 6, 4}}}},
    {4, "16, 17", {{{1.5, 2, 6, 1}, {1.8, 2, 6, 1}, {1.3, 2, 6, 2}, {1.8, 2, 6, 2}, {2.2, 2, 6, 2}, {1.8, 3, 9, 2}, {1.8, 2, 6, 4}, {2, 2, 6, 4}}}},
    {2, "1", {{{1.8, 2, 6, 1}, {2.4, 1, 3, 2}, {1.8, 2, 6, 2}, {2.4, 1, 6, 2}, kDash, kDash, kDash, kDash}}},
    {2, "2", {{{1.8, 2, 3, 1}, {2.4, 1, 6, 2}, {2, 2, 6, 2}, {1.5, 2, 6, 4}, {1.8, 2, 6, 4}, {2.2, 2, 6, 4}, kDash, kDash}}},
    {2, "3", {{{1.8, 2, 3, 1}, {1.3, 2, 6, 2}, {2.4, 2, 6, 2}, {1.5, 2, 6, 4}, {2, 2, 6, 4}, {2.4, 2, 6, 4}, {2, 2, 6, 6}, kDash}}},
    {2, "4", {{{1.8, 2, 3, 1}, {2.4, 1, 3, 2}, {2.4, 2, 6, 2}, {1.5, 2, 6, 4}, {1.8, 2, 6, 4}, {2, 2, 6, 4}, {1.8, 2, 6, 6}, kDash}}},
    {2, "5", {{{1.8, 2, 5, 1}, {1.3, 2, 6, 2}, {2.4, 2, 6, 2}, {1.5, 2, 6, 4}, {2, 2, 6, 4}, {2.2, 2, 6, 4}, {2, 2, 6, 6}, {1.8, 3, 9, 6}}}},
    {2, "6", {{{1.8, 2, 5, 1}, {2.4, 1, 6, 2}, {2, 2, 6, 2}, {1.5, 2, 6, 4}, {2, 2, 6, 4}, {2.2, 2, 6, 4}, {2, 2, 6, 6}, {1.8, 3, 9, 6}}}},
    {2, "8 to 12, 16, 17", {{{2, 2, 5, 1}, {1.3, 2, 6, 2}, {2.4, 2, 6, 2}, {1.5, 2, 6, 4}, {2, 2, 6, 4}, {2.4, 2, 6, 4}, {2, 2, 6, 6}, {1.8, 3, 9, 6}}}},
    {2, "any other", {{{1.8, 2, 5, 1}, {1.3, 2, 6, 2}, {2.4, 2, 6, 2}, {1.5, 2, 6, 4}, {2, 2, 6, 4}, {2.4, 2, 6, 4}, {2, 2, 6, 6}, {1.8, 3, 9, 6}}}},
};

// ---- Series 9 (after the preset), every dielectric -------------------------

constexpr Column kS9Columns[] = {{1}, {2}, {3}};
constexpr CaseRow kS9Rows[] = {
    {0, "6", {{{1, 1, 3, 1}, {1.4, 1, 3, 1}, {1.8, 1, 3, 1}}}},
    {0, "any other", {{{0.75, 1, 3, 1}, {1, 1, 3, 1}, {1.4, 1, 3, 1}}}},
};

// ---- Series 10 and 11 (after the preset), every dielectric -----------------

constexpr Column kS10Columns[] = {{2}, {3}, {4}, {7}};
constexpr CaseRow kS10Rows[] = {
    {0, "3", {{{1.4, 1, 3, 1}, {2, 1, 3, 1}, {1.4, 2, 3, 1}, {2, 2, 3, 1}}}},
    {0, "4", {{{1.2, 1, 3, 1}, {1.8, 1, 3, 1}, {2.4, 1, 3, 1}, {1.6, 2, 3, 1}}}},
    {0, "5", {{{1.2, 1, 3, 1}, {1.8, 1, 3, 1}, {2.2, 1, 3, 1}, {1.6, 2, 3, 1}}}},
};

// ---- Series 12 (after the preset) ------------------------------------------

constexpr Column kS12Columns[] = {{1}, {2}, {3}, {4}, {7}};
constexpr CaseRow kS12Rows[] = {
    {1, "1 to 5", {{{1.6, 1, 3, 1}, {1.8, 1, 3, 1}, {2.4, 1, 3, 1}, {1.8, 2, 6, 1}, {1.8, 3, 9, 1}}}},
    {1, "6", {{{1.6, 1, 3, 1}, {1.8, 1, 3, 1}, {2.4, 1, 3, 1}, {2, 2, 6, 1}, {2, 3, 9, 1}}}},
    {2, "any", {{{1.5, 1, 3, 1}, {1.8, 1, 3, 1}, {2.4, 1, 6, 1}, {1.8, 2, 6, 1}, {1.8, 3, 9, 1}}}},
};

// ---- Series 13 (after the preset): any case -------------------------------

constexpr VoltageRow kS13Rows[] = {
    {2, {1.6, 1, 3, 1}, {1.5, 1, 3, 1}},  {3, {2.2, 1, 3, 1}, {1.8, 1, 3, 1}},
    {4, {2, 2, 6, 1}, {1.5, 2, 6, 1}},    {7, {1.8, 3, 9, 1}, {2.4, 2, 9, 1}},
    {9, {1.8, 2, 6, 2}, {1.8, 2, 6, 2}},  {10, {2.4, 2, 6, 2}, {2.4, 2, 6, 2}},
    {11, {2, 3, 9, 2}, {1.8, 2, 6, 4}},   {13, {2, 2, 6, 4}, {1.8, 3, 6, 4}},
};

// ---- Series 14 to 22: the chip sizes ---------------------------------------

constexpr Column kChipColumns[] = {{8, EntryFilter::Maker}, {8, EntryFilter::Mil123}, {9}, {10},
                                   {11}, {12}, {13}, {14}, {15}};
constexpr CaseRow kChipRows[] = {
    {1, "100", {{{2, 1, 3, 1}, {1.4, 1, 6, 1}, {1.3, 2, 6, 1}, kDash, kDash, kDash, kDash, kDash, kDash}}},
    {1, "101, 102", {{{2, 1, 3, 1}, {1.4, 1, 6, 1}, {1.3, 2, 6, 1}, {1.8, 2, 6, 1}, {1.3, 2, 6, 2}, kDash, kDash, kDash, kDash}}},
    {1, "103", {{{2, 1, 3, 1}, {2, 1, 3, 1}, {1.3, 2, 6, 1}, {2, 2, 6, 1}, {1.5, 2, 6, 2}, {1.8, 2, 6, 2}, {2, 2, 6, 2}, {1.5, 2, 6, 4}, kDash}}},
    {1, "104", {{{2.4, 1, 3, 1}, {1.4, 1, 6, 1}, {1.5, 2, 6, 1}, {2, 2, 6, 1}, {1.3, 2, 6, 2}, {1.8, 2, 6, 2}, {2, 2, 6, 2}, {1.5, 2, 6, 4}, kDash}}},
    {1, "105", {{{1.3, 2, 6, 1}, {1.5, 1, 6, 1}, {1.5, 2, 6, 1}, {2, 2, 6, 1}, {1.5, 2, 6, 2}, {1.8, 2, 6, 2}, {2, 2, 6, 2}, {1.5, 2, 6, 4}, kDash}}},
    {1, "106, 107", {{{1.3, 2, 6, 1}, {1.3, 2, 6, 1}, {1.5, 2, 6, 1}, {2, 2, 6, 1}, {1.5, 2, 6, 2}, {1.8, 2, 6, 2}, {2, 2, 6, 2}, {1.5, 2, 6, 4}, {1.8, 2, 6, 4}}}},
    {1, "108", {{{1.3, 2, 6, 1}, {1.3, 2, 6, 1}, {1.8, 2, 6, 1}, {1.3, 2, 6, 2}, {1.6, 2, 6, 2}, {2, 2, 6, 2}, {1.6, 3, 6, 2}, {1.8, 2, 6, 4}, {2.2, 2, 6, 4}}}},
    {2, "100", {{{1.4, 2, 6, 1}, {1.4, 2, 6, 1}, {1.2, 2, 6, 2}, kDash, kDash, kDash, kDash, kDash, kDash}}},
    {2, "101, 102", {{{1.5, 2, 6, 1}, {1.5, 2, 6, 1}, {2.4, 1, 3, 2}, {2, 2, 6, 2}, {1.6, 2, 6, 4}, kDash, kDash, kDash, kDash}}},
    {2, "103", {{{1.8, 2, 6, 1}, {1.8, 2, 6, 1}, {1.3, 2, 6, 2}, {2.2, 2, 6, 2}, {1.5, 2, 6, 4}, {1.8, 2, 6, 4}, {2.4, 2, 6, 4}, kDash, kDash}}},
    {2, "104 to 106", {{{1.8, 2, 6, 1}, {1.8, 2, 6, 1}, {1.4, 2, 6, 2}, {2.2, 2, 6, 2}, {1.5, 2, 6, 4}, {1.8, 2, 6, 4}, {2.4, 2, 6, 4}, kDash, kDash}}},
    {2, "107", {{{1.8, 2, 6, 1}, {1.8, 2, 6, 1}, {1.4, 2, 6, 2}, {2.4, 2, 6, 2}, {1.5, 2, 6, 4}, {1.8, 2, 6, 4}, {2.4, 2, 6, 4}, kDash, kDash}}},
    {2, "108", {{{1.8, 2, 6, 1}, {1.8, 2, 6, 1}, {1.4, 2, 6, 2}, {2.4, 2, 6, 2}, {1.8, 2, 6, 4}, {2, 2, 6, 4}, {2.4, 2, 6, 4}, {2, 2, 6, 6}, {2.4, 2, 6, 6}}}},
};

// The two styles of the leaded X7R parts, at 25 to 100 V.
constexpr Column kStyleColumns[] = {{1}, {2}, {3}};
constexpr CaseRow kStyleRows[] = {
    {2, "109", {{{0.4, 1, 6, 1}, {0.6, 1, 6, 1}, {0.7, 1, 6, 1}}}},
    {2, "110", {{kDash, {0.5, 1, 6, 1}, {0.7, 1, 6, 1}}}},
};

constexpr CaseTable kS1a{"series 1, rule 1a", kS1aColumns, kS1aRows};
constexpr CaseTable kS1b{"series 1, rule 1b", kS1bColumns, kS1bRows};
constexpr CaseTable kCommercial{"series 1 and 2, commercial", kCommercialColumns, kCommercialRows};
constexpr CaseTable kS7{"series 7", kS7Columns, kS7Rows};
constexpr CaseTable kS8{"series 8", kS8Columns, kS8Rows};
constexpr CaseTable kS9{"series 9", kS9Columns, kS9Rows};
constexpr CaseTable kS10{"series 10 and 11", kS10Columns, kS10Rows};
constexpr CaseTable kS12{"series 12", kS12Columns, kS12Rows};
constexpr CaseTable kChip{"series 14 to 22", kChipColumns, kChipRows};
constexpr CaseTable kStyles{"series 14 to 22, styles 109 and 110", kStyleColumns, kStyleRows};

constexpr CaseTable kAllCaseTables[] = {kS1a, kS1b, kCommercial, kS7,   kS8,
                                        kS9,  kS10, kS12,        kChip, kStyles};

// The cell of the table at (dielectric, case, voltage), or nothing. The
// first row whose dielectric and case match decides: when it has no column
// for the voltage, the table sets nothing.
std::optional<Cell> Lookup(const CaseTable& table, int dielectric, int caseIndex, int voltage,
                           bool mil123) {
  for (const CaseRow& row : table.rows) {
    if (row.dielectric != 0 && row.dielectric != dielectric) continue;
    if (!CaseListContains(row.cases, caseIndex)) continue;
    for (std::size_t col = 0; col < table.columns.size(); ++col) {
      const Column& column = table.columns[col];
      if (column.voltage == voltage && AppliesIn(column.entry, mil123)) return row.cells[col];
    }
    return std::nullopt;
  }
  return std::nullopt;
}

std::optional<Cell> Lookup(std::span<const VoltageRow> rows, int dielectric, int voltage) {
  for (const VoltageRow& row : rows) {
    if (row.voltage != voltage) continue;
    if (dielectric == 1) return row.c0g;
    if (dielectric == 2) return row.x7r;
    return std::nullopt;
  }
  return std::nullopt;
}

void Apply(const std::optional<Cell>& cell) {
  if (!cell) return;
  if (cell->t != 0) {
    gChip.DielThickness = cell->t;
    gChip.DielThicknessIsSingle = false;
  }
  if (cell->m != 0) gChip.Mult = cell->m;
  if (cell->covers != 0) gChip.Covers = cell->covers;
  if (cell->cascades != 0) gChip.Cascades = cell->cascades;
}

}  // namespace

std::span<const CaseTable> AllCaseTables() { return kAllCaseTables; }

std::optional<Cell> FindRuleCell(int series, int caseIndex, int voltage, int dielectric,
                                 bool commercial, bool mil123) {
  auto lookup = [&](const CaseTable& table) {
    return Lookup(table, dielectric, caseIndex, voltage, mil123);
  };
  switch (series) {
    case 1: {
      std::optional<Cell> cell = lookup(kS1a);
      if (!cell) cell = lookup(kS1b);
      if (!cell && commercial) cell = lookup(kCommercial);
      return cell;
    }
    case 2:
      return commercial ? lookup(kCommercial) : std::nullopt;
    case 4:
    case 5:
    case 6:
      return Lookup(kS456Rows, dielectric, voltage);
    case 7:
      return lookup(kS7);
    case 8:
      return lookup(kS8);
    case 9:
      return lookup(kS9);
    case 10:
    case 11:
      return lookup(kS10);
    case 12:
      return lookup(kS12);
    case 13:
      return Lookup(kS13Rows, dielectric, voltage);
    default:
      if (ChipSizeSeries(series)) {
        std::optional<Cell> cell = lookup(kChip);
        if (!cell) cell = lookup(kStyles);
        return cell;
      }
      // Series 3, 23, 24, 25 and anything else: no built-in rule.
      return std::nullopt;
  }
}

bool HasPreset(int series) {
  return series == 7 || (series >= 9 && series <= 13);
}

}  // namespace design_rules

void SetDesignRules() {
  using namespace design_rules;
  const int series = gSelection.SeriesIndex;
  // Series 7 and 9 to 13 start from one multiplier, three covers and one
  // cascade before their table applies.
  if (HasPreset(series)) {
    gChip.Mult = 1;
    gChip.Covers = 3;
    gChip.Cascades = 1;
  }
  Apply(FindRuleCell(series, gSelection.CaseIndex, gSelection.VoltageIndex,
                     gSelection.DielectricIndex, gSelection.CommercialFlag != 0,
                     gSelection.Mil123Entry));
}

}  // namespace quenta
