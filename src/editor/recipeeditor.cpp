#include "editor/recipeeditor.h"

#include "editor/fastrowsplitter.h"
#include "editor/recipepicture.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/programfolder.h"
#include "platform/prompts.h"
#include "platform/textfile.h"
#include "recipe/recipefilerewrite.h"
#include "recipe/recordcodec.h"
#include "recipe/texthelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

const QString RecipeEditor::selectFromListMessage = u"一覧から選択してください"_s;

namespace {

using Icon = Prompts::Icon;
using Buttons = Prompts::Buttons;
using Answer = Prompts::Answer;

// The raw data row with this record number, or nullopt.
std::optional<QByteArray> rawRow(const QList<QByteArray> &lines, int recordNo)
{
    int n = 0;
    for (const QByteArray &line : lines) {
        if (line.startsWith('@'))
            continue;
        if (++n == recordNo && n >= 2)
            return line;
    }
    return std::nullopt;
}

} // namespace

RecipeEditor::RecipeEditor(Prompts &prompts, const Clock &clock, RecipeForm &form)
    : m_prompts(prompts), m_clock(clock), m_form(form),
      m_workFile(ProgramFolder::path() + QString::fromUtf16(RecipeFileRewrite::workFileName))
{}

void RecipeEditor::setRecipeFile(const QString &path)
{
    m_recipeFile = path;
}

void RecipeEditor::notifyPicture(const QString &path)
{
    if (showPicture)
        showPicture(path);
}

bool RecipeEditor::run(int index, int selectedRecordNo, const QString &entryText)
{
    switch (index) {
    case 0:
        return show(selectedRecordNo);
    case 1:
        return add();
    case 2:
        return update();
    case 3:
        return remove(selectedRecordNo, entryText);
    case 4:
        clear();
        return false;
    default:
        return false;
    }
}

bool RecipeEditor::show(int selectedRecordNo)
{
    if (selectedRecordNo < 0) {
        m_prompts.message(selectFromListMessage, Icon::Exclamation);
        return false;
    }
    const TextFile::ReadResult file = TextFile::readLines(m_recipeFile);
    const std::optional<QByteArray> raw = rawRow(file.lines, selectedRecordNo);
    if (!raw) {
        // The file changed under the list; showing nothing beats showing another row.
        m_prompts.message(selectFromListMessage, Icon::Exclamation);
        return false;
    }
    RecipeRecord record = RecordCodec::splitRecordLine(Cp932::decode(*raw));
    if (normalizeRow)
        normalizeRow(record);
    m_form.showRecord(record);
    m_form.shownRecordNo = selectedRecordNo;
    m_shownFile = m_recipeFile;
    m_shownRow = *raw;
    notifyPicture(RecipePicture::findImageFile(m_recipeFile, record.field(RecipeRecord::Picture)));
    return true;
}

bool RecipeEditor::checkName()
{
    if (m_form.Txt_key1.trimmed().isEmpty()) {
        m_prompts.message(u"表題が青色の項目は必須入力です"_s, Icon::Exclamation);
        return false;
    }
    return true;
}

bool RecipeEditor::add()
{
    if (!checkName())
        return false;
    return insert(false);
}

bool RecipeEditor::update()
{
    if (!checkName())
        return false;
    if (m_form.shownRecordNo < 0 || m_shownFile != m_recipeFile) {
        m_prompts.message(selectFromListMessage, Icon::Exclamation);
        return false;
    }
    const QString question = u"「"_s + m_form.Txt_key1.trimmed() + u"」を更新します"_s;
    if (m_prompts.message(question, Icon::Exclamation, Buttons::OkCancel, Answer::Ok) != Answer::Ok)
        return false;
    return insert(true);
}

