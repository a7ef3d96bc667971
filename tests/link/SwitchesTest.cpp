#include "link/Switches.h"

#include <gtest/gtest.h>

using namespace nolt;

// Switches match exactly; every parameter but one holding "-dc=" is handed on at restart; the last "-dc=" counts.
TEST(Switches, RecognisedUnknownAndCurveParameters)
{
    const Switches s = parseSwitches({"-skipFW", "foo", "-dc=2", "-debug", "-SKIPFW", "-skipFW2", ""});
    EXPECT_TRUE(s.skipFW && s.debugMode);
    EXPECT_FALSE(s.enableErase || s.copyAstro || s.noLoadCheck || s.showLog || s.set60Hz);
    EXPECT_EQ(s.dcIndex, 2);
    EXPECT_EQ(s.cmdLineArgs, " -skipFW foo -debug -SKIPFW -skipFW2 ");
    const Switches all = parseSwitches({"-eraseAll", "-copyAstro", "-noLoadCheck", "-showLog", "-set60Hz"});
    EXPECT_TRUE(all.enableErase && all.copyAstro && all.noLoadCheck && all.showLog && all.set60Hz);
    for (auto [p, index] : {std::pair{"-dc=", -1}, {"x-dc=3", -1}, {"-dc=99999999999", -1}, {"-dc=-3", -3}})
        EXPECT_EQ(parseSwitches({QString::fromLatin1(p)}).dcIndex, index) << p;
    EXPECT_EQ(parseSwitches({"-dc=5", "-dc=x"}).dcIndex, -1) << "the last one counts";
}
