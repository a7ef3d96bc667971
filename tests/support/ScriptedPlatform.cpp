#include "support/ScriptedPlatform.h"

#include <QCoreApplication>

#include <algorithm>

namespace nolt::test {

struct ScriptedPlatform::VirtualTimer final : Timer {
    VirtualTimer(ScriptedPlatform& owner, int interval, std::function<void()> onTick)
        : owner(&owner), interval(interval), onTick(std::move(onTick))
    {
        owner.timers_.push_back(this);
    }
    ~VirtualTimer() override
    {
        if (owner)
            std::erase(owner->timers_, this);
    }
    void start() override
    {
        active = true;
        due = owner->nowMs + interval;
    }
    void stop() override { active = false; }
    bool isActive() const override { return active; }

    ScriptedPlatform* owner; // none once the platform is gone
    int interval;
    std::function<void()> onTick;
    bool active = false;
    long long due = 0;
};

ScriptedPlatform::~ScriptedPlatform()
{
    for (VirtualTimer* t : timers_)
        t->owner = nullptr;
}

bool ScriptedPlatform::confirm(const QString& text)
{
    confirmations << text;
    const bool answer = !confirmAnswers.empty() && confirmAnswers.front();
    if (!confirmAnswers.empty())
        confirmAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedPlatform::openFileName(const QString& title, const QString& filter)
{
    fileDialogTitles << title;
    fileDialogFilters << filter;
    if (fileAnswers.empty())
        return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedPlatform::saveFileName(const QString& title, const QString& filter, const QString&)
{
    return openFileName(title, filter);
}

void ScriptedPlatform::processMessages()
{
    QCoreApplication::processEvents();
    // A tick may stop or create timers: walk a copy, and skip timers that went away meanwhile.
    const auto snapshot = timers_;
    for (VirtualTimer* t : snapshot)
        if (std::ranges::count(timers_, t) && t->active && nowMs >= t->due) {
            t->due = nowMs + t->interval;
            t->onTick();
        }
}

std::unique_ptr<Timer> ScriptedPlatform::createTimer(int intervalMs, std::function<void()> onTick)
{
    return std::make_unique<VirtualTimer>(*this, intervalMs, std::move(onTick));
}

void ScriptedPlatform::advance(int ms)
{
    for (int t = 0; t < ms; t += 10) {
        nowMs += 10;
        processMessages();
    }
}

int ScriptedPlatform::activeTimers() const
{
    return static_cast<int>(std::ranges::count_if(timers_, [](auto* t) { return t->active; }));
}

} // namespace nolt::test