bool RecipeEditor::insert(bool replacingShown)
{
    if (m_form.imagePending) {
        savePastedImage();
        m_form.imagePending = false;
    }
    const RecipeRecord record = m_form.toRecord(m_clock);
    QByteArray newRow;
    QString error;
    if (!RecipeFileRewrite::encodeRow(
            record, qMax<int>(RecipeRecord::definedFields, record.lastNonEmptyField()), &newRow,
            &error)) {
        m_prompts.message(error, Icon::Exclamation);
        return false;
    }
    const QString newKey = RecordCodec::sortKey(record);
    const int removeNo = replacingShown ? m_form.shownRecordNo : -1;
    const QByteArray expectedOld = m_shownRow;
    bool shownRowChanged = false;
    int newRecordNo = -1;
    RecipeRecord old;

    // Removing the old row and inserting the new one is one rewrite, so a
    // failure can never lose the recipe between the two steps.
    const auto transform = [&](const QList<QByteArray> &oldLines, QList<QByteArray> &out,
                               QString *transformError) {
        int written = 1; // record numbers written so far (the header is 1)
        RecipeFileRewrite::copyWithHeader(
            oldLines, out, [&](int recordNo, const QByteArray &raw, QList<QByteArray> &lines) {
                if (recordNo == removeNo) {
                    shownRowChanged = raw != expectedOld;
                    return;
                }
                if (newRecordNo < 0) {
                    RecordCodec::splitRecordLine(Cp932::decode(raw), old);
                    if (RecordCodec::sortKey(old) > newKey) {
                        lines.append(newRow);
                        newRecordNo = ++written;
                    }
                }
                lines.append(raw);
                ++written;
            });
        if (removeNo >= 0 && (shownRowChanged || !rawRow(oldLines, removeNo))) {
            *transformError = selectFromListMessage;
            return false;
        }
        if (newRecordNo < 0) {
            out.append(newRow);
            newRecordNo = written + 1;
        }
        return true;
    };
    const RecipeFileRewrite::Result result =
        RecipeFileRewrite::rewrite(m_recipeFile, m_workFile, transform);
    if (!result.ok) {
        m_prompts.message(result.error, Icon::Exclamation);
        return false;
    }
    if (!result.warning.isEmpty())
        m_prompts.message(result.warning, Icon::Exclamation);
    m_form.shownRecordNo = newRecordNo;
    m_shownFile = m_recipeFile;
    m_shownRow = newRow;
    return true;
}

bool RecipeEditor::remove(int selectedRecordNo, const QString &entryText)
{
    if (selectedRecordNo < 0) {
        m_prompts.message(selectFromListMessage, Icon::Exclamation);
        return false;
    }
    if (m_prompts.message(u"「"_s + entryText + u"」を削除します"_s, Icon::Exclamation,
                          Buttons::OkCancel, Answer::Cancel) != Answer::Ok)
        return false;
    m_form.shownRecordNo = selectedRecordNo;
    clearPicture();

    // The picture asked about is the deleted row's own, not whatever the
    // entry fields happen to show.
    const TextFile::ReadResult file = TextFile::readLines(m_recipeFile);
    const std::optional<QByteArray> raw = rawRow(file.lines, selectedRecordNo);
    const QString imageName =
        raw ? RecordCodec::splitRecordLine(Cp932::decode(*raw)).field(RecipeRecord::Picture)
            : QString();
    QString imageToDelete;
    if (const QString path = RecipePicture::pictureNamePath(m_recipeFile, imageName);
        !path.isEmpty() && QFileInfo(path).isFile()) {
        const QString question =
            u"画像ファイル["_s + QDir::toNativeSeparators(path) + u"]を削除しますか"_s;
        if (m_prompts.message(question, Icon::None, Buttons::YesNo, Answer::No) == Answer::Yes)
            imageToDelete = path;
    }

    const auto transform = [&](const QList<QByteArray> &oldLines, QList<QByteArray> &out,
                               QString *) {
        RecipeFileRewrite::copyWithHeader(
            oldLines, out, [&](int recordNo, const QByteArray &row, QList<QByteArray> &lines) {
                if (recordNo != selectedRecordNo)
                    lines.append(row);
            });
        return true;
    };
    const RecipeFileRewrite::Result result =
        RecipeFileRewrite::rewrite(m_recipeFile, m_workFile, transform);
    m_form.shownRecordNo = -1;
    m_shownRow.clear();
    if (!result.ok) {
        m_prompts.message(result.error, Icon::Exclamation);
        return false;
    }
    if (!result.warning.isEmpty())
        m_prompts.message(result.warning, Icon::Exclamation);
    if (!imageToDelete.isEmpty())
        QFile::remove(imageToDelete);
    return true;
}

void RecipeEditor::clear()
{
    clearPicture();
    m_form.clearFields();
    m_shownRow.clear();
}

void RecipeEditor::forgetShownRecord()
{
    m_form.shownRecordNo = -1;
    m_shownRow.clear();
}

