#pragma once
// One end-to-end run: a fresh folder for the simulated device's memory and log and the launcher's reports,
// the launcher or the real program started on the simulated HID library. Every process of the run, the
// self-restarted ones too, is ended by its id (taken from the library's log) when the run ends.

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstdint>
#include <vector>

namespace nolt::e2e {

using Memory = std::vector<std::uint8_t>;

inline Memory slice(const Memory& bytes, int from, int count)
{
    return {bytes.begin() + from, bytes.begin() + from + count};
}

class E2eRun {
public:
    E2eRun()
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
        for (const QString& pid : pids()) { // only a process that still runs one of the two programs
            const QString running = QFileInfo(QFile::symLinkTarget("/proc/" + pid + "/exe")).canonicalFilePath();
            for (const char* program : {NOLT_PGM_PATH, NOLT_LAUNCHER_PATH})
                if (!running.isEmpty() && running == QFileInfo(program).canonicalFilePath())
                    ::kill(static_cast<pid_t>(pid.toLongLong()), SIGKILL);
        }
    }

    QString path(const QString& name) const { return dir_.filePath(name); }
    QProcessEnvironment& environment() { return env_; }
    QProcess& process() { return process_; }

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

    // Starts the launcher, or the real program.
    void start(const QStringList& parameters, bool launcher = true)
    {
        process_.setProcessEnvironment(env_);
        process_.setProcessChannelMode(QProcess::ForwardedChannels);
        process_.start(launcher ? NOLT_LAUNCHER_PATH : NOLT_PGM_PATH, parameters);
        process_.waitForStarted(10000);
    }

    template <class Done>
    static bool waitUntil(Done done)
    {
        QElapsedTimer clock;
        clock.start();
        for (; !done(); QThread::msleep(100))
            if (clock.elapsed() > 60000)
                return false;
        return true;
    }

    // The values of one key in the report of launcher instance n, in order, joined by '|'.
    QString value(int instance, const QString& key) const
    {
        QStringList found;
        for (const QByteArray& line : contents(QStringLiteral("instance-%1.txt").arg(instance)).split('\n'))
            if (line.startsWith(key.toUtf8() + '='))
                found.append(QString::fromUtf8(line.mid(key.toUtf8().size() + 1)));
        return found.join('|');
    }
    bool finished(int instance) const { return value(instance, "done") == "1"; }

    // The simulated library's log: one line per probe and report, its pid first.
    QStringList log() const { return QString::fromLatin1(contents("sim.log")).split('\n', Qt::SkipEmptyParts); }
    int count(const QString& text) const { return static_cast<int>(log().filter(text).size()); }
    QStringList pids() const // in order of first appearance
    {
        QStringList found;
        for (const QString& line : log())
            found.append(line.section(' ', 0, 0));
        found.removeDuplicates();
        return found;
    }

private:
    QByteArray contents(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
    QProcessEnvironment env_ = QProcessEnvironment::systemEnvironment();
    QProcess process_;
};

} // namespace nolt::e2e
