// Buttons without a caption say what they do by their picture alone.

#include "PanelTesting.h"

#include <QPushButton>

using GlyphButtonsTest = PanelTest;

TEST_F(GlyphButtonsTest, EveryButtonWithoutACaptionHasAPicture)
{
    int glyphs = 0;
    for (const QPushButton* b : h->form->findChildren<QPushButton*>()) {
        if (!b->text().isEmpty())
            continue;
        ++glyphs;
        EXPECT_FALSE(b->icon().isNull()) << b->objectName().toStdString();
    }
    EXPECT_GE(glyphs, 30) << "OK, Cancel and Help of every panel, the calculators' and the curve's buttons";
}
