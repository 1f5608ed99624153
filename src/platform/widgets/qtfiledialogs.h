#pragma once

#include "platform/filedialogs.h"

#include <QPointer>
#include <QWidget>

// The open and save dialogs on Qt.
class QtFileDialogs : public FileDialogs
{
public:
    explicit QtFileDialogs(QWidget *parent = nullptr) : m_parent(parent) {}
    QString chooseFile(FileDialogRequest &request) override;

private:
    QPointer<QWidget> m_parent;
};
