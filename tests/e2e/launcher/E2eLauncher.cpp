// The end-to-end launcher: the program's own main block, with the real
// desktop platform and the HID access library loaded by name (in the tests
// the simulated one, through LD_LIBRARY_PATH), plus a script that plays the
// user. The program's self-restart really starts this launcher anew, which
// then plays the next instance's steps.
//
//   NOLT_E2E_DIR        run folder: the instance counter and the reports
//                       "instance-<n>.txt"
//   NOLT_E2E_STEPS_<n>  the steps of instance n (see E2eScript.h)

#include "E2eScript.h"
#include "pgm/window/MainBlock.h"

#include <QDir>
#include <QFile>

#include <cstdlib>

namespace {

constexpr int mostInstances = 4; // a restart loop ends here

// Counts this instance in the run folder; 1 for the first.
int countInstance(const QString& dir)
{
    QFile counter(QDir(dir).filePath(QStringLiteral("instances")));
    int n = 0;
    if (counter.open(QIODevice::ReadOnly))
        n = counter.readAll().trimmed().toInt();
    counter.close();
    ++n;
    if (counter.open(QIODevice::WriteOnly | QIODevice::Truncate))
        counter.write(QByteArray::number(n));
    return n;
}

} // namespace

int main(int argc, char* argv[])
{
    const QString dir = QString::fromLocal8Bit(std::getenv("NOLT_E2E_DIR"));
    if (dir.isEmpty())
        return 64;
    const int instance = countInstance(dir);
    if (instance > mostInstances)
        return 65;
    const QByteArray stepsName = "NOLT_E2E_STEPS_" + QByteArray::number(instance);
    const QString steps = QString::fromUtf8(qgetenv(stepsName.constData()));
    const QString report = QDir(dir).filePath(QStringLiteral("instance-%1.txt").arg(instance));
    return nolt::runMainBlock(argc, argv, [&](nolt::TForm1& form) {
        new nolt::e2e::E2eScript(form, report, steps.split(QLatin1Char(';'), Qt::SkipEmptyParts));
    });
}
