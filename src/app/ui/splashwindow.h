#pragma once

#include <QWidget>

class QLabel;

// Shown while the vocabulary file and the recipe list are prepared.
class SplashWindow : public QWidget
{
    Q_OBJECT
public:
    SplashWindow(const QString &versionText, QWidget *mainWindow);

private:
    QLabel *m_version;
};
