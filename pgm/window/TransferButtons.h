#pragma once
// "Transfer" and "Erase ALL" of the bottom strip.

#include <QObject>

namespace nolt {

class TForm1;

class TransferButtons : public QObject {
    Q_OBJECT
public:
    explicit TransferButtons(TForm1& form);

    void bMemStoreClick();
    void bEraseClick();

private:
    TForm1& form_;
};

} // namespace nolt
