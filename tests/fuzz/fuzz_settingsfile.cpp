// The settings file: any content reads, and a value written reads back.
#include "app/settingsfile.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = FuzzInput::scratchFile("QVRECIPE.ini");
    FuzzInput::writeScratch(path, data, size);
    SettingsFile settings(path, QStringLiteral("QVRECIPE"));
    settings.readSetting(QString(), QStringLiteral("VERSION"));
    settings.readSetting(QStringLiteral("SIZE_BIBLE"), QStringLiteral("LEFT"));
    const QString value = QStringLiteral("v%1").arg(size);
    if (settings.writeSetting(QStringLiteral("qvrecipe"), QStringLiteral("file"), value)) {
        const QString back =
            settings.readSetting(QStringLiteral("QVRECIPE"), QStringLiteral("FILE"));
        if (back != value)
            FuzzInput::fail("a written value reads back", value, back);
    }
    return 0;
}
