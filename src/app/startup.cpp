#include "app/startup.h"

#include "platform/programfolder.h"
#include "platform/prompts.h"
#include "recipe/vocabularyfile.h"

#include <QDir>
#include <QFileInfo>
#include <QPoint>

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
    if (!dir.exists() && !QDir().mkpath(state.programDir)) {
        prompts.message(u"プログラムフォルダー["_s + QDir::toNativeSeparators(state.programDir) +
                            u"]を作成できません。\r\n\r\n起動を中止します。"_s,
                        Prompts::Icon::Exclamation);
        return CannotStart;
    }
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
    const SingleInstance::Outcome lock = host.acquireSingleInstance(state.programDir);
    if (lock.status == SingleInstance::Status::HeldByAnother) {
        prompts.message(u"既に起動されています。"_s);
        return AlreadyRunning;
    }
    if (lock.status == SingleInstance::Status::CannotWrite) {
        QString text = u"プログラムフォルダー["_s + QDir::toNativeSeparators(state.programDir) +
                       u"]に書き込めません。"_s;
        if (!lock.reason.isEmpty())
            text += u"\r\n（"_s + lock.reason + u"）"_s;
        prompts.message(text + u"\r\n\r\n起動を中止します。"_s, Prompts::Icon::Exclamation);
        return CannotStart;
    }

    state.settings = std::make_unique<SettingsFile>(state.settingsPath(), state.programName);
    SettingsFile &settings = *state.settings;
    const QString settingsName = QDir::toNativeSeparators(settings.filePath());
    const QSize screen = host.screenSizeTwips();
    const QSize window = host.windowSizeTwips();
    const QPoint centred((screen.width() - window.width()) / 2,
                         (screen.height() - window.height()) / 2);
    int result = Normal;
    QString unreadable;
    if (settings.exists() && !settings.readable(&unreadable)) {
        // Nothing can be read, and writing would replace what may still be
        // the user's file: run on the defaults and say so once.
        prompts.message(u"設定ファイル["_s + settingsName + u"]を読み込めません。\r\n（"_s +
                            unreadable +
                            u"）\r\n\r\n初期設定で起動します。設定の変更は保存されません。"_s,
                        Prompts::Icon::Exclamation);
        host.moveWindowTwips(centred.x(), centred.y());
        SettingsFile defaults(QString(), state.programName);
        SettingsFile::Batch batch(defaults);
        LayoutSettings::writeLayoutDefaults(defaults, 0);
        state.paperType = 0;
        LayoutSettings::loadPageLayout(defaults, 0, state.layout);
        batch.discard();
        return Normal;
    }
    // The message names the file and the reason; a write whose value is in
    // place but whose disk complained afterwards is told as it is.
    const auto reportWriteFailure = [&](bool written) {
        if (settings.lastError().isEmpty())
            return;
        prompts.message(written ? settings.lastError()
                                : settings.lastError() + u"\r\n\r\n設定の変更は保存されません。"_s,
                        Prompts::Icon::Exclamation);
    };
    // 10. First run
    if (!settings.exists()) {
        {
            SettingsFile::Batch batch(settings);
            settings.writeSetting(QString(), u"VERSION"_s, versionText);
            settings.writeSetting(QString(), u"X"_s, QString::number(centred.x()));
            settings.writeSetting(QString(), u"Y"_s, QString::number(centred.y()));
            LayoutSettings::writeLayoutDefaults(settings, state.paperType);
            reportWriteFailure(batch.commit());
        }
        result = FirstRun;
    }
    // 11. Upgrade. A file without any VERSION was not written by an older
    // version (every version writes it first): it is damaged, so it is
    // repaired without the version box, and lines already there are kept.
    const QString storedVersion = settings.readSetting(QString(), u"VERSION"_s);
    if (storedVersion != versionText) {
        bool written = false;
        {
            SettingsFile::Batch batch(settings);
            settings.writeSetting(QString(), u"VERSION"_s, versionText);
            LayoutSettings::writeLayoutDefaults(settings, state.paperType);
            written = batch.commit();
        }
        // Told once: a first run said so already.
        if (result != FirstRun)
            reportWriteFailure(written);
        if (!written) {
            // No upgrade: the version box would come back on every start.
        } else if (result != FirstRun && storedVersion.isEmpty()) {
            prompts.message(u"設定ファイル["_s + settingsName +
                                u"]に設定が見つからないため、初期設定を書き加えました。"
                                u"\r\nファイルが壊れていた可能性があります。"_s,
                            Prompts::Icon::Exclamation);
        } else if (result != FirstRun) {
            result = Upgraded;
        }
    }
    // 12. Window position; a position never stored opens centred.
    const QString storedX = settings.readSetting(QString(), u"X"_s);
    const QString storedY = settings.readSetting(QString(), u"Y"_s);
    if (storedX.isEmpty() || storedY.isEmpty()) {
        host.moveWindowTwips(centred.x(), centred.y());
    } else {
        host.moveWindowTwips(LayoutSettings::toInt32(LayoutSettings::parseNumber(storedX)),
                             LayoutSettings::toInt32(LayoutSettings::parseNumber(storedY)));
    }
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
