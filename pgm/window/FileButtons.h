#pragma once
// "Save" and "Load": configuration files (".ktc") and, through "Load",
// firmware files (".ktp").

#include <QObject>

namespace nolt {

class TForm1;
struct FirmwareText;

class FileButtons : public QObject {
    Q_OBJECT
public:
    explicit FileButtons(TForm1& form);

    void bSaveClick();
    void bLoadClick();

private:
    void loadFirmware(const FirmwareText& text);
    TForm1& form_;
};

} // namespace nolt
