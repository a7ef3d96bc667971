#include "pgm/panels/DimmingCurvePanel.h"

#include "image/DimmingCurve.h"
#include "image/TextFile.h"
#include "pgm/kit/Artwork.h"
#include "pgm/panels/CurveFiles.h"
#include "pgm/panels/CurveMapping.h"
#include "pgm/panels/OutputPanel.h"
#include "pgm/panels/PanelHelpers.h"
#include "pgm/panels/PanelHost.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPolygonF>
#include <QSignalBlocker>

namespace nolt {

namespace {
constexpr int chartSize = 500;
// Where input 0 % / output 0 % lies on the chart, and pixels per percent.
constexpr int chartLeft = 49, chartBottom = 446, pixelsPerPercent = 4;
const QPoint textPlace(100, 100);
} // namespace

DimmingCurvePanel::DimmingCurvePanel(PanelHost& form, OutputPanel& output)
    : EditorPanel(form, "pDimmingCurve", 0, 0, 1041, 626), output_(output), folder_(defaultCurveFolder())
{
    setFrameStyle(QFrame::NoFrame);
    emptyChart_ = art::picture(QStringLiteral("chart_dimming_curve"), QSize(chartSize, chartSize));
    iDimmingCurve_ = place(new ClickLabel(this), "iDimmingCurve", 418, 56, chartSize, chartSize);
    iDimmingCurve_->setPixmap(emptyChart_);

    auto* box = groupBox(this, "GroupBox17", QStringLiteral("Select Dimming Curve"), clMoneyGreen, 190, 56, 200, 128);
    lbDimmingCurve_ = place(new QListWidget(box), "lbDimmingCurve", 12, 20, 176, 97);
    glyphButton(this, this, "bDCOk", Glyph::Ok, 317, 194, &DimmingCurvePanel::bDCOkClick);
    glyphButton(this, this, "bDCCancel", Glyph::Cancel, 342, 194, &DimmingCurvePanel::bDCCancelClick);
    QPushButton* help = glyphButton(this, "bDcHelp", Glyph::Help, 367, 194);

    // The help panel and its picture; a click on either closes it.
    pDcHelp_ = place(new ClickLabel(this), "pDcHelp", 115, 18, 810, 590);
    setBackground(pDcHelp_, palette().color(QPalette::Dark));
    auto* picture = place(new ClickLabel(pDcHelp_), "Image1", 5, 5, 800, 580);
    pictures().add(picture, QStringLiteral("help_dimming_curve"));
    picture->setCursor(Qt::PointingHandCursor);
    pDcHelp_->hide();
    connect(help, &QPushButton::clicked, this, [this] { pDcHelp_->show(); pDcHelp_->raise(); });
    connect(pDcHelp_, &ClickLabel::clicked, pDcHelp_, &QWidget::hide);
    connect(picture, &ClickLabel::clicked, pDcHelp_, &QWidget::hide);

    connect(lbDimmingCurve_, &QListWidget::currentRowChanged, this, &DimmingCurvePanel::lbDimmingCurveClick);
    connect(output.bDC(), &QPushButton::clicked, this, &DimmingCurvePanel::bDCClick);
    output.setCurveChooser(this);

    form.offerCurves([this] { return dimmCurve(true); }, [this](int index) { return preselectCurve(index); });
}

bool DimmingCurvePanel::dimmCurve(bool init)
{
    const std::optional<QStringList> files = listCurveFiles(folder_);
    {
        // Names of files that are gone are never offered.
        const QSignalBlocker quiet(lbDimmingCurve_);
        lbDimmingCurve_->clear();
        if (files)
            lbDimmingCurve_->addItems(*files);
    }
    if (!files || files->isEmpty()) {
        lbOldItemIdx_ = -1;
        curveRead_ = false;
        return false;
    }
    if (init)
        return true;
    const int chosen = state().sw.dcIndex;
    if (chosen == -1) {
        selectRow(0);
        showChooser();
        paintDC(true);
    } else {
        selectRow(chosen);
        paintDC(false);
    }
    return true;
}

void DimmingCurvePanel::selectRow(int row)
{
    const QSignalBlocker quiet(lbDimmingCurve_);
    lbDimmingCurve_->setCurrentRow(row < lbDimmingCurve_->count() ? row : -1);
    lbOldItemIdx_ = lbDimmingCurve_->currentRow();
}

void DimmingCurvePanel::paintDC(bool draw)
{
    Bytes& curve = state().dimmingCurve;
    iDimmingCurve_->setPixmap(emptyChart_);
    plotText({});
    // An index that names no entry (a "-dc=" from a longer list) selects
    // nothing: no file is read, so there is no error to tell either.
    const QListWidgetItem* item = lbDimmingCurve_->currentItem();
    if (!item) {
        curveRead_ = false;
        curve.clear();
        return;
    }
    const TextFileRead file = readTextLines(QDir(folder_).filePath(item->text()));
    const DimmingCurveRead read = readDimmingCurve(file.lines, curve);
    curveRead_ = read.ok();
    // Only a curve read without error is ever kept: a damaged file must
    // not reach the level bytes.
    curve = curveRead_ ? read.curve : Bytes{};
    if (!curveRead_) {
        plotText(read.error);
        return;
    }
    if (!draw)
        return;
    QPolygonF points;
    for (int i = 0; i < curvePoints; ++i)
        points << QPointF(chartLeft + pixelsPerPercent * i, chartBottom - pixelsPerPercent * curve[i]);
    QPixmap plot = emptyChart_;
    QPainter p(&plot);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::red, 2));
    p.drawPolyline(points);
    p.end();
    iDimmingCurve_->setPixmap(plot);
}

