#include "link/Switches.h"

#include <gtest/gtest.h>

using namespace nolt;

TEST(Switches, RecognisedUnknownAndCurveParameters)
{
    const Switches s = parseSwitches({"-skipFW", "foo", "-dc=2", "-debug"});
    EXPECT_TRUE(s.skipFW);
    EXPECT_TRUE(s.debugMode);
    EXPECT_FALSE(s.enableErase);
    EXPECT_EQ(s.dcIndex, 2);
    EXPECT_EQ(s.cmdLineArgs, " -skipFW foo -debug");
}

TEST(Switches, EverySwitchSetsItsOwnFlag)
{
    const Switches s = parseSwitches({"-eraseAll", "-copyAstro", "-noLoadCheck", "-showLog", "-set60Hz"});
    EXPECT_TRUE(s.enableErase && s.copyAstro && s.noLoadCheck && s.showLog && s.set60Hz);
    EXPECT_FALSE(s.skipFW || s.debugMode);
}

TEST(Switches, MatchIsExactButEverythingIsHandedOn)
{
    const Switches s = parseSwitches({"-SKIPFW", "-skipFW2", ""});
    EXPECT_FALSE(s.skipFW);
    EXPECT_EQ(s.cmdLineArgs, " -SKIPFW -skipFW2 ");
}

TEST(Switches, MalformedCurveIndexNamesNoCurveAndIsNotHandedOn)
{
    for (const char* p : {"-dc=", "-dc=abc", "x-dc=3", "-dc=99999999999"}) {
        const Switches s = parseSwitches({QString::fromLatin1(p)});
        EXPECT_EQ(s.dcIndex, -1) << p;
        EXPECT_TRUE(s.cmdLineArgs.isEmpty()) << p;
    }
    EXPECT_EQ(parseSwitches({"-dc=5", "-dc=x"}).dcIndex, -1) << "the last one counts";
    EXPECT_EQ(parseSwitches({"-dc=-3"}).dcIndex, -3);
}
