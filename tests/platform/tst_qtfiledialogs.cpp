#include "platform/widgets/qtfiledialogs.h"
#include "testsupport.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// The open dialog as the file commands ask for it, answered offscreen.
class TestQtFileDialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensWhereAskedAndReturnsFullPath();
    void cancelGivesEmptyText();
};

void TestQtFileDialogs::opensWhereAskedAndReturnsFullPath()
{
    TempProgramFolder folder;
    folder.write(u"sub/a.csv"_s, "x");
    folder.write(u"sub/b.txt"_s, "x");
    FileDialogRequest request;
    request.title = u"title"_s;
    request.filter = u"CSV (*.csv)|*.csv|text (*.csv;*.txt)|*.csv;*.txt||"_s;
    request.initialFolder = folder.path() + u"sub"_s;
    request.defaultName = u"a.csv"_s;
    request.filterIndex = 2;
    QStringList seen;
    QTimer::singleShot(0, this, [&seen] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        seen << dialog->windowTitle() << dialog->nameFilters() << dialog->selectedNameFilter()
             << dialog->directory().dirName();
        static_cast<QDialog *>(dialog)->accept();
    });
    QtFileDialogs dialogs;
    QCOMPARE(dialogs.chooseFile(request), folder.path() + u"sub/a.csv"_s);
    QCOMPARE(seen, (QStringList{u"title"_s, u"CSV (*.csv)"_s, u"text (*.csv *.txt)"_s,
                                u"text (*.csv *.txt)"_s, u"sub"_s}));
    QCOMPARE(request.flags, FileDialogRequest::defaultFlags);
}

void TestQtFileDialogs::cancelGivesEmptyText()
{
    TempProgramFolder folder;
    folder.write(u"a.csv"_s, "x");
    FileDialogRequest request;
    request.defaultName = folder.path(); // ends in a separator: no name offered
    QString offered = u"unset"_s;
    QTimer::singleShot(0, this, [&offered] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        offered = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s)->text();
        dialog->reject();
    });
    QtFileDialogs dialogs;
    QVERIFY(dialogs.chooseFile(request).isEmpty());
    QCOMPARE(offered, QString());
}

QTEST_MAIN(TestQtFileDialogs)
#include "tst_qtfiledialogs.moc"
