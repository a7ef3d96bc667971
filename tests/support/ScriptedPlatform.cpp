#include "support/ScriptedPlatform.h"

#include <QCoreApplication>

#include <algorithm>

namespace nolt::test {

class ScriptedPlatform::VirtualTimer final : public Timer {
public:
    VirtualTimer(ScriptedPlatform& owner, int interval, std::function<void()> onTick)
        : owner_(&owner), interval_(interval), onTick_(std::move(onTick))
    {
        owner_->timers_.push_back(this);
    }
    ~VirtualTimer() override
    {
        if (owner_)
            std::erase(owner_->timers_, this);
    }
    void start() override
    {
        active_ = true;
        due_ = owner_->nowMs + interval_;
    }
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }
    void fireIfDue()
    {
        if (active_ && owner_->nowMs >= due_) {
            due_ = owner_->nowMs + interval_;
            onTick_();
        }
    }
    void detach() { owner_ = nullptr; }

private:
    ScriptedPlatform* owner_;
    int interval_;
    std::function<void()> onTick_;
    bool active_ = false;
    long long due_ = 0;
};

ScriptedPlatform::~ScriptedPlatform()
{
    for (VirtualTimer* t : timers_)
        t->detach();
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

std::optional<QString> ScriptedPlatform::saveFileName(const QString& title, const QString& filter,
                                                      const QString& defaultSuffix)
{
    fileDialogSuffixes << defaultSuffix;
    return openFileName(title, filter);
}

void ScriptedPlatform::processMessages()
{
    QCoreApplication::processEvents();
    // A tick may stop or create timers: walk a copy, and skip timers that went away meanwhile.
    const auto snapshot = timers_;
    for (VirtualTimer* t : snapshot)
        if (std::find(timers_.begin(), timers_.end(), t) != timers_.end())
            t->fireIfDue();
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
    return static_cast<int>(std::count_if(timers_.begin(), timers_.end(), [](auto* t) { return t->isActive(); }));
}

} // namespace nolt::test
