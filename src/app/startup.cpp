#include "app/startup.h"

#include "platform/programfolder.h"
#include "platform/prompts.h"
#include "recipe/vocabularyfile.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

using namespace Qt::StringLiterals;

namespace Startup {

int runStartup(AppState &state, StartupHost &host, Prompts &prompts, const QString &versionText)
{
    // 1. Version and names
    state.versionText = versionText;
    state.programName = QFileInfo(host.programFilePath()).completeBaseName();
    host.setCaption(state.programName);
    // 2.
    state.showPrintConfirm = 1;
    // 3. The program folder
    state.programDir = ProgramFolder::path();
    // 4. Printer check
    if (!host.printingAvailable()) {
        prompts.message(u"プリンターをセットアップしてから使ってください。\r\n"
                        u"通常使うプリンターが使えないと、一部の機能が使えなません。"_s,
                        Prompts::Icon::Exclamation);
    }
    QDir dir(state.programDir);
    if (!dir.exists())
        QDir().mkpath(state.programDir);
    // 5, 6. Folders; failures do not stop the start.
    state.backupDir = state.programDir + u"bak/"_s;
    if (!QFileInfo::exists(state.programDir + u"bak"_s))
        dir.mkdir(u"bak"_s);
    state.dataDir = state.programDir + u"dat/"_s;
    if (!QFileInfo::exists(state.programDir + u"dat"_s))
        dir.mkdir(u"dat"_s);
    // 7, 8. The program folder becomes the current folder. It may be a
    // QVRECIPE_HOME that holds no file yet, so its existence is what counts.
    if (!QDir::setCurrent(state.programDir) && !dir.isRoot()) {
        prompts.message(u"["_s + QDir::toNativeSeparators(state.programDir) +
                        u"]がみつかりません（これ出たら教えてね）"_s);
    }
    // 9. One copy per program folder
    if (!host.acquireSingleInstance(state.programDir)) {
        prompts.message(u"既に起動されています。"_s);
        return AlreadyRunning;
    }

    state.settings = std::make_unique<SettingsFile>(state.settingsPath(), state.programName);
    SettingsFile &settings = *state.settings;
    int result = Normal;
    // 10. First run
    if (!settings.exists()) {
        SettingsFile::Batch batch(settings);
        settings.writeSetting(QString(), u"VERSION"_s, versionText);
        const QSize screen = host.screenSizeTwips();
        const QSize window = host.windowSizeTwips();
        settings.writeSetting(QString(), u"X"_s,
                              QString::number((screen.width() - window.width()) / 2));
        settings.writeSetting(QString(), u"Y"_s,
                              QString::number((screen.height() - window.height()) / 2));
        LayoutSettings::writeLayoutDefaults(settings, state.paperType);
        batch.commit();
        if (!settings.lastError().isEmpty())
            prompts.message(settings.lastError(), Prompts::Icon::Exclamation);
        result = FirstRun;
    }
    // 11. Upgrade
    if (settings.readSetting(QString(), u"VERSION"_s) != versionText) {
        SettingsFile::Batch batch(settings);
        settings.writeSetting(QString(), u"VERSION"_s, versionText);
        LayoutSettings::writeLayoutDefaults(settings, state.paperType);
        // Told once: a first run that could not write says so above.
        batch.commit();
        if (!settings.lastError().isEmpty() && result != FirstRun)
            prompts.message(settings.lastError(), Prompts::Icon::Exclamation);
        if (result != FirstRun)
            result = Upgraded;
    }
    // 12. Window position
    const auto number = [&](const QString &key) {
        return LayoutSettings::toInt32(
            LayoutSettings::parseNumber(settings.readSetting(QString(), key)));
    };
    host.moveWindowTwips(number(u"X"_s), number(u"Y"_s));
    // 13, 14. Paper and layout
    state.paperType = LayoutSettings::toInt16(
        LayoutSettings::parseNumber(settings.readSetting(QString(), u"YOUSI"_s)));
    LayoutSettings::loadPageLayout(settings, state.paperType, state.layout);
    state.imeKanaMode = LayoutSettings::toInt16(
        LayoutSettings::parseNumber(settings.readSetting(QString(), u"IMEKANA"_s)));
    // 15. Printer margin probe
    if (const std::optional<double> offset = host.printerLeftOffsetMm()) {
        const double mm = std::nearbyint(*offset);
        if (mm > 0 && mm < 6 && mm != state.layout.LEFT)
            state.layout.YOHAKU = int16_t(mm);
    }
    return result;
}

QString ensureVocabularyFile(const AppState &state, int startupResult)
{
    const QString path = state.vocabularyPath();
    if (startupResult == FirstRun || startupResult == Upgraded || !QFileInfo::exists(path))
        return VocabularyFile::writeVocabularyFile(path);
    return {};
}

bool wantsClipboardAnalysis(const QString &caption, const QString &programName,
                            const QString &commandLine)
{
    if (caption != programName.toUpper())
        return false;
    QString line = commandLine.trimmed().toLower();
    if (!line.startsWith(u'/'))
        line = line.right(5);
    return line == u"/clip"_s;
}

QString saveWindowPosition(AppState &state, bool normalState, int leftTwips, int topTwips)
{
    if (!normalState || !state.settings)
        return {};
    SettingsFile::Batch batch(*state.settings);
    state.settings->writeSetting(QString(), u"Y"_s, QString::number(topTwips));
    state.settings->writeSetting(QString(), u"X"_s, QString::number(leftTwips));
    batch.commit();
    return state.settings->lastError();
}

} // namespace Startup
