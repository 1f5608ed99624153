#include "platform/widgets/qtfiledialogs.h"

#include "platform/programfolder.h"

#include <QDir>
#include <QFileDialog>

using namespace Qt::StringLiterals;

QString QtFileDialogs::chooseFile(FileDialogRequest &request)
{
    const unsigned flags = request.effectiveFlags();
    QFileDialog dialog(m_parent, request.title);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!request.save && (flags & FileDialogRequest::fileMustExist)
                           ? QFileDialog::ExistingFile
                           : QFileDialog::AnyFile);
    QString folder = ProgramFolder::toQtSeparators(request.initialFolder);
    if (folder.isEmpty())
        folder = QDir::currentPath();
    dialog.setDirectory(ProgramFolder::resolve(folder));
    const QStringList filters = FileDialogs::nameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(request.filterIndex - 1));
    if (!request.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(request.defaultExtension);
    if (const QString name = request.effectiveDefaultName(); !name.isEmpty())
        dialog.selectFile(ProgramFolder::toQtSeparators(name));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    request.flags = flags;
    request.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return QDir::cleanPath(dialog.selectedFiles().constFirst());
}
