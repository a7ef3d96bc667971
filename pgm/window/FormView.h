#pragma once
// The main window as the device link sees it.

#include "link/LinkView.h"

namespace nolt {

class TForm1;

class FormView final : public LinkView {
public:
    explicit FormView(TForm1& form) : form_(form) {}

    void setCaption(const QString& text) override;
    void appendCaption(const QString& text) override;
    bool closed() const override;
    void enableButtons() override;
    void disableButtons() override;
    void offerSlots() override;
    QString slotName() const override;

private:
    TForm1& form_;
};

} // namespace nolt
