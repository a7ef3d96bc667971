#pragma once
// One end-to-end run: a fresh folder, the simulated driver's memory file in
// it, and the program (or the launcher that plays the user) started with
// the simulated HID library first on the library path. Every process the
// run started, the self-restarted ones included, is ended by its id when
// the run ends.

#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace nolt::e2e {

using Report = QMap<QString, QString>;

class E2eRun {
public:
    E2eRun();
    ~E2eRun();

    QString path(const QString& name) const { return dir_.filePath(name); }
    QProcessEnvironment& environment() { return env_; }

    // The driver's memory before the program starts, and as it is now.
    void seedMemory(const std::vector<std::uint8_t>& memory);
    std::vector<std::uint8_t> memory() const;

    // Starts the launcher or the real program with these parameters.
    void startLauncher(const QStringList& parameters);
    void startProgram(const QStringList& parameters);
    QProcess& process() { return *process_; }

    // Polls (up to timeoutMs) until `done` holds.
    static bool waitUntil(const std::function<bool()>& done, int timeoutMs);

    // The report of launcher instance n (empty when there is none yet);
    // repeated keys keep their last value, "message" collects all.
    Report report(int instance) const;
    bool finished(int instance) const { return report(instance).contains(QStringLiteral("done")); }
    // Every value of one key in the report of instance n, in order.
    QStringList values(int instance, const QString& key) const;

    // The simulated library's log: one line per probe and report.
    QStringList log() const;

private:
    void start(const QString& program, const QStringList& parameters);
    static void endProcess(qint64 pid);
    QList<std::pair<QString, QString>> entries(int instance) const;

    QTemporaryDir dir_;
    QProcessEnvironment env_;
    std::unique_ptr<QProcess> process_;
};

// The pid of each line of the simulated library's log, in order of first
// appearance.
std::vector<qint64> loggedPids(const QStringList& log);

} // namespace nolt::e2e
