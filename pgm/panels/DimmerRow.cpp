#include "pgm/panels/DimmerRow.h"

#include "pgm/panels/EditorPanel.h"

#include <QVariant>

namespace nolt {

namespace {

constexpr int rowLeft = 40, rowWidth = 463;
constexpr int fieldTop = 13, levelLeft = 309, relayLeft = 408;
constexpr int removeLeft = 16;

QByteArray numbered(const char* prefix, int step)
{
    return QByteArray(prefix) + QByteArray::number(step);
}

// A static text that ends a few pixels before `right`.
void textBefore(QWidget* row, const char* text, int right)
{
    QLabel* l = staticText(row, QString::fromLatin1(text), 0, fieldTop + 3);
    l->move(right - l->width() - 4, l->y());
}

// The design's narrow bold figures: the fields are sized for them.
void narrowFigures(ClickEdit* e)
{
    QFont f = e->font();
    f.setStretch(QFont::SemiCondensed);
    e->setFont(f);
    e->setTextMargins(0, 0, 0, 0);
}

QRadioButton* relayButton(QGroupBox* row, const QByteArray& name, const char* text, int top)
{
    return place(new QRadioButton(QString::fromLatin1(text), row), name.constData(), relayLeft, top, 44, 15);
}

} // namespace

int tagOf(const QObject* control)
{
    return control ? control->property("tag").toInt() : 0;
}

void setTag(QObject* control, int tag)
{
    control->setProperty("tag", tag);
}

TBox makeRow(QWidget* panel, const RowDesign& d, int step)
{
    TBox b;
    const QString caption = step == 1 ? QString::fromLatin1(d.firstCaption) : QString::number(step);
    b._gb = groupBox(panel, numbered(d.group, step).constData(), caption, clSilver, rowLeft,
                     d.groupTops[step - 1], rowWidth, d.groupHeight);

    // A disabled row stays readable on silver: grey text, as the system
    // draws disabled controls.
    QPalette p = b._gb->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    b._gb->setPalette(p);

    b._delay = valueEdit(b._gb, numbered(d.first, step).constData(), d.firstLeft, fieldTop, 54);
    textBefore(b._gb, d.firstLabel, d.firstLeft);
    b._fade = valueEdit(b._gb, numbered(d.fade, step).constData(), d.fadeLeft, fieldTop, 44);
    textBefore(b._gb, "Fade Speed", d.fadeLeft);
    staticText(b._gb, QStringLiteral("s/%"), d.fadeLeft + 48, fieldTop + 3);
    b._level = valueEdit(b._gb, numbered(d.level, step).constData(), levelLeft, fieldTop, 44);
    textBefore(b._gb, "Level", levelLeft);

    textBefore(b._gb, "Relay", relayLeft);
    b._on = relayButton(b._gb, numbered(d.on, step), "On", d.onTop);
    b._off = relayButton(b._gb, numbered(d.off, step), "Off", d.offTop);
    b._on->setChecked(true);

    for (ClickEdit* e : {b._delay, b._fade, b._level})
        narrowFigures(e);
    for (QObject* o : {static_cast<QObject*>(b._gb), static_cast<QObject*>(b._delay),
                       static_cast<QObject*>(b._fade), static_cast<QObject*>(b._level)})
        setTag(o, step);

    if (step > 1) {
        const int left = step == 2 ? d.firstRemoveLeft : removeLeft;
        b._delete = place(new QCheckBox(panel), numbered(d.remove, step).constData(), left,
                          d.removeTops[step - 2], 18, 17);
        b._delete->setCursor(Qt::PointingHandCursor);
        setTag(b._delete, step);
    }
    return b;
}

} // namespace nolt
