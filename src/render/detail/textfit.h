#pragma once
// Texts that must stay within a width: drawn at their role's size when they
// fit, else at the largest smaller size down to 70 % that holds them, else at
// 70 % cut at a character boundary with "…" appended. So a long test name or
// remark never runs over its neighbour or out of its column.

#include "platform/device.h"

#include <string>
#include <string_view>

namespace qc {

struct LogPass;

// The smallest size a fitted text is shrunk to, as a fraction of its role's size.
inline constexpr double kSmallestFit = 0.7;

struct FittedText
{
    std::string text; // the text, or its beginning with "…"
    double scale = 1; // of the role's size
    double width = 0; // page mm at that size
};

// Measures how text fits into widthMm in the given role. Leaves the role selected at 100 %.
FittedText fitText(LogPass& pass, int role, std::string_view text, double widthMm);

// Draws text at (x, y) with the alignment, fitted into widthMm; the role is selected at 100 % afterwards.
void drawFitted(LogPass& pass, int role, std::string_view text, double x, double y, double widthMm,
                TextAlign align);

// The role selected at a fraction of its size; returns the character height in y units.
double selectRoleScaled(LogPass& pass, int role, double scale);

} // namespace qc
