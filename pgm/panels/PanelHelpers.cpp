#include "pgm/panels/PanelHelpers.h"

#include "image/NumberText.h"

#include <QLineEdit>

#include <algorithm>

namespace nolt {

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, int left, int top,
                    bool textLeft)
{
    auto* box = place(new QCheckBox(caption, parent), name, left, top);
    if (textLeft)
        box->setLayoutDirection(Qt::RightToLeft);
    box->adjustSize();
    box->resize(box->width(), 17);
    return box;
}

QLabel* captionLeftOf(const QWidget* edit, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, edit->parentWidget());
    label->adjustSize();
    label->move(std::min(left, edit->x() - 4 - label->width()), top);
    return label;
}

int editNumber(const QLineEdit* edit, int fallback)
{
    return parseDecimal(edit->text(), true).value_or(fallback);
}

void showLabel(ClickLabel* label, const QString& text)
{
    label->setText(text);
    label->adjustSize();
    label->show();
}

HelpOverlay* panelHelp(QWidget* panel, QPushButton* helpButton, const char* overlayName, const char* pictureName,
                       const char* art)
{
    auto* help = new HelpOverlay(panel, overlayName, pictureName, QString::fromLatin1(art), QSize(474, 212),
                                 QRect(4, 4, 466, 204));
    QObject::connect(helpButton, &QPushButton::clicked, help, &HelpOverlay::open);
    return help;
}

} // namespace nolt
