// Screenshots of the main window and of every panel that a tile opens, for
// looking at the artwork and layout:  screens OUTDIR
// Runs the window exactly as the program does, in demo mode.

#include "pgm/panels/EditorPanel.h"
#include "pgm/window/QtPlatform.h"
#include "pgm/window/TForm1.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTimer>

namespace {

void click(QWidget* w)
{
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, {}, {});
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    nolt::QtPlatform platform;
    nolt::TForm1 form(platform, {});
    form.show();
    // Waits for the first screen (the logo gone), then opens each panel.
    QWidget* logo = form.findChild<QWidget*>(QStringLiteral("pLogo"));
    QTimer poll;
    poll.setInterval(100);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!form.started() || !logo->isHidden())
            return;
        poll.stop();
        form.grab().save(out + QStringLiteral("/main.png"));
        const char* tiles[] = {"iTen", "iRelay", "iTDpc_en", "iTBlock_en", "iTM", "iMFF_en", "iLst_en",
                               "iTHold_en", "iRemote_en", "iISD_en", "iISD1_en", "iISD2_en"};
        for (const char* tile : tiles) {
            QWidget* w = form.findChild<QWidget*>(QString::fromLatin1(tile));
            if (!w)
                continue;
            click(w);
            for (auto* panel : form.findChildren<nolt::EditorPanel*>()) {
                if (!panel->isVisible())
                    continue;
                form.grab().save(out + QStringLiteral("/%1.png").arg(panel->objectName()));
                panel->hide();
            }
            form.state().formDisabled = false;
        }
        QApplication::quit();
    });
    poll.start();
    return QApplication::exec();
}
