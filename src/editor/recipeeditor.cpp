#include "editor/recipeeditor.h"

#include "editor/fastrowsplitter.h"
#include "editor/recipepicture.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/programfolder.h"
#include "platform/prompts.h"
#include "platform/textfile.h"
#include "recipe/recipefilelayout.h"
#include "recipe/recipefilereader.h"
#include "recipe/recipefilerewrite.h"
#include "recipe/recordcodec.h"
#include "recipe/texthelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include <memory>

using namespace Qt::StringLiterals;

const QString RecipeEditor::selectFromListMessage = u"一覧から選択してください"_s;
const QString RecipeEditor::staleRowMessage =
    u"一覧を作った後で、レシピファイルがほかのプログラムによって変更されています。\r\n"
    u"一覧を読み直しますので、レシピを選び直してください。"_s;

namespace {

using Icon = Prompts::Icon;
using Buttons = Prompts::Buttons;
using Answer = Prompts::Answer;

size_t identityOf(const QByteArray &raw)
{
    return RecipeFileLayout::rowIdentity(raw);
}

} // namespace

RecipeEditor::RecipeEditor(Prompts &prompts, const Clock &clock, RecipeForm &form)
    : m_prompts(prompts), m_clock(clock), m_form(form),
      m_workFile(ProgramFolder::path() + QString::fromUtf16(RecipeFileRewrite::workFileName))
{}

void RecipeEditor::setRecipeFile(const QString &path)
{
    if (path == m_recipeFile)
        return;
    m_recipeFile = path;
    clear();
}

void RecipeEditor::refuseStale()
{
    m_prompts.message(staleRowMessage, Icon::Exclamation);
    m_listStale = true;
}

bool RecipeEditor::readable(const RecipeFileReader &file)
{
    if (file.ok())
        return true;
    m_prompts.message(RecipeFileRewrite::readRefusal(m_recipeFile, file.errorText()),
                      Icon::Exclamation);
    return false;
}

void RecipeEditor::notifyPicture(const QString &path)
{
    if (showPicture)
        showPicture(path);
}

bool RecipeEditor::run(int index, int selectedRecordNo, const QString &entryText,
                       std::optional<size_t> listRow)
{
    switch (index) {
    case 0:
        return show(selectedRecordNo, listRow);
    case 1:
        return add();
    case 2:
        return update();
    case 3:
        if (!listRow) {
            m_prompts.message(selectFromListMessage, Icon::Exclamation);
            return false;
        }
        return remove(selectedRecordNo, entryText, *listRow);
    case 4:
        clear();
        return false;
    default:
        return false;
    }
}

bool RecipeEditor::show(int selectedRecordNo, std::optional<size_t> listRow)
{
    if (selectedRecordNo < 0) {
        m_prompts.message(selectFromListMessage, Icon::Exclamation);
        return false;
    }
    const RecipeFileReader file(m_recipeFile);
    if (!readable(file))
        return false;
    const std::optional<QByteArray> raw =
        listRow ? RecipeFileLayout::sameRow(file.lines(), selectedRecordNo, *listRow)
                : RecipeFileLayout::row(file.lines(), selectedRecordNo);
    if (!raw) {
        // The file changed under the list; showing nothing beats showing another row.
        refuseStale();
        return false;
    }
    dropPendingPicture();
    RecipeRecord record = RecordCodec::splitRecordLine(Cp932::decode(*raw));
    if (normalizeRow)
        normalizeRow(record);
    m_form.showRecord(record);
    m_form.shownRecordNo = selectedRecordNo;
    m_shownFile = m_recipeFile;
    m_shownRow = identityOf(*raw);
    notifyPicture(RecipePicture::findImageFile(m_recipeFile, record.field(RecipeRecord::Picture)));
    return true;
}

