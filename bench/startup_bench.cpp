// Start-up benchmark: wall time from process start to the first screen in
// demo mode (the logo panel hidden), and peak resident memory. Builds the
// window exactly as the program's main block does.
//
//   startup_bench [--screenshot FILE.png]

#include "pgm/window/QtPlatform.h"
#include "pgm/window/TForm1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

// Milliseconds since the process started, from /proc.
double msSinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string field;
    for (int i = 1; i <= 22 && stat >> field; ++i) {
    }
    const double startTicks = std::stod(field);
    std::ifstream up("/proc/uptime");
    double uptime = 0;
    up >> uptime;
    return (uptime - startTicks / sysconf(_SC_CLK_TCK)) * 1000.0;
}

class LogoWatcher : public QObject {
public:
    std::function<void()> onHidden;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Hide && onHidden)
            QTimer::singleShot(0, o, onHidden);
        return false;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    nolt::QtPlatform::installHintStyle();
    QString screenshot;
    const QStringList args = QApplication::arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("--screenshot"))
        screenshot = args[2];

    nolt::QtPlatform platform;
    nolt::TForm1 form(platform, {});
    platform.setDialogParent(&form);
    LogoWatcher watcher;
    watcher.onHidden = [&] {
        const double ms = msSinceProcessStart();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("first screen after %.0f ms, peak resident memory %.1f MB\n", ms, usage.ru_maxrss / 1024.0);
        if (!screenshot.isEmpty())
            form.grab().save(screenshot);
        QApplication::quit();
    };
    form.findChild<QWidget*>(QStringLiteral("pLogo"))->installEventFilter(&watcher);
    form.show();
    return QApplication::exec();
}
