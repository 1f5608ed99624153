#pragma once

#include <QStringList>
#include <QWidget>

// A drawn strip of tabs whose captions are the comma-separated text of its
// "tag" property. Pressing a tab, or the arrow keys while the strip has the
// focus, selects it (tabs counted from 1).
class TabStrip : public QWidget
{
    Q_OBJECT
public:
    explicit TabStrip(QWidget *parent = nullptr);

    void setTag(const QString &tag);
    QString tag() const;
    QStringList captions() const;
    int selectedTab() const { return m_selected; }
    // Selects tab k (1-based) and redraws.
    void selectTab(int k);
    // The tab under x; every tab is (width / n) wide, integer part.
    int tabAt(int x) const;
    QSize sizeHint() const override;

Q_SIGNALS:
    void tabPressed(int k);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_selected = 1;
};
