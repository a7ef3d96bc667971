#pragma once
// A platform for tests: dialogs answered from scripts and recorded; virtual time, ticking in processMessages.

#include "link/Platform.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace nolt::test {

class ScriptedPlatform final : public Platform {
public:
    ~ScriptedPlatform() override;

    // Answers for the next dialogs, in order; an empty script answers No, respectively Cancel.
    std::deque<bool> confirmAnswers;
    std::deque<std::optional<QString>> fileAnswers;

    QStringList messages;
    QStringList confirmations;
    QStringList fileDialogTitles;
    QStringList fileDialogFilters;
    int beeps = 0;
    std::vector<QString> restarts;
    bool busyCursor = false;
    long long nowMs = 0;

    // Runs while a message box is open, as a person who has not yet read it.
    std::function<void()> whileMessageOpen;

    void showMessage(const QString& text) override
    {
        messages << text;
        if (whileMessageOpen)
            whileMessageOpen();
    }
    bool confirm(const QString& text) override;
    void beep() override { ++beeps; }
    std::optional<QString> openFileName(const QString& title, const QString& filter) override;
    std::optional<QString> saveFileName(const QString& title, const QString& filter,
                                        const QString& defaultSuffix) override;
    void sleepMs(int ms) override { nowMs += ms; }
    void processMessages() override;
    std::unique_ptr<Timer> createTimer(int intervalMs, std::function<void()> onTick) override;
    void restartProgram(const QString& parameters) override { restarts.push_back(parameters); }
    void setBusyCursor(bool busy) override { busyCursor = busy; }

    void advance(int ms); // lets virtual time pass, processing messages every 10 ms
    int activeTimers() const;

private:
    struct VirtualTimer;
    std::vector<VirtualTimer*> timers_;
};

} // namespace nolt::test
