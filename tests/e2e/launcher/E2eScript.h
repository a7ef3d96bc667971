#pragma once
// Plays the user's part for the end-to-end launcher: waits for the first
// screen, then runs this instance's steps one at a time, clicking and
// typing into the controls by their object names, and answers the message
// boxes and open dialogs that appear meanwhile. What it sees (every caption
// the window shows among it) is appended to a report file.
//
// Steps (separated by ';'):
//   click:<name>          a left click in the middle of the control
//   text:<name>=<value>   the edit cleared, then the value typed
//   answer:yes|no         how the next confirmation is answered (default Yes)
//   file:<path>           the next open dialog is answered with this path
//                         (without one, an open dialog is cancelled)
//   await:<text>          nothing until the caption contains the text (now
//                         or in any caption shown later)
//   record                a snapshot of the bottom strip, caption and image
//   wait:<ms>             nothing for that long
//   shot:<file.png>       a picture of the window
//   close                 the window closed (the program ends)

#include <QFile>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace nolt {
class TForm1;
}

namespace nolt::e2e {

class E2eScript : public QObject {
public:
    E2eScript(TForm1& form, const QString& reportPath, QStringList steps);

private:
    void tick();
    void runStep(const QString& step);
    void answerDialog();
    bool answerFileDialog();
    void record(const QString& label);
    void note(const QString& key, const QString& value);

    TForm1& form_;
    QFile report_;
    QStringList steps_;
    QTimer timer_;
    QTimer dialogTimer_;
    int elapsedTicks_ = 0;
    int records_ = 0;
    int waitTicks_ = 0;
    bool started_ = false;
    bool answerYes_ = true;
    QString fileAnswer_;
    QString awaited_;
};

} // namespace nolt::e2e
