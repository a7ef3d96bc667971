#include "pgm/panels/DimmingEngine.h"

#include "image/TimeCodes.h"
#include "pgm/panels/PanelHost.h"

#include <algorithm>

namespace nolt {

namespace {

constexpr int stripLeft = 40;
constexpr int okLeft = 397, cancelLeft = 426, helpLeft = 455;

EditGroup editsOf(const TBox& row)
{
    return EditGroup{row._delay, row._fade, row._level};
}

void tickRelay(const TBox& row, bool off)
{
    (off ? row._off : row._on)->setChecked(true);
}

void clearStep(std::uint8_t* s)
{
    s[img::stepDelay] = 0;
    s[img::stepFade] = 0;
    s[img::stepLevel] = img::unusedStep;
}

} // namespace

std::optional<int> rowLevel(const TBox& row)
{
    bool ok = false;
    const int level = row._level->text().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return level;
}

std::uint8_t levelByte(int level, bool relayOff)
{
    const auto byte = static_cast<std::uint8_t>((level & img::levelMask) | (boolToInt[relayOff] << img::bitRelayOff));
    // Level 127 with the relay off would read as an empty step and lose this
    // step and every one after it; it is stored as full level, relay off.
    if (byte == img::unusedStep)
        return static_cast<std::uint8_t>(100 | (1 << img::bitRelayOff));
    return byte;
}

DimmingEngine::DimmingEngine(PanelHost& form, int engine, const EngineRules& rules)
    : DimmingEngine(form, engineDesign(engine), rules)
{
}

DimmingEngine::DimmingEngine(PanelHost& form, const EngineDesign& d, const EngineRules& rules)
    : EditorPanel(form, d.panel, d.place.x(), d.place.y(), d.place.width(), d.place.height()),
      design_(d),
      rules_(rules)
{
    for (int k = 1; k <= stepCount; ++k) {
        rows_[k - 1] = makeRow(this, d.rows, k);
        connectRow(rows_[k - 1]);
    }
    lDelete_ = staticText(this, QStringLiteral("DEL"), d.deleteLabelAt.x(), d.deleteLabelAt.y(), d.deleteLabel);
    QFont bold = lDelete_->font();
    bold.setBold(true);
    lDelete_->setFont(bold);
    lDelete_->adjustSize();

    strip_ = new SliderStrip(this, d.strip, d.slider, stripLeft, d.stripTop, d.combo);
    connect(strip_, &SliderStrip::sliderChanged, this, [this] { sliderMoved(); });
    connect(strip_, &SliderStrip::rangeChosen, this, [this] { rangeChosen(); });

    ok_ = glyphButton(this, d.ok, Glyph::Ok, okLeft, d.buttonsTop);
    cancel_ = glyphButton(this, d.cancel, Glyph::Cancel, cancelLeft, d.buttonsTop);
    help_ = glyphButton(this, d.help, Glyph::Help, helpLeft, d.buttonsTop);
    connect(ok_, &QPushButton::clicked, this, [this] { okPressed(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelPressed(); });
    connect(help_, &QPushButton::clicked, this, [this] { openHelp(); });

    helpOverlay_ = new HelpOverlay(this, d.overlay, d.picture, QString::fromLatin1(d.helpArt), d.overlaySize,
                                   d.pictureRect);

    if (ClickLabel* tile = form.screen().item(QString::fromLatin1(d.tile)))
        connect(tile, &ClickLabel::clicked, this, [this] { tileClick(); });
}

void DimmingEngine::connectRow(const TBox& r)
{
    connect(r._delay, &ClickEdit::clicked, this, [this, e = r._delay] { fieldClick(e, design_.firstKind); });
    connect(r._fade, &ClickEdit::clicked, this, [this, e = r._fade] { fieldClick(e, kindFade); });
    connect(r._level, &ClickEdit::clicked, this, [this, e = r._level] { fieldClick(e, kindLevel); });
    if (r._delete)
        connect(r._delete, &QCheckBox::toggled, this, [this, box = r._delete](bool ticked) {
            if (ticked)
                deleteFrom(box);
        });
}

int DimmingEngine::minLevel() const
{
    return state().eeBlock[img::minLevel];
}

std::uint8_t* DimmingEngine::step(int x)
{
    return &state().dimSteps[static_cast<std::size_t>((x - 1) * img::dimStepSize)];
}

void DimmingEngine::tileClick()
{
    if (!busy())
        openEditor();
}

bool DimmingEngine::imageHoldsSteps() const
{
    return state().eeBlock.size() >= static_cast<std::size_t>(design_.imageSteps + img::dimStepsBytes);
}

void DimmingEngine::openEditor()
{
    if (!imageHoldsSteps())
        return;
    std::copy_n(state().eeBlock.begin() + design_.imageSteps, img::dimStepsBytes, state().dimSteps.begin());
    bool f = true;
    for (int k = 1; k <= stepCount; ++k)
        f = showStep(f, k);
    placeControls();
    strip_->close();
    openPanel();
}

void DimmingEngine::placeControls()
{
    setGeometry(design_.place);
    strip_->move(stripLeft, design_.stripTop);
    ok_->move(okLeft, design_.buttonsTop);
    cancel_->move(cancelLeft, design_.buttonsTop);
    help_->move(helpLeft, design_.buttonsTop);
}

TBox DimmingEngine::rowBox(int x) const
{
    if (x < 1 || x > stepCount)
        return {};
    return row(x);
}

void DimmingEngine::showEmpty(const TBox& r)
{
    r._level->setText(QStringLiteral("-"));
    for (ClickEdit* e : {r._delay, r._fade, r._level})
        e->setEdited(false);
    setBackground(r._gb, bgr(clSilver));
    if (r._delete)
        r._delete->hide();
}

bool DimmingEngine::showStep(bool f, int x)
{
    if (x < 1 || x > stepCount)
        return f;
    const TBox& r = row(x);
    std::uint8_t* s = step(x);
    bool result = f;
    if (s[img::stepLevel] == img::unusedStep) {
        showEmpty(r);
        result = false;
    } else if (f) {
        setBackground(r._gb, bgr(clMoneyGreen));
        r._level->setText(QString::number(s[img::stepLevel] & img::levelMask));
        tickRelay(r, TestBit(s[img::stepLevel], img::bitRelayOff));
        if (r._delete)
            r._delete->show();
    } else {
        // A used step behind an empty one is dropped.
        clearStep(s);
        showEmpty(r);
    }
    r._gb->setEnabled(f);
    r._delay->setText(rules_.firstText(s[img::stepDelay]));
    r._fade->setText(displayTime2(DecodeTime(s[img::stepFade])));
    lDelete_->setVisible(!row(2)._delete->isHidden());
    return result;
}

void DimmingEngine::plainFonts()
{
    for (const TBox& r : rows_)
        for (ClickEdit* e : {r._delay, r._fade, r._level})
            e->setEdited(false);
}

void DimmingEngine::fieldClick(QObject* edit, int kind)
{
    clickField(tagOf(edit) * 16 + kind);
    strip_->show();
}

void DimmingEngine::clickField(int t)
{
    plainFonts();
    setSliderTag(slider(), t);
    const int kind = t & 15;
    const int x = t >> 4;
    if (x < 1 || x > stepCount)
        return;
    const TBox& r = row(x);
    const bool adding = kind == kindLevel && !rowLevel(r);
    clickEdit(t, editsOf(r), combo(), slider(), minLevel());
    if (kind == design_.firstKind && rules_.openFirst)
        rules_.openFirst(r._delay, combo(), slider());
    if (adding)
        addStep(x);
}

// Clicking the level of the empty row adds a step there with the time and
// fade the row shows and the relay its buttons show.
void DimmingEngine::addStep(int x)
{
    const TBox& r = row(x);
    r._level->setText(QStringLiteral("100"));
    setBackground(r._gb, bgr(clMoneyGreen));
    if (r._delete)
        r._delete->show();
    if (x < stepCount)
        showStep(true, x + 1);
    lDelete_->setVisible(!row(2)._delete->isHidden());
}

void DimmingEngine::sliderMoved()
{
    const int t = sliderTag(slider());
    const int kind = t & 15;
    const int x = t >> 4;
    if (x < 1 || x > stepCount)
        return;
    const TBox& r = row(x);
    sliderChange(editsOf(r), combo(), slider());
    if (kind == kindLevel && rules_.levelSetsRelay)
        tickRelay(r, slider()->position() == 0);
    if (kind == design_.firstKind && rules_.writeFirst)
        rules_.writeFirst(r._delay, slider()->position());
}

void DimmingEngine::rangeChosen()
{
    const int x = sliderTag(slider()) >> 4;
    if (x < 1 || x > stepCount)
        return;
    comboChange(editsOf(row(x)), combo(), slider());
}

void DimmingEngine::deleteFrom(QObject* box)
{
    const int n = tagOf(box);
    if (n < 2 || n > stepCount)
        return;
    row(n)._delete->setChecked(false);
    for (int k = n; k <= stepCount; ++k)
        showStep(false, k);
    showStep(true, n);
    strip_->close();
}

void DimmingEngine::okPressed()
{
    bool broken = false;
    std::uint8_t previous = 0;
    for (int k = 1; k <= stepCount; ++k) {
        const TBox& r = row(k);
        std::uint8_t* s = step(k);
        s[img::stepDelay] = rules_.firstCode(r._delay->text());
        s[img::stepFade] = static_cast<std::uint8_t>(convertTime(getTime2(r._fade->text())));
        if (k >= 2 && !rules_.mayFollow(previous, s[img::stepDelay]))
            r._level->setText(QStringLiteral("-"));
        previous = s[img::stepDelay];

        const std::optional<int> level = rowLevel(r);
        if (level && !broken) {
            s[img::stepLevel] = levelByte(*level, r._off->isChecked());
        } else {
            r._on->setChecked(true);
            clearStep(s);
            broken = true;
        }
        for (ClickEdit* e : {r._delay, r._fade, r._level})
            e->setEdited(false);
    }
    if (imageHoldsSteps())
        std::copy(state().dimSteps.begin(), state().dimSteps.end(), state().eeBlock.begin() + design_.imageSteps);
    strip_->close();
    hide();
    if (state().dimSteps[img::stepLevel] == img::unusedStep)
        rules_.switchOff(form());
    closePanel();
}

void DimmingEngine::cancelPressed()
{
    strip_->close();
    closePanel();
    plainFonts();
}

void DimmingEngine::openHelp()
{
    helpOverlay_->open();
}

void DimmingEngine::closeHelp()
{
    helpOverlay_->close();
}

} // namespace nolt
