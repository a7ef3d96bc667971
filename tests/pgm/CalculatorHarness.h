#pragma once
// What the ISD calculator tests share: a stand-in for the ISD panel with the
// two buttons that open the calculators and a record of what they handed
// over, and lookup of a calculator's own controls by name.

#include "Harness.h"

#include "pgm/IsdTarget.h"

#include <QLocale>
#include <QPushButton>

#include <utility>
#include <vector>

namespace nolt::test {

class FakeIsdTarget : public QWidget, public IsdTarget {
public:
    explicit FakeIsdTarget(QWidget* parent) : QWidget(parent)
    {
        setGeometry(29, 247, 360, 214);
        bAstroCalc->setObjectName(QStringLiteral("bAstroCalc"));
        bADSTCalc->setObjectName(QStringLiteral("bADSTCalc"));
        bADSTCalc->move(40, 0);
        show();
    }
    QAbstractButton* offsetCalculatorButton() const override { return bAstroCalc; }
    QAbstractButton* nightCalculatorButton() const override { return bADSTCalc; }
    void takeOffset(int minutes) override { offsets.push_back(minutes); }
    void takeNightLength(bool dstStart, const QString& text) override { nightLengths.emplace_back(dstStart, text); }

    QPushButton* bAstroCalc = new QPushButton(this);
    QPushButton* bADSTCalc = new QPushButton(this);
    std::vector<int> offsets;
    std::vector<std::pair<bool, QString>> nightLengths;
};

// A control of one calculator (the window may hold others of the same name).
template <typename W = QWidget>
W* control(const QObject* root, const char* name)
{
    W* w = root->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << "no control named " << name;
    return w;
}

inline void clickOn(QWidget* w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
}

// A window, a stand-in ISD panel and one calculator over it.
template <typename Calculator>
struct CalculatorTest : ::testing::Test {
    FormHarness h;
    FakeIsdTarget* target = new FakeIsdTarget(h.form.get());
    Calculator* calc = new Calculator(*h.form, *target);

    static QString point() { return QLocale().decimalPoint(); }
};

} // namespace nolt::test
