// The end-to-end launcher: the program's main block on the real platform, plus a script that plays the user;
// the program's self-restart starts it anew for the next instance. The steps of instance n (NOLT_E2E_STEPS_<n>,
// ';' between them): click:<name>, text:<name>=<value> (as a person does, where a person could: support/Person.h), file:<path> (the next open dialog's answer),
// await:<text> (until a caption holds it), record (slot buttons, labels), close. Message boxes are answered
// Yes (or Ok). Its switches, every caption and message go to "instance-<n>.txt" in the folder NOLT_E2E_DIR.
// NOLT_E2E_FAULT_<n>, when given, is the simulated device's fault list for instance n.

#include "pgm/window/MainBlock.h"
#include "pgm/window/TForm1.h"
#include "support/Person.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

struct Script {
    QFile report;
    QStringList steps;
    QString fileAnswer;
    QString awaited;

    void note(const QString& key, const QString& value)
    {
        report.write((key + '=' + value + '\n').toUtf8());
        report.flush();
    }

    // The next step once the first screen is up and no caption is awaited.
    void tick(nolt::TForm1& form, QTimer& timer)
    {
        QWidget* logo = form.findChild<QWidget*>("pLogo");
        if (!form.started() || (logo && logo->isVisible()) || !awaited.isEmpty())
            return;
        if (!steps.isEmpty())
            run(form, steps.takeFirst());
        if (steps.isEmpty()) { // the last step may end the program: no tick follows
            timer.stop();
            note("done", "1");
        }
    }

    void run(nolt::TForm1& form, const QString& step)
    {
        const QString verb = step.section(':', 0, 0);
        const QString argument = step.section(':', 1);
        auto* widget = form.findChild<QWidget*>(argument.section('=', 0, 0));
        auto* edit = qobject_cast<QLineEdit*>(widget);
        if (verb == "record") {
            for (const nolt::SlotButton* b : form.bar().bM) {
                note(b->objectName() + ".colour", b->palette().color(QPalette::Window).name());
                note(b->objectName() + ".hint", b->toolTip());
            }
            for (const char* label : {"lPO_Level", "lMinLevel"})
                note(label, form.screen()[label]->text());
        } else if (verb == "file") {
            fileAnswer = argument;
        } else if (verb == "await") {
            awaited = form.caption().contains(argument) ? QString() : argument;
        } else if (verb == "close") {
            form.close();
        } else if (widget && verb == "click") {
            if (const QString why = nolt::test::click(widget); !why.isEmpty())
                note("error", why);
        } else if (edit && verb == "text") {
            if (const QString why = nolt::test::type(edit, argument.section('=', 1)); !why.isEmpty())
                note("error", why);
        } else {
            note("error", "cannot do " + step);
        }
    }

    void answerDialog()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && dialog->isVisible()) {
            auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit"); // its own name edit, then Return
            if (fileAnswer.isEmpty() || !edit)
                return dialog->reject();
            edit->setText(fileAnswer);
            fileAnswer.clear();
            QTest::keyClick(edit, Qt::Key_Return);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->isVisible()) {
            note("message", box->text());
            QAbstractButton* yes = box->button(QMessageBox::Yes);
            (yes ? yes : box->button(QMessageBox::Ok))->click();
        }
    }
};

} // namespace

int main(int argc, char* argv[])
{
    const QDir dir(qEnvironmentVariable("NOLT_E2E_DIR"));
    Script script;
    int instance = 0;
    do // instance n is the first without a report: instances follow one another
        script.report.setFileName(dir.filePath(QStringLiteral("instance-%1.txt").arg(++instance)));
    while (script.report.exists());
    const QByteArray stepsName = "NOLT_E2E_STEPS_" + QByteArray::number(instance);
    script.steps = qEnvironmentVariable(stepsName.constData()).split(';', Qt::SkipEmptyParts);
    if (dir.path() == "." || instance > 4 || !script.report.open(QIODevice::WriteOnly | QIODevice::Text))
        return 64; // no run folder, or a restart loop
    // Read by the simulated library when the window loads it; the next instance inherits it unless it has its own.
    const QByteArray faultName = "NOLT_E2E_FAULT_" + QByteArray::number(instance);
    if (qEnvironmentVariableIsSet(faultName.constData()))
        qputenv("NOLT_SIM_FAULT", qgetenv(faultName.constData()));
    return nolt::runMainBlock(argc, argv, [&](nolt::TForm1& form) {
        script.note("args", QCoreApplication::arguments().mid(1).join(' '));
        QObject::connect(&form, &QWidget::windowTitleChanged, &form, [&](const QString& caption) {
            script.note("caption", caption);
            if (caption.contains(script.awaited))
                script.awaited.clear();
        });
        auto* timer = new QTimer(&form);
        QObject::connect(timer, &QTimer::timeout, &form, [&form, timer, &script] { script.tick(form, *timer); });
        timer->start(50);
        // A step's dialog runs inside the tick, which its timer does not fire again: dialogs have their own.
        auto* dialogTimer = new QTimer(&form);
        QObject::connect(dialogTimer, &QTimer::timeout, &form, [&script] { script.answerDialog(); });
        dialogTimer->start(50);
    });
}
