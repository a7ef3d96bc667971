// What every panel shows alike: buttons without a caption say what they do by their picture alone, and values
// are never typed.

#include "PanelTesting.h"

#include <QPushButton>

using PanelLookTest = PanelTest;

TEST_F(PanelLookTest, EveryButtonWithoutACaptionHasAPicture)
{
    int glyphs = 0;
    for (const QPushButton* b : h->form->findChildren<QPushButton*>()) {
        if (!b->text().isEmpty())
            continue;
        ++glyphs;
        EXPECT_FALSE(b->icon().isNull()) << b->objectName().toStdString();
    }
    EXPECT_GE(glyphs, 30) << "OK, Cancel and Help of every panel, the calculators' and the curve's buttons";
    // A screen reader names a picture button by what it does.
    const std::pair<const char*, const char*> names[] = {{"bTBlockOK", "OK"}, {"bTBlockCancel", "Cancel"},
                                                         {"SpeedButton2", "Help"}, {"bCalcHelp", "Help"},
                                                         {"bRemoteCancel", "Cancel"}, {"bISDOK", "OK"}};
    for (auto [button, name] : names)
        EXPECT_EQ(h->find(button)->accessibleName(), name) << button;
}

// Values are never typed: every value edit and every calculator result is read-only (the night length is the one
// edit of the calculators that takes typing).
TEST_F(PanelLookTest, ValueEditsAndCalculatorResultsAreReadOnly)
{
    int values = 0;
    for (const ClickEdit* e : h->form->findChildren<ClickEdit*>()) {
        ++values;
        EXPECT_TRUE(e->isReadOnly()) << e->objectName().toStdString();
    }
    EXPECT_GE(values, 40);
    for (const char* result : {"eUTC", "eLength", "eOffset"})
        EXPECT_TRUE(h->find<QLineEdit>(result)->isReadOnly()) << result;
    EXPECT_FALSE(h->find<QLineEdit>("eLoN")->isReadOnly());
}
