#include "pgm/window/MainBlock.h"

#include "pgm/window/QtPlatform.h"
#include "pgm/window/TForm1.h"

#include <QApplication>

namespace nolt {

int runMainBlock(int argc, char* argv[], const std::function<void(TForm1&)>& prepare)
{
    // Qt takes the switches it knows (-reverse, -style X, ...) out of argv;
    // the restart hands on every parameter, so they are read first.
    QStringList parameters;
    for (int i = 1; i < argc; ++i)
        parameters.append(QString::fromLocal8Bit(argv[i]));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("nolt_pgm"));
    QtPlatform::installHintStyle();

    QtPlatform platform;
    TForm1 form(platform, parameters);
    platform.setDialogParent(&form);
    if (prepare)
        prepare(form);
    form.show();
    return QApplication::exec();
}

} // namespace nolt
