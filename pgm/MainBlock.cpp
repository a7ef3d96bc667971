#include "pgm/MainBlock.h"

#include "pgm/QtPlatform.h"
#include "pgm/TForm1.h"

#include <QApplication>

namespace nolt {

int runMainBlock(int argc, char* argv[], const std::function<void(TForm1&)>& prepare)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("nolt_pgm"));
    QtPlatform::installHintStyle();

    QtPlatform platform;
    TForm1 form(platform, QApplication::arguments().mid(1));
    platform.setDialogParent(&form);
    if (prepare)
        prepare(form);
    form.show();
    return QApplication::exec();
}

} // namespace nolt
