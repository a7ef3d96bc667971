#include "pgm/panels/DimmerDesign.h"

#include "image/ConfigImage.h"
#include "pgm/kit/SliderEditor.h"

namespace nolt {

// Each line names a control of engine 1's editor, then its twin in engine 2's.
EngineDesign engineDesign(int engine)
{
    const bool one = engine == 1;
    const auto pick = [one](auto first, auto second) { return one ? first : second; };
    using Tops = std::array<int, 10>;
    using RemoveTops = std::array<int, 9>;

    RowDesign r{};
    r.group = pick("ED1_gb", "ED2_gb");
    r.first = pick("eD1_Time", "eD2_Delay");
    r.firstLabel = pick("Time", "Delay");
    r.fade = pick("eD1_Fade", "eD2_Fade");
    r.level = pick("eD1_Level", "eD2_Level");
    r.on = pick("rbD1_On", "rbD2_On");
    r.off = pick("rbD1_Off", "rbD2_Off");
    r.remove = pick("ED1_cbDel", "ED2_cbDel");
    r.firstCaption = pick(" 1", "1");
    r.groupTops = pick(Tops{4, 48, 92, 136, 181, 225, 268, 313, 356, 400},
                       Tops{2, 48, 94, 140, 186, 232, 278, 324, 371, 416});
    r.groupHeight = pick(42, 44);
    r.firstLeft = pick(43, 39);
    r.fadeLeft = pick(181, 174);
    r.onTop = pick(7, 8);
    r.offTop = pick(21, 24);
    r.removeTops = pick(RemoveTops{64, 107, 150, 194, 238, 283, 328, 373, 415},
                        RemoveTops{65, 109, 155, 194, 247, 293, 340, 387, 431});
    r.firstRemoveLeft = pick(16, 17);

    EngineDesign d{};
    d.rows = r;
    d.panel = pick("pDimmer1", "pDimmer2");
    d.place = pick(QRect(263, 54, 516, 490), QRect(263, 33, 516, 506));
    d.deleteLabel = pick("lDelete", "lDelete2");
    d.deleteLabelAt = pick(QPoint(14, 43), QPoint(14, 48));
    d.strip = pick("pD1Slider", "pD2Slider");
    d.slider = pick("sbD1", "sbD2");
    d.combo = pick("comboD1", "comboD2");
    d.stripTop = pick(448, 466);
    d.ok = pick("bDimmer1_OK", "bDimmer2OK");
    d.cancel = pick("bDimmer1_Cancel", "bDimmer2Cancel");
    d.help = pick("bHelpD1a", "bQuestion");
    d.buttonsTop = pick(456, 470);
    d.overlay = pick("pHelpD1a", "pHelpD1");
    d.picture = pick("Image3", "Image2");
    d.overlaySize = pick(QSize(516, 497), QSize(516, 506));
    d.pictureRect = pick(QRect(13, 173, 469, 191), QRect(14, 161, 469, 193));
    d.helpArt = pick("dimming_engine1", "dimming_engine2");
    d.tile = pick("iISD1_en", "iISD2_en");
    d.imageSteps = pick(img::dim1Steps, img::dim2Steps);
    d.firstKind = pick(kindTimeOfDay, kindTime);
    return d;
}

} // namespace nolt
