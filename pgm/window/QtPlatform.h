#pragma once
// The platform services on Qt: message boxes, file dialogs, the beep, sleeps
// and message processing, timers, the self-restart and the busy cursor.

#include "link/Platform.h"

class QWidget;

namespace nolt {

class QtPlatform final : public Platform {
public:
    // Dialogs are owned by this window once it is set.
    void setDialogParent(QWidget* parent) { parent_ = parent; }

    void showMessage(const QString& text) override;
    bool confirm(const QString& text) override;
    void beep() override;
    std::optional<QString> openFileName(const QString& title, const QString& filter) override;
    std::optional<QString> saveFileName(const QString& title, const QString& filter,
                                        const QString& defaultSuffix) override;
    void sleepMs(int ms) override;
    void processMessages() override;
    std::unique_ptr<Timer> createTimer(int intervalMs, std::function<void()> onTick) override;
    void restartProgram(const QString& parameters) override;
    void setBusyCursor(bool busy) override;

    // Hints show at once and stay up for their own duration.
    static void installHintStyle();

private:
    QWidget* parent_ = nullptr;
    bool busy_ = false;
};

} // namespace nolt
