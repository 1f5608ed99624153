#pragma once

#include "platform/documentstarter.h"

// Starts documents with the desktop's own programs.
class DesktopDocumentStarter : public DocumentStarter
{
protected:
    void startProgram(const QString &program, const QStringList &args) override;
    void openUrl(const QUrl &url) override;
};
