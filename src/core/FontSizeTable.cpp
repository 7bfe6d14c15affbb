#include "core/FontSizeTable.h"

#include <cmath>

namespace {

struct SizeRow
{
    int large;
    int normal;
    int medium;
    int small;
    int largeTitle;
    int transInput;
    int transInputHeight; // not offset
};

// Indexed by level + 1.
const SizeRow kRows[] = {
    {10, 8, 7, 6, 12, 8, 24},
    {12, 10, 9, 8, 14, 10, 26},
    {16, 12, 11, 10, 18, 14, 28},
    {18, 14, 12, 11, 20, 18, 30},
};

} // namespace

int FontSizeTable::clampLevel(int level)
{
    return level >= MinLevel && level < MaxLevel ? level : MaxLevel;
}

int FontSizeTable::baseOffset(double startScreenScale)
{
    const double scale = startScreenScale < 1.5 ? 1.0 : startScreenScale;
    return static_cast<int>(std::round(4.0 / scale));
}

QVariantMap FontSizeTable::forLevel(int level, double startScreenScale)
{
    const int chosen = clampLevel(level);
    const int b = baseOffset(startScreenScale);
    const SizeRow& row = kRows[chosen - MinLevel];
    return {
        {QStringLiteral("level"), chosen},
        {QStringLiteral("large"), b + row.large},
        {QStringLiteral("normal"), b + row.normal},
        {QStringLiteral("medium"), b + row.medium},
        {QStringLiteral("small"), b + row.small},
        {QStringLiteral("largeTitle"), b + row.largeTitle},
        {QStringLiteral("transInput"), b + row.transInput},
        {QStringLiteral("transInputHeight"), row.transInputHeight},
    };
}
