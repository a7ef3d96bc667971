// Before a slot is chosen in driver mode the main screen shows its pictures as designed.

#include "Harness.h"

TEST(DesignState, BeforeASlotIsChosenThePicturesAreAsDesigned)
{
    DriverForm d;
    FormHarness& h = d.start();
    ASSERT_TRUE(h.state().formDisabled && h.shown("bM1"));
    for (const char* hidden : {"PWM", "SW_PWM", "lMinLevel", "SW_block_close", "lBlock", "iLST_pol", "LST_dis",
                               "lHold", "rc_main", "rc_lst", "lRemote", "eInfo", "lInfo", "bMemCancel", "bMemStore",
                               "bMemClear", "bErase", "bLoad", "bSave", "bUpdateFw", "bReread", "iFW", "l60Hz"})
        EXPECT_FALSE(h.shown(hidden)) << hidden;
    for (const char* shown :
         {"iTen", "Dali", "SW_Ten", "SW_DALI", "iTBlock_en", "Block_dis", "sw_block_open", "iTDpc_en", "lPO_Delay",
          "lPO_Fade", "lPO_Level", "iISD_en", "Astro_dis", "SW_astro_close", "sw_astro_open", "iISD1_en", "dm1_dis",
          "iLst_en", "SW_lst_close", "sw_lst_open", "iISD2_en", "dm2_dis", "iTHold_en", "HOLD_dis", "sw_hold_on",
          "sw_hold_off", "SW_hold_dis", "iMFF_en", "MFF_dis", "SW_mff_on", "sw_mff_off", "iTM", "iTM_dis", "sw_tm_on",
          "sw_tm_off", "iRemote_en", "rem_dis", "rc_off", "iRelay"})
        EXPECT_TRUE(h.shown(shown)) << shown;
}
