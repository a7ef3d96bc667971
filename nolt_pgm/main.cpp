// The program's main block: the application, the main window, the message loop.

#include "pgm/QtPlatform.h"
#include "pgm/TForm1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("nolt_pgm"));
    nolt::QtPlatform::installHintStyle();

    nolt::QtPlatform platform;
    nolt::TForm1 form(platform, QApplication::arguments().mid(1));
    platform.setDialogParent(&form);
    form.show();
    return QApplication::exec();
}
