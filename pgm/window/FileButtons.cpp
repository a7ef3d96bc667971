#include "pgm/window/FileButtons.h"

#include "image/ConfigFile.h"
#include "image/TextFile.h"
#include "link/ImageGuard.h"
#include "pgm/window/Firmware.h"
#include "pgm/window/TForm1.h"

namespace nolt {

FileButtons::FileButtons(TForm1& form) : QObject(&form), form_(form)
{
    setObjectName(QStringLiteral("fileButtons"));
    connect(form.bar().bSave, &QPushButton::clicked, this, &FileButtons::bSaveClick);
    connect(form.bar().bLoad, &QPushButton::clicked, this, &FileButtons::bLoadClick);
    form.hooks().loadRes = [&form] { loadRes(form); };
}

void FileButtons::bSaveClick()
{
    AppState& st = form_.state();
    Platform& platform = form_.platform();
    // Saving leaves the image alone: allowed while a stick read runs.
    if (st.formDisabled && !st.stickReading)
        return;
    const auto path = platform.saveFileName(QStringLiteral("Configuration Save"),
                                            QStringLiteral("Configuration files (*.ktc)"),
                                            QStringLiteral("ktc"));
    if (!path)
        return;
    // The old file is replaced only once the new one is complete.
    const QString error = writeTextLines(*path, buildConfigFile(st.eeBlock, form_.bar().eInfo->text()));
    if (!error.isEmpty())
        platform.showMessage(error);
}

void FileButtons::bLoadClick()
{
    AppState& st = form_.state();
    Platform& platform = form_.platform();
    if (imageChangeRefused(st, platform))
        return;
    const auto path = platform.openFileName(
        QStringLiteral("Open File"), QStringLiteral("Configuration files (*.ktc);;Firmware files (*.ktp)"));
    if (!path)
        return;
    const TextFileRead read = readTextLines(*path);
    if (!read.ok) {
        platform.showMessage(read.error);
        return;
    }
    const LoadedFile file = parseLoadedFile(read.lines);
    if (file.kind == LoadedFileKind::TooFewLines)
        return;
    if (file.kind == LoadedFileKind::Firmware) {
        loadFirmware(file.firmware);
        return;
    }
    const ConfigLoadResult result = applyConfigFile(file, st.eeBlock, st.sw.copyAstro, st.sw.noLoadCheck);
    for (const QString& message : result.messages)
        platform.showMessage(message);
    if (file.kind != LoadedFileKind::Configuration)
        return;
    st.eeBlock = result.image;
    if (result.infoChanged)
        form_.bar().eInfo->setText(result.info);
    form_.setDisplay();
}

void FileButtons::loadFirmware(const FirmwareText& text)
{
    AppState& st = form_.state();
    const FirmwareResult result = applyFirmwareFile(text, st.firmware);
    if (!result.message.isEmpty())
        form_.platform().showMessage(result.message);
    if (!result.accepted)
        return;
    st.firmware = result.state;
    if (!st.demo)
        showFirmwareIcon(form_.bar(), result.hint);
}

} // namespace nolt