bool RecipeEditor::pasteImage(const QImage &clipboardImage)
{
    if (clipboardImage.isNull()) {
        m_prompts.message(u"クリップボードに画像を保管してください"_s, Icon::Exclamation);
        return false;
    }
    if (m_form.shownRecordNo < 0) {
        m_prompts.message(u"画像保管したいレシピ内容を一旦表示してから、\r\n"
                          u"画像貼り付けしてください"_s,
                          Icon::Exclamation);
        return false;
    }
    QString name = m_form.txt_yobi[2].trimmed();
    if (!name.isEmpty()) {
        if (!name.endsWith(u".BMP"_s, Qt::CaseInsensitive))
            name += u".BMP"_s;
        if (Cp932::byteLength(name) > 12) {
            m_prompts.message(u"画像名「"_s + name + u"」は8文字以下でお願いします。\r\n\r\n"_s +
                                  u"（.BMPを除く、半角文字8文字以下）"_s,
                              Icon::Exclamation);
            return false;
        }
    }
    m_form.txt_yobi[2] = name;
    m_pendingImage = clipboardImage;
    m_form.imagePending = true;
    return update();
}

QString RecipeEditor::savePastedImage()
{
    QString name = m_form.txt_yobi[2].trimmed();
    if (name.isEmpty())
        name = RecipePicture::nextNumberedName(TextHelpers::folderPart(m_recipeFile));
    m_form.txt_yobi[2] = name;
    const QString path = RecipePicture::pictureNamePath(m_recipeFile, name);
    if (path.isEmpty()) {
        m_prompts.message(u"保管する画像ファイルが見つかりません"_s, Icon::Exclamation);
        return {};
    }
    if (m_pendingImage.isNull() || !m_pendingImage.save(path, "BMP")) {
        m_prompts.message(u"画像ファイル["_s + QDir::toNativeSeparators(path) +
                          u"]が見つかりません"_s);
        return {};
    }
    notifyPicture(path);
    return path;
}

QString RecipeEditor::attachStartPath() const
{
    const QString name = m_form.txt_yobi[2].trimmed();
    if (name.isEmpty())
        return TextHelpers::folderPart(m_recipeFile);
    return RecipePicture::pictureNamePath(m_recipeFile, name);
}

QString RecipeEditor::attachPicture(const QString &chosenPath)
{
    QString chosen = chosenPath.trimmed();
    if (chosen.startsWith(u".\\"_s) || chosen.startsWith(u"./"_s))
        chosen = ProgramFolder::path() + chosen.mid(2);
    chosen = ProgramFolder::toQtSeparators(chosen);
    const QFileInfo info(chosen);
    if (chosen.isEmpty() || !info.isFile())
        return {};
    const QString fileFolder = QDir::cleanPath(info.absolutePath());
    const QString recipeFolder = QDir::cleanPath(QFileInfo(m_recipeFile).absolutePath());
    const bool inRecipeFolder = fileFolder.compare(recipeFolder, Qt::CaseInsensitive) == 0;
    m_form.txt_yobi[2] = inRecipeFolder ? info.fileName() : info.absoluteFilePath();
    const QString path = RecipePicture::pictureNamePath(m_recipeFile, m_form.txt_yobi[2]);
    notifyPicture(path);
    return path;
}

void RecipeEditor::clearPicture()
{
    m_form.imagePending = false;
    notifyPicture(QString());
}

QString RecipeEditor::helpText(const QString &helpPageAddress)
{
    return TextHelpers::joinLines({
        u"＜レシピデータの追加方法＞"_s,
        u"（１）ファイルメニューで「新規レシピファイルの作成」を選び、レシピファイルを作成します。"_s,
        u"（２）レシピデータを追加するときは、画面の右側にレシピデータを入力し追加ボタンを押してください。"_s,
        u"（３）レシピデータを更新するときは、一覧からデータを表示させ、内容を修正し更新ボタンを押してください。"_s,
        QString(),
        helpPageAddress.isEmpty() ? u"その他の説明は、「使いかた」の画面に有ります。"_s
                                  : u"その他の説明は"_s + helpPageAddress + u"を見にきてください"_s,
        QString(),
        helpPageAddress.isEmpty() ? u"使いかたを開きますか？"_s : u"そのページを開きますか？"_s,
    });
}
