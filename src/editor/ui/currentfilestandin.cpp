#include "editor/ui/currentfilestandin.h"

#include "app/appstate.h"
#include "platform/cp932.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "recipe/recipefileformat.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

QString chooseCurrentRecipeFileStandIn(AppState &state)
{
    QString stored =
        state.settings ? state.settings->readSetting(u"QVRECIPE"_s, u"FILE"_s) : QString();
    if (stored.trimmed().isEmpty())
        stored = u"QVRECIPE.csv"_s;
    state.currentRecipeFileName = stored;
    QString path = ProgramFolder::resolve(stored);
    if (!QFileInfo(path).isFile()) {
        state.currentRecipeFileName = u"QVRECIPE.csv"_s;
        path = ProgramFolder::resolve(state.currentRecipeFileName);
        if (!QFileInfo(path).isFile()) {
            QStringList lines = RecipeFileFormat::newFileMetadata;
            lines.append(RecipeFileFormat::RecipeFileHeader);
            lines.append(RecipeFileFormat::sampleRows);
            QList<QByteArray> bytes;
            for (const QString &line : lines)
                bytes.append(Cp932::encodeLossy(line));
            TextFile::writeAtomically(path, TextFile::joinLines(bytes));
        }
    }
    return path;
}
