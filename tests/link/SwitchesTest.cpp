#include "link/Switches.h"

#include <gtest/gtest.h>

using namespace nolt;

// Switches match exactly; every parameter but a well-formed "-dc=" is handed on at restart.
TEST(Switches, RecognisedUnknownAndCurveParameters)
{
    const Switches s = parseSwitches({"-skipFW", "foo", "-dc=2", "-debug", "-SKIPFW", "-skipFW2", ""});
    EXPECT_TRUE(s.skipFW && s.debugMode);
    EXPECT_FALSE(s.enableErase || s.copyAstro || s.noLoadCheck || s.showLog || s.set60Hz);
    EXPECT_EQ(s.dcIndex, 2);
    EXPECT_EQ(s.cmdLineArgs, " -skipFW foo -debug -SKIPFW -skipFW2 ");
    const Switches all = parseSwitches({"-eraseAll", "-copyAstro", "-noLoadCheck", "-showLog", "-set60Hz"});
    EXPECT_TRUE(all.enableErase && all.copyAstro && all.noLoadCheck && all.showLog && all.set60Hz);
    EXPECT_FALSE(all.skipFW || all.debugMode);

    for (const char* p : {"-dc=", "-dc=abc", "x-dc=3", "-dc=99999999999"}) {
        const Switches bad = parseSwitches({QString::fromLatin1(p)});
        EXPECT_EQ(bad.dcIndex, -1) << p;
        EXPECT_TRUE(bad.cmdLineArgs.isEmpty()) << p;
    }
    EXPECT_EQ(parseSwitches({"-dc=5", "-dc=x"}).dcIndex, -1) << "the last one counts";
    EXPECT_EQ(parseSwitches({"-dc=-3"}).dcIndex, -3);
}
