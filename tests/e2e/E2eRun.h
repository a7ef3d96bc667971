#pragma once
// One end-to-end run: a folder for the simulated device's memory and log and the launcher's reports, and the
// launcher or the real program on the simulated HID library; every process of the run ends with it.

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstdint>
#include <vector>

namespace nolt::e2e {

using Memory = std::vector<std::uint8_t>;

class E2eRun {
    QTemporaryDir dir_; // first: the members below use it

public:
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QProcess process; // the launcher or the program the test started

    explicit E2eRun(const Memory& memory)
    {
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("LD_LIBRARY_PATH", NOLT_SIM_LIBRARY_DIR);
        env.insert("NOLT_SIM_MODE", "driver");
        env.insert("NOLT_SIM_MEMORY", path("memory.bin"));
        env.insert("NOLT_SIM_LOG", path("sim.log"));
        env.insert("NOLT_E2E_DIR", dir_.path());
        QFile f(path("memory.bin"));
        if (f.open(QIODevice::WriteOnly))
            f.write(reinterpret_cast<const char*>(memory.data()), static_cast<qint64>(memory.size()));
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
    Memory memory() const
    {
        const QByteArray bytes = contents("memory.bin");
        return {bytes.begin(), bytes.end()};
    }

    // Starts the launcher, or the real program.
    void start(const QStringList& parameters, bool launcher = true)
    {
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(launcher ? NOLT_LAUNCHER_PATH : NOLT_PGM_PATH, parameters);
        process.waitForStarted(10000);
    }
    // Starts the launcher, instance n playing steps[n - 1] on a device with faults[n - 1] (when given), and
    // waits for the last; true when the first instance ended without fault and no instance reported an error.
    bool play(const QStringList& parameters, const QStringList& steps, const QStringList& faults = {})
    {
        for (int n = 1; n <= steps.size(); ++n)
            env.insert(QStringLiteral("NOLT_E2E_STEPS_%1").arg(n), steps[n - 1]);
        for (int n = 1; n <= faults.size(); ++n)
            env.insert(QStringLiteral("NOLT_E2E_FAULT_%1").arg(n), faults[n - 1]);
        start(parameters);
        bool fine = waitUntil([&] { return value(int(steps.size()), "done") == "1"; }) && process.waitForFinished(10000)
            && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        for (int n = 1; n <= steps.size(); ++n)
            fine = fine && value(n, "error").isEmpty();
        return fine;
    }

    template <class Done>
    static bool waitUntil(Done done) // up to a minute
    {
        for (int i = 0; i < 600; ++i, QThread::msleep(100))
            if (done())
                return true;
        return false;
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

    // The simulated library's log: one line per probe and report, its pid first.
    QStringList log() const { return QString::fromLatin1(contents("sim.log")).split('\n', Qt::SkipEmptyParts); }
    int count(const QString& text) const { return static_cast<int>(log().filter(text).size()); }
    // Polls that found no report since the last line matching `line`: how far the program went on after it.
    int idleAfter(const QRegularExpression& line) const
    {
        const QStringList lines = log();
        return static_cast<int>(lines.mid(lines.lastIndexOf(line) + 1).filter(" idle").size());
    }
    QStringList pids() const // in order of first appearance
    {
        QStringList found;
        for (const QString& line : log())
            found.append(line.section(' ', 0, 0));
        found.removeDuplicates();
        return found;
    }
    QByteArray contents(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace nolt::e2e
