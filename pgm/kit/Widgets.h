#pragma once
// Small widgets that behave like the controls the window is designed with:
// pictures and labels that take clicks, read-only edits that open a slider
// when clicked, and a scroll bar that refuses a maximum below its minimum.

#include <QCheckBox>
#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace nolt {

// A picture or label that reports clicks.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);
signals:
    void clicked();
    void pressed();
    void released();
protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// A read-only value edit; clicking it opens the slider that edits it.
class ClickEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit ClickEdit(QWidget* parent = nullptr);
    // Teal while a slider edits the field, the window-text colour otherwise.
    void setEdited(bool edited);
    bool isEdited() const { return edited_; }
signals:
    void clicked();
protected:
    void mousePressEvent(QMouseEvent* e) override;
private:
    bool edited_ = false;
};

// A horizontal slider. Setting the minimum, maximum or position keeps the
// position within the range, and every real change of the position runs
// valueChanged. Unlike QScrollBar, a maximum below the minimum is refused,
// and a click on the track moves the position by one step.
class ScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit ScrollBar(QWidget* parent = nullptr);
    bool setMax(int maximum);
    bool setLimits(int minimum, int maximum);
    void setPosition(int position) { setValue(position); }
    // Position and range in one step: the change handler runs at most once,
    // and only when the position really changed. A maximum below the
    // minimum is refused.
    bool setParams(int position, int minimum, int maximum);
    int position() const { return value(); }
protected:
    void mousePressEvent(QMouseEvent* e) override;
};

// A colour given as 0xBBGGRR.
inline QColor bgr(unsigned v)
{
    return QColor::fromRgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

inline constexpr unsigned clTeal = 0x808000;
inline constexpr unsigned clSkyBlue = 0xF0CAA6;
inline constexpr unsigned clMoneyGreen = 0xC0DCC0;
inline constexpr unsigned clSilver = 0xC0C0C0;
inline constexpr unsigned clLime = 0x00FF00;
inline constexpr unsigned clRed = 0x0000FF;

// Places a widget at its design position and size and gives it its name.
template <typename W>
W* place(W* w, const char* name, int left, int top, int width = -1, int height = -1)
{
    w->setObjectName(QString::fromLatin1(name));
    if (width < 0)
        w->move(left, top);
    else
        w->setGeometry(left, top, width, height);
    return w;
}

void setBackground(QWidget* w, QColor colour);

// Ticks or unticks a check box. As with the designed controls, a change of
// the tick made by the program runs the box's handler (connected to
// toggled); setting the state it already has runs nothing.
inline void setTicked(QCheckBox* box, bool ticked) { box->setChecked(ticked); }

} // namespace nolt
