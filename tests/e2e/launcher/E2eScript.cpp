#include "E2eScript.h"

#include "pgm/window/TForm1.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace nolt::e2e {

namespace {
constexpr int tickMs = 50;
constexpr int giveUpTicks = 60000 / tickMs;
} // namespace

E2eScript::E2eScript(TForm1& form, const QString& reportPath, QStringList steps)
    : QObject(&form), form_(form), report_(reportPath), steps_(std::move(steps))
{
    report_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
    note(QStringLiteral("pid"), QString::number(QCoreApplication::applicationPid()));
    note(QStringLiteral("args"), QCoreApplication::arguments().mid(1).join(QLatin1Char(' ')));
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
    timer_.start(tickMs);
    // A timer is not fired again while its own tick runs, and a step's
    // dialog runs inside that tick: dialogs have a timer of their own.
    connect(&dialogTimer_, &QTimer::timeout, this, [this] { answerDialog(); });
    dialogTimer_.start(tickMs);
    // Every caption the window shows, however briefly.
    connect(&form_, &QWidget::windowTitleChanged, this, [this](const QString& caption) {
        note(QStringLiteral("caption"), caption);
        if (!awaited_.isEmpty() && caption.contains(awaited_))
            awaited_.clear();
    });
}

void E2eScript::note(const QString& key, const QString& value)
{
    report_.write((key + QLatin1Char('=') + value + QLatin1Char('\n')).toUtf8());
    report_.flush();
}

void E2eScript::tick()
{
    if (++elapsedTicks_ > giveUpTicks) {
        note(QStringLiteral("error"), QStringLiteral("gave up waiting"));
        QCoreApplication::exit(2);
        return;
    }
    QWidget* logo = form_.findChild<QWidget*>(QStringLiteral("pLogo"));
    if (!started_) {
        if (!form_.started() || (logo && logo->isVisible()))
            return;
        started_ = true;
        record(QStringLiteral("start"));
    }
    if (waitTicks_ > 0) {
        --waitTicks_;
        return;
    }
    if (!awaited_.isEmpty())
        return;
    if (!steps_.isEmpty()) {
        runStep(steps_.takeFirst());
    }
    // The last step may end the program (a close, a restart): no tick follows.
    if (steps_.isEmpty()) {
        timer_.stop();
        note(QStringLiteral("done"), QStringLiteral("1"));
    }
}

void E2eScript::answerDialog()
{
    if (answerFileDialog())
        return;
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    note(QStringLiteral("message"), box->text());
    QAbstractButton* yes = box->button(QMessageBox::Yes);
    QAbstractButton* no = box->button(QMessageBox::No);
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    QAbstractButton* choice = yes ? (answerYes_ ? yes : no) : ok;
    answerYes_ = true;
    if (choice)
        choice->click();
}

// The dialog's own file name edit takes the path, then Return opens it.
bool E2eScript::answerFileDialog()
{
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible())
        return false;
    note(QStringLiteral("dialog"), dialog->windowTitle());
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (fileAnswer_.isEmpty() || !edit) {
        note(QStringLiteral("error"), QStringLiteral("no file for ") + dialog->windowTitle());
        dialog->reject();
        return true;
    }
    edit->setText(fileAnswer_);
    fileAnswer_.clear();
    QTest::keyClick(edit, Qt::Key_Return);
    return true;
}

void E2eScript::runStep(const QString& step)
{
    note(QStringLiteral("step"), step);
    const QString verb = step.section(QLatin1Char(':'), 0, 0);
    const QString argument = step.section(QLatin1Char(':'), 1);
    if (verb == QLatin1String("record")) {
        record(QStringLiteral("record%1").arg(++records_));
    } else if (verb == QLatin1String("answer")) {
        answerYes_ = argument == QLatin1String("yes");
    } else if (verb == QLatin1String("file")) {
        fileAnswer_ = argument;
    } else if (verb == QLatin1String("await")) {
        if (!form_.caption().contains(argument))
            awaited_ = argument;
    } else if (verb == QLatin1String("close")) {
        form_.close();
    } else if (verb == QLatin1String("wait")) {
        waitTicks_ = argument.toInt() / tickMs;
    } else if (verb == QLatin1String("shot")) {
        form_.grab().save(argument);
    } else if (verb == QLatin1String("click")) {
        QWidget* w = form_.findChild<QWidget*>(argument);
        if (!w || !w->isVisible() || !w->isEnabled()) {
            note(QStringLiteral("error"), QStringLiteral("cannot click ") + argument);
            return;
        }
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    } else if (verb == QLatin1String("text")) {
        auto* edit = form_.findChild<QLineEdit*>(argument.section(QLatin1Char('='), 0, 0));
        if (!edit || !edit->isVisible()) {
            note(QStringLiteral("error"), QStringLiteral("cannot type into ") + argument);
            return;
        }
        edit->clear();
        QTest::keyClicks(edit, argument.section(QLatin1Char('='), 1));
    } else {
        note(QStringLiteral("error"), QStringLiteral("unknown step ") + step);
    }
}

void E2eScript::record(const QString& label)
{
    const QString p = label + QLatin1Char('.');
    note(p + QStringLiteral("caption"), form_.caption());
    BottomBar& bar = form_.bar();
    for (int k = 0; k < 4; ++k) {
        const SlotButton* b = bar.bM[k];
        const QString name = p + b->objectName();
        note(name + QStringLiteral(".visible"), QString::number(b->isVisible()));
        note(name + QStringLiteral(".enabled"), QString::number(b->isEnabled()));
        note(name + QStringLiteral(".colour"), b->palette().color(QPalette::Window).name());
        note(name + QStringLiteral(".hint"), b->toolTip());
    }
    note(p + QStringLiteral("iFW.visible"), QString::number(bar.iFW->isVisible()));
    note(p + QStringLiteral("bMemStore.visible"), QString::number(bar.bMemStore->isVisible()));
    note(p + QStringLiteral("eInfo"), bar.eInfo->text());
    for (const char* label : {"lPO_Level", "lMinLevel"})
        note(p + QLatin1String(label), form_.screen()[label]->text());
    note(p + QStringLiteral("image"), QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(
        form_.state().eeBlock.data()), static_cast<qsizetype>(form_.state().eeBlock.size())).toHex()));
}

} // namespace nolt::e2e
