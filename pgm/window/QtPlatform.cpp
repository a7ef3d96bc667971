#include "pgm/window/QtPlatform.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QProxyStyle>
#include <QThread>
#include <QTimer>

namespace nolt {

namespace {

class QtTimer final : public Timer {
public:
    QtTimer(int intervalMs, std::function<void()> onTick)
    {
        timer_.setInterval(intervalMs);
        QObject::connect(&timer_, &QTimer::timeout, std::move(onTick));
    }
    void start() override { timer_.start(); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

class HintStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};

} // namespace

void QtPlatform::showMessage(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent_);
    box.exec();
}

bool QtPlatform::confirm(const QString& text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text,
                    QMessageBox::Yes | QMessageBox::No, parent_);
    return box.exec() == QMessageBox::Yes;
}

void QtPlatform::beep()
{
    QApplication::beep();
}

std::optional<QString> QtPlatform::openFileName(const QString& title, const QString& filter)
{
    const QString name = QFileDialog::getOpenFileName(parent_, title, QString(), filter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> QtPlatform::saveFileName(const QString& title, const QString& filter,
                                                const QString& defaultSuffix)
{
    QFileDialog dialog(parent_, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

void QtPlatform::sleepMs(int ms)
{
    QThread::msleep(static_cast<unsigned long>(ms));
}

void QtPlatform::processMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

std::unique_ptr<Timer> QtPlatform::createTimer(int intervalMs, std::function<void()> onTick)
{
    return std::make_unique<QtTimer>(intervalMs, std::move(onTick));
}

void QtPlatform::restartProgram(const QString& parameters)
{
    QProcess::startDetached(QCoreApplication::applicationFilePath(), QProcess::splitCommand(parameters));
    QCoreApplication::quit();
}

void QtPlatform::setBusyCursor(bool busy)
{
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtPlatform::installHintStyle()
{
    QApplication::setStyle(new HintStyle(QApplication::style()->name()));
}

} // namespace nolt
