#pragma once
// The two dimming-engine editors driven through their controls. A test picks
// the engine; '#' in a control name stands for its number.

#include "PanelTesting.h"

namespace nolt::test {

struct Engine {
    char n;
    const char *first, *ok, *cancel, *deleteLabel;
    int steps;
};
inline const Engine engine1{'1', "eD#_Time", "bDimmer1_OK", "bDimmer1_Cancel", "lDelete", img::dim1Steps};
inline const Engine engine2{'2', "eD#_Delay", "bDimmer2OK", "bDimmer2Cancel", "lDelete2", img::dim2Steps};

struct DimmingEngineTest : PanelTest {
    Engine e = engine1;

    // c("eD#_Level", 3) is "eD1_Level3" in engine 1.
    QString c(const char* name, int step = 0) const
    {
        const QString s = QString::fromLatin1(name).replace(u'#', QChar::fromLatin1(e.n));
        return step ? s + QString::number(step) : s;
    }
    void open() const { click(c("iISD#_en")); }
    void ok() const { click(e.ok); }
    // Clicks a step's field and moves the slider.
    void set(const char* field, int step, int position) const
    {
        click(c(field, step));
        slide(c("sbD#"), position);
    }
    int position() const { return slider(c("sbD#"))->position(); }
    Bytes steps() const
    {
        return Bytes(h->image().begin() + e.steps, h->image().begin() + e.steps + img::dimStepsBytes);
    }
    // Ten steps: the given ones, the rest empty.
    static Bytes stepList(std::initializer_list<std::uint8_t> used)
    {
        Bytes s(used);
        for (std::size_t k = s.size() / 3; k < 10; ++k)
            s.insert(s.end(), {0x00, 0x00, 0xFF});
        return s;
    }
    void expectTexts(std::initializer_list<std::pair<const char*, const char*>> edits) const
    {
        for (auto [name, expected] : edits)
            EXPECT_EQ(edit(name), expected) << name;
    }
    QColor colour(int step) const { return h->find(c("ED#_gb", step))->palette().color(QPalette::Window); }
    bool enabled(int step) const { return h->find(c("ED#_gb", step))->isEnabled(); }
};

} // namespace nolt::test
