#pragma once
// One end-to-end run: a fresh folder holding the simulated device's memory
// file, its log and the launcher's reports, and the program (or the launcher
// that plays the user) started with the simulated HID library first on the
// library path. Every process of the run, the self-restarted ones included,
// is ended by its id when the run ends.

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace nolt::e2e {

using Memory = std::vector<std::uint8_t>;

inline Memory slice(const Memory& bytes, int from, int count)
{
    return {bytes.begin() + from, bytes.begin() + from + count};
}

class E2eRun {
public:
    E2eRun() : env_(QProcessEnvironment::systemEnvironment())
    {
        env_.insert("QT_QPA_PLATFORM", "offscreen");
        env_.insert("LD_LIBRARY_PATH", NOLT_SIM_LIBRARY_DIR);
        env_.insert("NOLT_SIM_MODE", "driver");
        env_.insert("NOLT_SIM_MEMORY", path("memory.bin"));
        env_.insert("NOLT_SIM_LOG", path("sim.log"));
        env_.insert("NOLT_E2E_DIR", dir_.path());
    }
    ~E2eRun()
    {
        if (process_ && process_->state() != QProcess::NotRunning) {
            process_->kill();
            process_->waitForFinished(5000);
        }
        for (qint64 pid : pids()) { // only a process that still runs one of the two programs of the run
            const QString exe = QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid));
            const QString running = QFileInfo(exe).canonicalFilePath();
            for (const char* program : {NOLT_PGM_PATH, NOLT_LAUNCHER_PATH})
                if (pid > 0 && !running.isEmpty() && running == QFileInfo(program).canonicalFilePath())
                    ::kill(static_cast<pid_t>(pid), SIGKILL);
        }
    }

    QString path(const QString& name) const { return dir_.filePath(name); }
    QProcessEnvironment& environment() { return env_; }
    QProcess& process() { return *process_; }

    // The device's memory before the program starts, and as it is now.
    void seedMemory(const Memory& memory)
    {
        QFile f(path("memory.bin"));
        if (f.open(QIODevice::WriteOnly))
            f.write(reinterpret_cast<const char*>(memory.data()), static_cast<qint64>(memory.size()));
    }
    Memory memory() const
    {
        const QByteArray bytes = contents("memory.bin");
        return {bytes.begin(), bytes.end()};
    }

    // Starts the launcher (launcher = true) or the real program.
    void start(const QStringList& parameters, bool launcher = true)
    {
        process_ = std::make_unique<QProcess>();
        process_->setProcessEnvironment(env_);
        process_->setProcessChannelMode(QProcess::ForwardedChannels);
        process_->start(launcher ? NOLT_LAUNCHER_PATH : NOLT_PGM_PATH, parameters);
        process_->waitForStarted(10000);
    }

    static bool waitUntil(const std::function<bool()>& done, int timeoutMs = 60000)
    {
        QElapsedTimer clock;
        clock.start();
        for (; !done(); QThread::msleep(100))
            if (clock.elapsed() > timeoutMs)
                return false;
        return true;
    }

    // Every value of one key in the report of launcher instance n, in order; value() is the last.
    QStringList values(int instance, const QString& key) const
    {
        QStringList found;
        for (const QByteArray& line : contents(QStringLiteral("instance-%1.txt").arg(instance)).split('\n'))
            if (line.startsWith(key.toUtf8() + '='))
                found.append(QString::fromUtf8(line.mid(key.toUtf8().size() + 1)));
        return found;
    }
    QString value(int instance, const QString& key) const
    {
        const QStringList all = values(instance, key);
        return all.value(all.size() - 1);
    }
    bool finished(int instance) const { return !values(instance, "done").isEmpty(); }

    // The simulated library's log: one line per probe and report, its pid first.
    QStringList log() const { return QString::fromLatin1(contents("sim.log")).split('\n', Qt::SkipEmptyParts); }
    int count(const QString& text) const { return static_cast<int>(log().filter(text).size()); }
    std::vector<qint64> pids() const // in order of first appearance
    {
        std::vector<qint64> found;
        for (const QString& line : log())
            if (std::find(found.begin(), found.end(), line.section(' ', 0, 0).toLongLong()) == found.end())
                found.push_back(line.section(' ', 0, 0).toLongLong());
        return found;
    }

private:
    QByteArray contents(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
    QProcessEnvironment env_;
    std::unique_ptr<QProcess> process_;
};

} // namespace nolt::e2e
