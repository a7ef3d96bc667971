// The LST timer's tile: a click inverts the input's polarity at once, and the other tile takes its place.

#include "PanelTesting.h"

using LstTileTest = PanelTest;

// Byte 0: 0x08 the LST timer on, 0x10 inverted polarity. While the timer is off its grey overlay takes the click.
TEST_F(LstTileTest, AClickInvertsThePolarity)
{
    play({{{{img::featureFlags, 0x08}}, {"iLst_en", "!iLst_en", "?iLST_pol"}, {{img::featureFlags, 0x18}}},
          {{{img::featureFlags, 0x18}}, {"iLST_pol", "?iLst_en", "!iLST_pol"}, {{img::featureFlags, 0x08}}},
          {{{img::featureFlags, 0x00}}, {"@iLst_en", "?LST_dis", "?iLst_en", "!iLST_pol"}}});
}