bool RecipeEditor::checkName()
{
    if (TextHelpers::trimBlanks(m_form.Txt_key1).isEmpty()) {
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
    if (m_form.shownRecordNo < 0 || !m_shownRow || m_shownFile != m_recipeFile) {
        m_prompts.message(selectFromListMessage, Icon::Exclamation);
        return false;
    }
    const QString question =
        u"「"_s + TextHelpers::trimBlanks(m_form.Txt_key1) + u"」を更新します"_s;
    if (m_prompts.message(question, Icon::Exclamation, Buttons::OkCancel, Answer::Ok) != Answer::Ok)
        return false;
    return insert(true);
}

bool RecipeEditor::insert(bool replacingShown)
{
    // A pasted picture is written only with the row: its name goes into the
    // row first, its file is completed once the row is in the file.
    const QString nameBefore = m_form.txt_yobi[2];
    QString picturePath;
    if (m_form.imagePending) {
        picturePath = pastedPicturePath();
        if (picturePath.isEmpty())
            return false;
    }
    RecipeRecord record = m_form.toRecord(m_clock);
    QByteArray newRow;
    QString error;
    if (!RecipeFileRewrite::encodeRow(
            record, qMax<int>(RecipeRecord::definedFields, record.lastNonEmptyField()), &newRow,
            &error)) {
        m_form.txt_yobi[2] = nameBefore;
        m_prompts.message(error, Icon::Exclamation);
        return false;
    }
    std::unique_ptr<QSaveFile> picture;
    if (!picturePath.isEmpty()) {
        picture = std::make_unique<QSaveFile>(picturePath);
        QImageWriter writer(picture.get(), "bmp");
        if (!picture->open(QIODevice::WriteOnly) || !writer.write(m_pendingImage) ||
            !picture->flush()) {
            const QString why = writer.error() != QImageWriter::UnknownError
                                    ? writer.errorString()
                                    : picture->errorString();
            m_form.txt_yobi[2] = nameBefore;
            m_prompts.message(u"画像ファイル[%1]を保存できませんでした。\r\n%2\r\n"
                              u"レシピも画像も変更していません。"_s.arg(
                                  QDir::toNativeSeparators(picturePath), why),
                              Icon::Exclamation);
            return false;
        }
    }
    const QString newKey = RecordCodec::sortKey(record);
    const int removeNo = replacingShown ? m_form.shownRecordNo : -1;
    int newRecordNo = -1;
    bool stale = false;
    RecipeRecord old;
    Cp932::Decoder decoder;

    // Removing the old row and inserting the new one is one rewrite, so a
    // failure can never lose the recipe between the two steps.
    const auto transform = [&](const QList<QByteArray> &oldLines, QList<QByteArray> &out,
                               QString *transformError) {
        if (removeNo >= 0 && !RecipeFileLayout::sameRow(oldLines, removeNo, *m_shownRow)) {
            *transformError = staleRowMessage;
            stale = true;
            return false;
        }
        int written = 1; // record numbers written so far (the header is 1)
        RecipeFileRewrite::copyWithHeader(
            oldLines, out, [&](int recordNo, const QByteArray &raw, QList<QByteArray> &lines) {
                if (recordNo == removeNo)
                    return;
                if (newRecordNo < 0) {
                    // The sort key is made of the first three fields.
                    const QStringList f = RecordCodec::selectedFields(raw,
                                                                      {RecipeRecord::MainCategory,
                                                                       RecipeRecord::MainIngredient,
                                                                       RecipeRecord::DishName},
                                                                      decoder);
                    for (int n = 1; n <= RecipeRecord::DishName; ++n)
                        old.setField(n, f.at(n - 1));
                    if (RecordCodec::sortKey(old) > newKey) {
                        lines.append(newRow);
                        newRecordNo = ++written;
                    }
                }
                lines.append(raw);
                ++written;
            });
        if (newRecordNo < 0) {
            out.append(newRow);
            newRecordNo = written + 1;
        }
        return true;
    };
    const RecipeFileRewrite::Result result =
        RecipeFileRewrite::rewrite(m_recipeFile, m_workFile, transform);
    if (!result.ok) {
        m_form.txt_yobi[2] = nameBefore; // the picture file is never completed
        m_prompts.message(result.error, Icon::Exclamation);
        m_listStale = stale;
        return false;
    }
    if (!result.warning.isEmpty())
        m_prompts.message(result.warning, Icon::Exclamation);
    m_form.shownRecordNo = newRecordNo;
    m_shownFile = m_recipeFile;
    m_shownRow = identityOf(newRow);
    if (picture) {
        dropPendingPicture();
        if (!picture->commit()) {
            m_prompts.message(
                u"レシピは保存しましたが、画像ファイル[%1]は保存できませんでした。\r\n"
                u"%2"_s.arg(QDir::toNativeSeparators(picturePath), picture->errorString()),
                Icon::Exclamation);
            return true;
        }
        notifyPicture(picturePath);
    }
    return true;
}

bool RecipeEditor::remove(int selectedRecordNo, const QString &entryText, size_t listRow)
{
    if (selectedRecordNo < 0) {
        m_prompts.message(selectFromListMessage, Icon::Exclamation);
        return false;
    }
    // Checked first, so that both questions concern the row that would go.
    const RecipeFileReader file(m_recipeFile);
    if (!readable(file))
        return false;
    const std::optional<QByteArray> raw =
        RecipeFileLayout::sameRow(file.lines(), selectedRecordNo, listRow);
    if (!raw) {
        refuseStale();
        return false;
    }
    if (m_prompts.message(u"「"_s + entryText + u"」を削除します"_s, Icon::Exclamation,
                          Buttons::OkCancel, Answer::Cancel) != Answer::Ok)
        return false;
    m_form.shownRecordNo = selectedRecordNo;
    clearPicture();

    // The picture asked about is the deleted row's own, not whatever the
    // entry fields happen to show.
    const QString imageName =
        RecordCodec::splitRecordLine(Cp932::decode(*raw)).field(RecipeRecord::Picture);
    QString imageToDelete;
    if (const QString path = RecipePicture::pictureNamePath(m_recipeFile, imageName);
        !path.isEmpty() && QFileInfo(path).isFile()) {
        const QString question =
            u"画像ファイル["_s + QDir::toNativeSeparators(path) + u"]を削除しますか"_s;
        if (m_prompts.message(question, Icon::None, Buttons::YesNo, Answer::No) == Answer::Yes)
            imageToDelete = path;
    }

    bool stale = false;
    const auto transform = [&](const QList<QByteArray> &oldLines, QList<QByteArray> &out,
                               QString *transformError) {
        if (!RecipeFileLayout::sameRow(oldLines, selectedRecordNo, listRow)) {
            *transformError = staleRowMessage;
            stale = true;
            return false;
        }
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
    m_shownRow.reset();
    if (!result.ok) {
        m_prompts.message(result.error, Icon::Exclamation);
        m_listStale = stale;
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
    m_shownRow.reset();
}

std::optional<RecipeRecord> RecipeEditor::shownRecordFromFile(QString *refusal)
{
    if (m_form.shownRecordNo < 0 || !m_shownRow || m_shownFile != m_recipeFile)
        return std::nullopt;
    const RecipeFileReader file(m_recipeFile);
    if (!file.ok()) {
        if (refusal)
            *refusal = RecipeFileRewrite::readRefusal(m_recipeFile, file.errorText());
        return std::nullopt;
    }
    const std::optional<QByteArray> raw =
        RecipeFileLayout::sameRow(file.lines(), m_form.shownRecordNo, *m_shownRow);
    if (!raw) {
        if (refusal)
            *refusal = staleRowMessage;
        m_listStale = true;
        return std::nullopt;
    }
    RecipeRecord record = RecordCodec::splitRecordLine(Cp932::decode(*raw));
    if (normalizeRow)
        normalizeRow(record);
    return record;
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
    const QString nameBefore = m_form.txt_yobi[2];
    m_form.txt_yobi[2] = name;
    m_pendingImage = clipboardImage;
    m_form.imagePending = true;
    if (update())
        return true;
    // Cancelled or refused: nothing of the paste stays behind to be written
    // later, perhaps with another recipe.
    dropPendingPicture();
    m_form.txt_yobi[2] = nameBefore;
    return false;
}

void RecipeEditor::dropPendingPicture()
{
    m_form.imagePending = false;
    m_pendingImage = QImage();
}

QString RecipeEditor::pastedPicturePath()
{
    QString name = m_form.txt_yobi[2].trimmed();
    if (name.isEmpty())
        name = RecipePicture::nextNumberedName(TextHelpers::folderPart(m_recipeFile));
    const QString path = RecipePicture::pictureNamePath(m_recipeFile, name);
    if (path.isEmpty() || m_pendingImage.isNull()) {
        m_prompts.message(u"保管する画像ファイルが見つかりません"_s, Icon::Exclamation);
        return {};
    }
    const QString shownPath = QDir::toNativeSeparators(path);
    if (QFileInfo::exists(path)) {
        // Only a bitmap is ever replaced by a pasted picture, and only when
        // the user says so: a photo of theirs must not become a BMP.
        QImageReader existing(path);
        existing.setDecideFormatFromContent(true);
        if (!name.endsWith(u".bmp"_s, Qt::CaseInsensitive) || existing.format() != "bmp") {
            m_prompts.message(
                u"画像ファイル[%1]はBMP形式の画像ではないため、"
                u"貼り付けた画像で上書きしません。\r\n"
                u"添付の画像名を変えてから、もう一度貼り付けてください。"_s.arg(shownPath),
                Icon::Exclamation);
            return {};
        }
        const QString question =
            u"画像ファイル[%1]は既にあります。\r\n貼り付けた画像で置き換えますか"_s.arg(shownPath);
        if (m_prompts.message(question, Icon::Exclamation, Buttons::YesNo, Answer::No) !=
            Answer::Yes)
            return {};
    }
    m_form.txt_yobi[2] = name;
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
    dropPendingPicture();
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
    dropPendingPicture();
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
