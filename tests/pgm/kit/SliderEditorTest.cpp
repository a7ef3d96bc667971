// The shared slider editor, seen through engine 2's editor, whose delay, fade and level fields all use it: the
// range a duration opens in, what the slider writes in each range, what a chosen range does to the value.

#include "../PanelTesting.h"

namespace {

constexpr int s2 = img::dim2Steps;

// Engine 2's steps 1 to 5 with delays and fades of 59, 60, 600, 3600 and the longest stored (54000 or 56700).
const ByteChanges durations = {
    {s2, 59},       {s2 + 1, 59},       {s2 + 3, 70},       {s2 + 4, 70},  {s2 + 5, 0x32}, {s2 + 6, 138}, {s2 + 7, 138},
    {s2 + 8, 0x32}, {s2 + 9, 196},      {s2 + 10, 196},     {s2 + 11, 0x32}, {s2 + 12, 0xFC}, {s2 + 13, 0xFF},
    {s2 + 14, 0x32},
};

struct SliderEditorTest : PanelTest {
    QStringList items() const
    {
        const auto* combo = h->find<QComboBox>(QStringLiteral("comboD2"));
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    }
    // Which of row k's fields are marked as being edited: "D", "F", "L", or "-" for none.
    QString marked(int k) const
    {
        QString out;
        for (const char* field : {"eD2_Delay", "eD2_Fade", "eD2_Level"})
            if (edited(QString::fromLatin1(field) + QString::number(k)))
                out += QLatin1Char(field[4]);
        return out.isEmpty() ? QStringLiteral("-") : out;
    }
};

} // namespace

// A duration opens in the range that holds it (from 60, 600 and 3600 on the next one) at value / step, the
// field keeping its text; a value beyond range 3 leaves the slider at its end.
TEST_F(SliderEditorTest, ADurationOpensInItsRange)
{
    load(durations);
    act({"iISD2_en", "eD2_Delay1", "comboD2==0", "sbD2==59", "eD2_Delay2", "comboD2==1", "sbD2==6", "eD2_Delay3",
         "comboD2==2", "sbD2==10", "eD2_Delay4", "comboD2==3", "sbD2==4", "eD2_Delay5", "comboD2==3", "sbD2==60",
         "eD2_Delay2==00:01:00", "eD2_Delay5==15:00:00"});
    act({"eD2_Fade1", "comboD2==0", "sbD2==59", "eD2_Fade2", "comboD2==1", "sbD2==6", "eD2_Fade3", "comboD2==2",
         "sbD2==10", "eD2_Fade4", "comboD2==3", "sbD2==6", "eD2_Fade5", "comboD2==3", "sbD2==60",
         "eD2_Fade4==03,600", "eD2_Fade5==56,700"});
}

// The slider at 7 writes 7 steps of the chosen range: 1, 10, 60 or 900 s for a delay, 1, 10, 60 or 600 for a fade.
TEST_F(SliderEditorTest, TheSliderWritesStepsOfTheChosenRange)
{
    const struct { const char* field; int range; const char* text; } rows[] = {
        {"eD2_Delay1", 0, "00:00:07"}, {"eD2_Delay1", 1, "00:01:10"}, {"eD2_Delay1", 2, "00:07:00"},
        {"eD2_Delay1", 3, "01:45:00"}, {"eD2_Fade1", 0, "00,007"},    {"eD2_Fade1", 1, "00,070"},
        {"eD2_Fade1", 2, "00,420"},    {"eD2_Fade1", 3, "04,200"},
    };
    act({"iISD2_en"});
    for (const auto& [field, range, text] : rows) {
        SCOPED_TRACE(text);
        click(QString::fromLatin1(field));
        pick(QStringLiteral("comboD2"), range);
        slide(QStringLiteral("sbD2"), 0);
        slide(QStringLiteral("sbD2"), 7);
        EXPECT_EQ(edit(QString::fromLatin1(field)), text);
    }
}

// A chosen range takes the value to its nearest step (at most the range's top) and moves the slider there.
TEST_F(SliderEditorTest, AChosenRangeRoundsTheValueIntoIt)
{
    load(durations);
    act({"iISD2_en", "eD2_Delay5", "comboD2=2", "eD2_Delay5==01:00:00", "sbD2==60"});  // 15:00:00
    act({"eD2_Delay3", "comboD2=0", "eD2_Delay3==00:01:00", "sbD2==60"});                // 00:10:00
    act({"eD2_Delay4", "comboD2=1", "eD2_Delay4==00:10:00", "sbD2==60"});                // 01:00:00
    act({"eD2_Fade1", "comboD2=0", "sbD2=53", "comboD2=1", "eD2_Fade1==00,050", "sbD2==5", // 53 down, 55 up
         "comboD2=0", "sbD2=55", "comboD2=1", "eD2_Fade1==00,060", "sbD2==6"});
    act({"eD2_Fade2", "comboD2=3", "eD2_Fade2==0", "sbD2==0"}); // 60 is nearer to 0 than to 600
    act({"eD2_Fade5", "comboD2=3", "eD2_Fade5==57,000", "sbD2==60"}); // range 3 has no top
}

// Each field brings its own items and marks itself alone; the level needs no range selector.
TEST_F(SliderEditorTest, EachFieldBringsItsItemsAndMarksItself)
{
    const QStringList delays{"-> 00:01:00", "-> 00:10:00", "-> 01:00:00", "-> 15:00:00"};
    const QStringList fades{"-> 00,060", "-> 00,600", "-> 03,600", "-> 36,000"};
    act({"iISD2_en", "eD2_Delay1", "?comboD2"});
    EXPECT_EQ(items(), delays);
    EXPECT_EQ(marked(1), "D");
    act({"eD2_Fade1", "?comboD2"});
    EXPECT_EQ(items(), fades);
    EXPECT_EQ(marked(1), "F");
    act({"eD2_Delay1"});
    EXPECT_EQ(items(), delays);
    act({"eD2_Level1", "!comboD2", "?sbD2", "sbD2=30", "eD2_Level1==30"});
    EXPECT_EQ(marked(1), "L");
    act({"eD2_Level2"});
    EXPECT_EQ(marked(1) + marked(2), "-L");
}
