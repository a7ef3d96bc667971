#include "pgm/kit/SliderEditor.h"

#include "image/ConfigImage.h"
#include "image/TimeCodes.h"

#include <QSignalBlocker>
#include <QVariant>

#include <algorithm>

namespace nolt {

namespace {

constexpr char tagProperty[] = "editKind";

const char* const timeItems[] = {"-> 00:01:00", "-> 00:10:00", "-> 01:00:00", "-> 15:00:00"};
const char* const fadeItems[] = {"-> 00,060", "-> 00,600", "-> 03,600", "-> 36,000"};

ClickEdit* editOf(const EditGroup& e, int kind)
{
    switch (kind) {
    case kindLevel: return e.level;
    case kindTime: return e.delay;
    case kindFade: return e.fade;
    default: return nullptr;
    }
}

// The edited field turns teal, the other two the window-text colour.
void markEdited(const EditGroup& e, int kind)
{
    for (int k : {kindLevel, kindTime, kindFade})
        if (ClickEdit* edit = editOf(e, k))
            edit->setEdited(k == kind);
}

int durationOf(const EditGroup& e, int kind)
{
    ClickEdit* edit = editOf(e, kind);
    if (!edit)
        return 0;
    return kind == kindFade ? getTime2(edit->text()) : getTime(edit->text());
}

void writeDuration(const EditGroup& e, int kind, int value)
{
    if (ClickEdit* edit = editOf(e, kind))
        edit->setText(kind == kindFade ? displayTime2(value) : displayTime(value));
}

} // namespace

int sliderTag(const ScrollBar* slider)
{
    return slider->property(tagProperty).toInt();
}

void setSliderTag(ScrollBar* slider, int tag)
{
    slider->setProperty(tagProperty, tag);
}

int rangeStep(int kind, int index)
{
    static const int timeSteps[] = {1, 10, 60, 900};
    static const int fadeSteps[] = {1, 10, 60, 600};
    if (index < 0 || index > 3)
        return 0;
    return kind == kindFade ? fadeSteps[index] : timeSteps[index];
}

int rangeIndex(int x)
{
    return boolToInt[x >= 60] * 1 + boolToInt[x >= 600] * 1 + boolToInt[x >= 3600] * 1;
}

void clickEdit(int tag, const EditGroup& edits, QComboBox* combo, ScrollBar* slider, int minLevel)
{
    setSliderTag(slider, tag);
    const int kind = tag & 15;
    if (kind == kindLevel) {
        bool ok = false;
        int level = edits.level ? edits.level->text().toInt(&ok) : 0;
        if (!ok)
            level = 100;
        // A minimum level above 100 leaves no range: the slider then stands
        // at 100, the only level that can be set.
        openSlider(slider, level, std::min(minLevel, 100), 100);
        if (combo)
            combo->hide();
        markEdited(edits, kind);
        return;
    }
    if (kind != kindTime && kind != kindFade)
        return;
    combo->clear();
    for (const char* item : kind == kindTime ? timeItems : fadeItems)
        combo->addItem(QString::fromLatin1(item));
    initSlider(durationOf(edits, kind), kind, combo, slider);
    markEdited(edits, kind);
    combo->show();
}

void openSlider(ScrollBar* slider, int position, int minimum, int maximum)
{
    const QSignalBlocker keepText(slider);
    slider->setParams(position, minimum, maximum);
}

void initSlider(int x, int kind, QComboBox* combo, ScrollBar* slider)
{
    if (kind != kindTime && kind != kindFade)
        return;
    combo->setCurrentIndex(rangeIndex(x));
    const int step = rangeStep(kind, combo->currentIndex());
    if (step > 0)
        openSlider(slider, x / step, 0, 60);
}

void sliderChange(const EditGroup& edits, QComboBox* combo, ScrollBar* slider)
{
    const int kind = sliderKind(slider);
    const int p = slider->position();
    if (kind == kindLevel) {
        if (edits.level)
            edits.level->setText(QString::number(p));
        return;
    }
    if (kind != kindTime && kind != kindFade)
        return;
    const int step = rangeStep(kind, combo->currentIndex());
    if (step > 0)
        writeDuration(edits, kind, p * step);
}

void comboChange(const EditGroup& edits, QComboBox* combo, ScrollBar* slider)
{
    const int kind = sliderKind(slider);
    if (kind != kindTime && kind != kindFade)
        return;
    const int index = combo->currentIndex();
    const int step = rangeStep(kind, index);
    if (step == 0)
        return;
    const int v = durationOf(edits, kind);
    // Nearest step, halves upward; ranges 0..2 end at their top.
    const int top = step * 60;
    int value = (v + step / 2) / step * step;
    if (index < 3 && v > top)
        value = top;
    if (index == 0)
        value = std::min(v, 60);
    writeDuration(edits, kind, value);
    // The slider follows the new value. In range 3 a stored value above the
    // range's top keeps its text while the slider stands at its end.
    const int position = value / step;
    if (position > slider->maximum()) {
        const QSignalBlocker quiet(slider);
        slider->setPosition(position);
    } else {
        slider->setPosition(position);
    }
}

} // namespace nolt
