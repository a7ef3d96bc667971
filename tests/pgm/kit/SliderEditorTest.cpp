// The scroll bar wrapper; the slider editor is tested through the panels that use it.

#include "pgm/kit/SliderStrip.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace nolt;

TEST(ScrollBar, RefusesAMaximumBelowTheMinimumAndReportsEveryRealChange)
{
    ScrollBar sb;
    int changes = 0;
    QObject::connect(&sb, &QScrollBar::valueChanged, [&] { ++changes; });
    EXPECT_TRUE(sb.setLimits(10, 20));
    EXPECT_EQ(sb.position(), 10);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(!sb.setMax(5) && sb.maximum() == 20);
    EXPECT_FALSE(sb.setParams(3, 8, 2));
    sb.setPosition(99);
    EXPECT_EQ(sb.position(), 20);
    sb.setPosition(20);
    EXPECT_EQ(changes, 2) << "setting the same position runs nothing";
    EXPECT_TRUE(sb.setParams(15, 0, 100));
    EXPECT_EQ(changes, 3) << "one change for one step";
}
