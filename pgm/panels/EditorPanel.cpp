#include "pgm/panels/EditorPanel.h"

#include "pgm/kit/Artwork.h"
#include "pgm/panels/PanelHost.h"

#include <QMouseEvent>

namespace nolt {

EditorPanel::EditorPanel(PanelHost& form, const char* name, int left, int top, int width, int height)
    : QFrame(&form), form_(form), pictures_(this)
{
    place(this, name, left, top, width, height);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    hide();
}

AppState& EditorPanel::state() const
{
    return form_.state();
}

bool EditorPanel::busy() const
{
    return form_.state().formDisabled;
}

void EditorPanel::openPanel()
{
    show();
    raise();
    form_.state().formDisabled = true;
}

void EditorPanel::closePanel()
{
    hide();
    form_.state().formDisabled = false;
}

QPushButton* glyphButton(QWidget* parent, const char* name, Glyph glyph, int left, int top)
{
    static const char* const art[] = {"glyph_ok", "glyph_cancel", "glyph_help"};
    static const char* const tips[] = {"OK", "Cancel", "Help"};
    const int i = static_cast<int>(glyph);
    auto* b = place(new QPushButton(parent), name, left, top, 23, 23);
    b->setIcon(QIcon(art::picture(QString::fromLatin1(art[i]), QSize(17, 17))));
    b->setIconSize(QSize(17, 17));
    b->setAccessibleName(QString::fromLatin1(tips[i]));
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

QGroupBox* groupBox(QWidget* parent, const char* name, const QString& caption, unsigned colour, int left,
                    int top, int width, int height)
{
    auto* box = place(new QGroupBox(caption, parent), name, left, top, width, height);
    setBackground(box, bgr(colour));
    return box;
}

ClickEdit* valueEdit(QWidget* parent, const char* name, int left, int top, int width)
{
    auto* e = place(new ClickEdit(parent), name, left, top, width, 21);
    e->setAlignment(Qt::AlignRight);
    QFont f = e->font();
    f.setBold(true);
    e->setFont(f);
    e->setText(QStringLiteral("0"));
    return e;
}

QLabel* staticText(QWidget* parent, const QString& text, int left, int top, const char* name)
{
    auto* l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    l->move(left, top);
    l->adjustSize();
    return l;
}

HelpOverlay::HelpOverlay(QWidget* panel, const char* overlayName, const char* pictureName, const QString& art,
                         QSize overlaySize, QRect pictureRect)
    : QFrame(panel), panel_(panel), overlaySize_(overlaySize), pictures_(this)
{
    place(this, overlayName, 0, 0, overlaySize.width(), overlaySize.height());
    setBackground(this, palette().color(QPalette::Dark));
    picture_ = place(new ClickLabel(this), pictureName, pictureRect.x(), pictureRect.y(), pictureRect.width(),
                     pictureRect.height());
    pictures_.add(picture_, art);
    picture_->setCursor(Qt::PointingHandCursor);
    connect(picture_, &ClickLabel::clicked, this, &HelpOverlay::close);
    hide();
}

void HelpOverlay::open()
{
    if (!isHidden())
        return;
    panelSize_ = panel_->size();
    panel_->resize(overlaySize_);
    show();
    raise();
}

void HelpOverlay::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        close();
    QFrame::mouseReleaseEvent(e);
}

void HelpOverlay::close()
{
    if (isHidden())
        return;
    hide();
    if (panelSize_.isValid())
        panel_->resize(panelSize_);
}

} // namespace nolt
