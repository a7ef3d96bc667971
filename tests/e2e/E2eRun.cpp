#include "E2eRun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <csignal>

namespace nolt::e2e {

E2eRun::E2eRun() : env_(QProcessEnvironment::systemEnvironment())
{
    env_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env_.insert(QStringLiteral("LD_LIBRARY_PATH"), QStringLiteral(NOLT_SIM_LIBRARY_DIR));
    env_.insert(QStringLiteral("NOLT_SIM_MODE"), QStringLiteral("driver"));
    env_.insert(QStringLiteral("NOLT_SIM_MEMORY"), path(QStringLiteral("memory.bin")));
    env_.insert(QStringLiteral("NOLT_SIM_LOG"), path(QStringLiteral("sim.log")));
    env_.insert(QStringLiteral("NOLT_E2E_DIR"), dir_.path());
}

E2eRun::~E2eRun()
{
    // The started process and every instance that a restart started.
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->kill();
        process_->waitForFinished(5000);
    }
    for (qint64 pid : loggedPids(log()))
        endProcess(pid);
    for (int n = 1; n <= 4; ++n) {
        const Report r = report(n);
        if (r.contains(QStringLiteral("pid")))
            endProcess(r.value(QStringLiteral("pid")).toLongLong());
    }
}

void E2eRun::endProcess(qint64 pid)
{
    // Only a process that still runs one of the two programs of the run.
    if (pid <= 0)
        return;
    const QString running = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid))).canonicalFilePath();
    if (running.isEmpty())
        return;
    for (const char* program : {NOLT_PGM_PATH, NOLT_LAUNCHER_PATH})
        if (running == QFileInfo(QString::fromLocal8Bit(program)).canonicalFilePath())
            ::kill(static_cast<pid_t>(pid), SIGKILL);
}

void E2eRun::seedMemory(const std::vector<std::uint8_t>& memory)
{
    QFile f(path(QStringLiteral("memory.bin")));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char*>(memory.data()), static_cast<qint64>(memory.size()));
}

std::vector<std::uint8_t> E2eRun::memory() const
{
    QFile f(path(QStringLiteral("memory.bin")));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    return {bytes.begin(), bytes.end()};
}

void E2eRun::start(const QString& program, const QStringList& parameters)
{
    process_ = std::make_unique<QProcess>();
    process_->setProcessEnvironment(env_);
    process_->setProcessChannelMode(QProcess::ForwardedChannels);
    process_->start(program, parameters);
    process_->waitForStarted(10000);
}

void E2eRun::startLauncher(const QStringList& parameters)
{
    start(QStringLiteral(NOLT_LAUNCHER_PATH), parameters);
}

void E2eRun::startProgram(const QStringList& parameters)
{
    start(QStringLiteral(NOLT_PGM_PATH), parameters);
}

bool E2eRun::waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(100);
    }
    return true;
}

QList<std::pair<QString, QString>> E2eRun::entries(int instance) const
{
    QList<std::pair<QString, QString>> entries;
    QFile f(path(QStringLiteral("instance-%1.txt").arg(instance)));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return entries;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const int eq = line.indexOf('=');
        if (eq >= 0)
            entries.append({QString::fromUtf8(line.left(eq)), QString::fromUtf8(line.mid(eq + 1))});
    }
    return entries;
}

Report E2eRun::report(int instance) const
{
    Report r;
    for (const auto& [key, value] : entries(instance)) {
        if (key == QLatin1String("message") && r.contains(key))
            r[key] += QLatin1Char('|') + value;
        else
            r[key] = value;
    }
    return r;
}

QStringList E2eRun::values(int instance, const QString& key) const
{
    QStringList found;
    for (const auto& [k, value] : entries(instance))
        if (k == key)
            found.append(value);
    return found;
}

QStringList E2eRun::log() const
{
    QFile f(path(QStringLiteral("sim.log")));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromLatin1(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

std::vector<qint64> loggedPids(const QStringList& log)
{
    std::vector<qint64> pids;
    for (const QString& line : log) {
        const qint64 pid = line.section(QLatin1Char(' '), 0, 0).toLongLong();
        if (std::find(pids.begin(), pids.end(), pid) == pids.end())
            pids.push_back(pid);
    }
    return pids;
}

} // namespace nolt::e2e