void DimmingCurvePanel::plotText(const QString& text)
{
    // The text drawn on the chart is also its accessible description.
    iDimmingCurve_->setAccessibleDescription(text);
    if (text.isEmpty())
        return;
    QPixmap plot = emptyChart_;
    QPainter p(&plot);
    QFont f = font();
    f.setPointSize(12);
    p.setFont(f);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(textPlace, QSize(chartSize - textPlace.x(), 40)), Qt::AlignLeft | Qt::AlignTop, text);
    p.end();
    iDimmingCurve_->setPixmap(plot);
}

void DimmingCurvePanel::lbDimmingCurveClick(int row)
{
    if (row == lbOldItemIdx_)
        return;
    lbOldItemIdx_ = row;
    paintDC(true);
}

void DimmingCurvePanel::showChooser()
{
    show();
    raise();
}

QString DimmingCurvePanel::curveName(int index) const
{
    const QListWidgetItem* item = index >= 0 ? lbDimmingCurve_->item(index) : nullptr;
    return item ? QFileInfo(item->text()).completeBaseName() : QString();
}

bool DimmingCurvePanel::preselectCurve(int index)
{
    const QString name = curveName(index);
    if (name.isEmpty())
        return false;
    output_.cbDC()->setText(name);
    setTicked(output_.cbDC(), true);
    if (curveRead_)
        return true;
    setTicked(output_.cbDC(), false);
    return false;
}

void DimmingCurvePanel::bDCClick()
{
    state().sw.dcIndex = -1;
    dimmCurve(false);
    showChooser();
}

// Only a curve that was read without error can be chosen; otherwise the
// chooser stays open with its error shown, and Cancel is the way out.
void DimmingCurvePanel::bDCOkClick()
{
    const int row = lbDimmingCurve_->currentRow();
    if (row < 0 || !curveRead_)
        return;
    AppState& st = state();
    st.sw.dcIndex = row;
    hide();
    output_.bDC()->setEnabled(true);
    output_.cbDC()->setText(curveName(row));
    setTicked(output_.cbDC(), true);
    // Only the driver-mode store maps the levels forward again, so only
    // then are they mapped back here.
    if (!st.dcApplied && !st.demo && !form().link().usbStick) {
        invCorrectDCIfChosen(form());
        output_.setOutput();
    }
}

void DimmingCurvePanel::bDCCancelClick()
{
    AppState& st = state();
    st.dimmingCurve.clear();
    st.sw.dcIndex = -1;
    hide();
    setTicked(output_.cbDC(), false);
    output_.bDC()->setEnabled(false);
    output_.cbDC()->setText(OutputPanel::correctionOff());
}

} // namespace nolt
