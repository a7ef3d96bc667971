#pragma once
// The editor of a dimming engine's ten steps. Both engines use it: the same
// rows, the same working copy (AppState::dimSteps) and the same rules; an
// engine adds only what sets it apart (the first field of a step, whether
// the level slider sets the relay, which steps may follow one another, and
// what an empty first step switches off).
//
// Row states: a used step's row is money green and shows its level; an
// empty row is silver and shows "-". The first empty row is enabled so
// that a step can be added there by clicking its level; every row after it
// is disabled. The slider's tag keeps step * 16 + kind.

#include "pgm/kit/SliderEditor.h"
#include "pgm/kit/SliderStrip.h"
#include "pgm/panels/DimmerDesign.h"
#include "pgm/panels/EditorPanel.h"

#include <array>
#include <cstdint>
#include <optional>

namespace nolt {

class PanelHost;

// What sets one engine apart; the editor asks these and nothing else.
struct EngineRules {
    // A step's first field: its text for its image byte, and the byte for
    // its text.
    QString (*firstText)(std::uint8_t code);
    std::uint8_t (*firstCode)(const QString& text);
    // The slider of a first field that the shared slider editor does not
    // serve: set it up for the field, and write its position back. Null
    // where the shared editor serves the field.
    void (*openFirst)(ClickEdit* edit, QComboBox* combo, ScrollBar* slider);
    void (*writeFirst)(ClickEdit* edit, int position);
    // The level slider ticks "Off" at 0 and "On" above it.
    bool levelSetsRelay;
    // OK: a step whose first byte is `code` may follow one whose first byte
    // is `previous`; otherwise it ends the list.
    bool (*mayFollow)(std::uint8_t previous, std::uint8_t code);
    // OK left step 1 empty: the engine's feature goes off.
    void (*switchOff)(PanelHost& form);
};

class DimmingEngine : public EditorPanel {
    Q_OBJECT
public:
    static constexpr int stepCount = 10;

    const EngineDesign& design() const { return design_; }

protected:
    DimmingEngine(PanelHost& form, int engine, const EngineRules& rules);

    // The editor's operations; each engine names them as its design does.
    void tileClick();
    void openEditor();
    TBox rowBox(int x) const;
    bool showStep(bool f, int x);
    void clickField(int t);
    void fieldClick(QObject* edit, int kind);
    void sliderMoved();
    void rangeChosen();
    void deleteFrom(QObject* box);
    void okPressed();
    void cancelPressed();
    void openHelp();
    void closeHelp();

private:
    DimmingEngine(PanelHost& form, const EngineDesign& design, const EngineRules& rules);
    ScrollBar* slider() const { return strip_->slider(); }
    QComboBox* combo() const { return strip_->combo(); }
    const TBox& row(int x) const { return rows_[x - 1]; }
    std::uint8_t* step(int x);
    void connectRow(const TBox& row);
    void showEmpty(const TBox& row);
    void addStep(int x);
    void plainFonts();
    void placeControls();
    int minLevel() const;
    bool imageHoldsSteps() const;

    const EngineDesign design_;
    const EngineRules& rules_;
    std::array<TBox, stepCount> rows_;
    QLabel* lDelete_;
    SliderStrip* strip_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* help_;
    HelpOverlay* helpOverlay_;
};

// The level a row shows, or nothing for "-".
std::optional<int> rowLevel(const TBox& row);
// The image byte of a used step's level: the level, bit 7 for relay off.
std::uint8_t levelByte(int level, bool relayOff);

// The editor's handlers under the names that one engine's design gives
// them. They are the same for both engines.
#define NOLT_DIMMER_HANDLERS(nTile, nOpen, nGetBox, nSetGB, nClickEdit, nFirstClick, nFadeClick, nLevelClick, \
                             nSlider, nCombo, nDelete, nOk, nCancel, nHelp, nOverlay, nPicture)                  \
public:                                                                                                          \
    void nTile() { tileClick(); }                                                                                \
    void nOpen() { openEditor(); }                                                                               \
    TBox nGetBox(int x) const { return rowBox(x); }                                                              \
    bool nSetGB(bool f, int x) { return showStep(f, x); }                                                        \
    void nClickEdit(int t) { clickField(t); }                                                                    \
    void nFirstClick(QObject* edit) { fieldClick(edit, design().firstKind); }                                    \
    void nFadeClick(QObject* edit) { fieldClick(edit, kindFade); }                                               \
    void nLevelClick(QObject* edit) { fieldClick(edit, kindLevel); }                                             \
    void nSlider() { sliderMoved(); }                                                                            \
    void nCombo() { rangeChosen(); }                                                                             \
    void nDelete(QObject* box) { deleteFrom(box); }                                                              \
    void nOk() { okPressed(); }                                                                                  \
    void nCancel() { cancelPressed(); }                                                                          \
    void nHelp() { openHelp(); }                                                                                 \
    void nOverlay() { closeHelp(); }                                                                             \
    void nPicture() { closeHelp(); }

} // namespace nolt
