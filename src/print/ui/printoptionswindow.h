#pragma once

#include <QDialog>

#include <array>
#include <functional>

class PrintOptionsModel;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
struct PageLayout;

// The print options window (QVprintO): paper format and the layout of that
// format. The logic is the model's; this window shows its controls, hands
// the user's edits back and shows the samples.
class PrintOptionsWindow : public QDialog
{
    Q_OBJECT
public:
    // alignmentPrint runs the alignment sheet for a paper and a layout.
    using AlignmentPrint = std::function<void(QWidget *window, int paper, const PageLayout &)>;

    PrintOptionsWindow(PrintOptionsModel &model, const QStringList &installedFonts,
                       AlignmentPrint alignmentPrint, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QComboBox *combo(const QString &name, const QStringList &entries);
    QLineEdit *textBox(const QString &name);
    QCheckBox *checkBox(const QString &name, const QString &caption);
    // Model to widgets, without their change signals.
    void showControls();
    void showSamples();
    void save();

    PrintOptionsModel &m_model;
    AlignmentPrint m_alignmentPrint;
    bool m_showing = false;

    QComboBox *m_paper = nullptr;
    std::array<QLineEdit *, 5> m_text{}; // x, xMax, yHead, yData, yohaku
    std::array<QLineEdit *, 4> m_align{};
    std::array<QComboBox *, 4> m_font{};
    std::array<QComboBox *, 4> m_size{};
    std::array<QComboBox *, 5> m_color{};
    QComboBox *m_shading = nullptr;
    QComboBox *m_titleType = nullptr;
    QComboBox *m_lineType = nullptr;
    QComboBox *m_daisi = nullptr;
    QComboBox *m_daisiColor = nullptr;
    std::array<QCheckBox *, 5> m_check{}; // anaake, footDown, kiritori, hakusi, imekana
    std::array<QLabel *, 4> m_sample{};   // Lbl_Head, Lbl_naiyo, Lbl_komidasi (1..3)
    QLabel *m_shadingSample = nullptr;    // Lbl_Data
    QFrame *m_lineSample = nullptr;       // Line_color
    QFrame *m_headLineSample = nullptr;   // Line_head_color
};
