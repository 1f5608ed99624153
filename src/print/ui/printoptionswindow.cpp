#include "print/ui/printoptionswindow.h"

#include "print/engine/colorcodes.h"
#include "print/printoptionsmodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

PrintOptionsWindow::PrintOptionsWindow(PrintOptionsModel &model, const QStringList &installedFonts,
                                       AlignmentPrint alignmentPrint, QWidget *parent)
    : QDialog(parent), m_model(model), m_alignmentPrint(std::move(alignmentPrint))
{
    setObjectName(u"QVprintO"_s);
    setWindowTitle(u"用紙サイズ設定"_s);
    m_model.load(installedFonts);

    m_paper = combo(u"Cmb_Yousi"_s, m_model.paperCaptions);
    // Only choosing an entry changes the paper, never typing.
    m_paper->installEventFilter(this);
    connect(m_paper, &QComboBox::activated, this, [this](int index) {
        m_model.paperClicked(index);
        showControls();
    });

    const QStringList textNames = {u"Txt_x"_s, u"txt_x_max"_s, u"Txt_y_head"_s, u"Txt_y_data"_s,
                                   u"Txt_Yohaku"_s};
    for (int i = 0; i < 5; ++i)
        m_text[i] = textBox(textNames.at(i));
    for (int i = 0; i < 4; ++i)
        m_align[i] = textBox(u"Txt_align_%1"_s.arg(i));

    const QStringList sampleNames = {QString(), u"Lbl_Head"_s, u"Lbl_naiyo"_s, u"Lbl_komidasi"_s};
    const QStringList sampleTexts = {QString(), u"[表題]"_s, u"内容の文字サイズ"_s,
                                     u"[小見出しの文字サイズ]"_s};
    for (int i = 1; i <= 3; ++i) {
        m_font[i] = combo(u"Cmb_Font_%1"_s.arg(i), m_model.fontNames);
        connect(m_font[i], &QComboBox::activated, this, [this, i](int index) {
            m_model.fontClicked(i, index);
            showControls();
        });
        m_size[i] = combo(u"Cmb_size_%1"_s.arg(i), m_model.sizes);
        m_sample[i] = new QLabel(sampleTexts.at(i), this);
        m_sample[i]->setObjectName(sampleNames.at(i));
        m_sample[i]->setMinimumHeight(36);
    }
    for (int i = 0; i < 5; ++i)
        m_color[i] = combo(u"Cmb_Color_%1"_s.arg(i), m_model.colors);
    QStringList shadingTexts;
    for (const auto &c : m_model.shadings)
        shadingTexts.append(c.text);
    m_shading = combo(u"Cmb_Color_amikake"_s, shadingTexts);
    m_titleType = combo(u"Cmb_TitleType"_s, m_model.titleTypes);
    m_lineType = combo(u"Cmb_linetype"_s, m_model.lineTypes);
    m_daisi = combo(u"cmb_daisi"_s, m_model.daisiPatterns);
    QStringList daisiColorTexts;
    for (const auto &c : m_model.daisiColors)
        daisiColorTexts.append(c.text);
    m_daisiColor = combo(u"Cmb_daisi_Color"_s, daisiColorTexts);

    m_check[0] = checkBox(u"chk_anaake"_s, u"A4の時に穴位置印刷"_s);
    m_check[1] = checkBox(u"Chk_foot_Down"_s, u"用紙下端まで印刷"_s);
    m_check[2] = checkBox(u"Chk_kiritori_color"_s, u"切取線の色を薄く"_s);
    m_check[3] = checkBox(u"chk_hakusi"_s, u"A4余白に白紙用切取線"_s);
    m_check[4] = checkBox(u"Chk_imekana"_s, u"IME漢字自動切替OFF"_s);

    m_shadingSample = new QLabel(u"内容の文字の大きさ"_s, this);
    m_shadingSample->setObjectName(u"Lbl_Data"_s);
    m_shadingSample->setAutoFillBackground(true);
    m_lineSample = new QFrame(this);
    m_lineSample->setObjectName(u"Line_color"_s);
    m_headLineSample = new QFrame(this);
    m_headLineSample->setObjectName(u"Line_head_color"_s);
    for (QFrame *line : {m_lineSample, m_headLineSample}) {
        line->setFixedHeight(3);
        line->setMinimumWidth(60);
        line->setAutoFillBackground(true);
    }

    auto *save = new QPushButton(u"設定内容保管"_s, this);
    save->setObjectName(u"Cmd_settei"_s);
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, [this] { this->save(); });
    auto *align = new QPushButton(u"位置合わせ印刷"_s, this);
    align->setObjectName(u"Cmd_align"_s);
    align->setAutoDefault(false);
    align->setToolTip(u"用紙の外形・切取線・穴位置と目盛りを印刷します。"
                      u"実際のリフィルと重ねて、ずれを下の欄に入力してください。"_s);
    connect(align, &QPushButton::clicked, this, [this] {
        if (m_alignmentPrint)
            m_alignmentPrint(this, m_model.paperFromControls(), m_model.layoutFromControls());
    });

    // Every edit goes to the model at once; the samples follow.
    for (int i = 0; i < 5; ++i)
        connect(m_text[i], &QLineEdit::textEdited, this, [this, i](const QString &text) {
            QString *fields[] = {&m_model.controls.x, &m_model.controls.xMax,
                                 &m_model.controls.yHead, &m_model.controls.yData,
                                 &m_model.controls.yohaku};
            *fields[i] = text;
        });
    for (int i = 0; i < 4; ++i)
        connect(m_align[i], &QLineEdit::textEdited, this,
                [this, i](const QString &text) { m_model.controls.align[i] = text; });
    const auto follow = [this](QComboBox *box, int *field) {
        connect(box, &QComboBox::currentIndexChanged, this, [this, field](int index) {
            *field = index;
            showSamples();
        });
    };
    for (int i = 1; i <= 3; ++i)
        follow(m_size[i], &m_model.controls.size[i]);
    for (int i = 0; i < 5; ++i)
        follow(m_color[i], &m_model.controls.color[i]);
    follow(m_shading, &m_model.controls.shading);
    follow(m_titleType, &m_model.controls.titleType);
    follow(m_lineType, &m_model.controls.lineType);
    follow(m_daisi, &m_model.controls.daisi);
    follow(m_daisiColor, &m_model.controls.daisiColor);
    bool *checks[] = {&m_model.controls.anaake, &m_model.controls.footDown,
                      &m_model.controls.kiritori, &m_model.controls.hakusi,
                      &m_model.controls.imekana};
    for (int i = 0; i < 5; ++i) {
        bool *field = checks[i];
        connect(m_check[i], &QCheckBox::toggled, this, [field](bool on) { *field = on; });
    }

    // Layout
    auto *top = new QVBoxLayout(this);
    top->addWidget(new QLabel(u"使いたい手帳用紙の大きさを選んでください"_s, this));
    auto *paperRow = new QHBoxLayout;
    paperRow->addWidget(new QLabel(u"手帳サイズ"_s, this));
    paperRow->addWidget(m_paper, 1);
    top->addLayout(paperRow);

    auto *detail = new QGroupBox(u"詳細設定"_s, this);
    auto *grid = new QGridLayout(detail);
    const QStringList textLabels = {u"綴じ代の幅"_s, u"用紙幅"_s, u"表題までの高さ"_s,
                                    u"内容までの高さ"_s, u"印刷不能な紙の枠幅"_s};
    int row = 0;
    for (int i = 0; i < 5; ++i) {
        grid->addWidget(new QLabel(textLabels.at(i), detail), row + i / 3, (i % 3) * 2);
        grid->addWidget(m_text[i], row + i / 3, (i % 3) * 2 + 1);
    }
    row += 2;
    for (int i = 1; i <= 3; ++i, ++row) {
        grid->addWidget(m_font[i], row, 0, 1, 2);
        grid->addWidget(m_size[i], row, 2);
        grid->addWidget(m_color[i], row, 3);
        grid->addWidget(m_sample[i], row, 4, 1, 2);
    }
    grid->addWidget(new QLabel(u"メモ帳標準文字サイズ"_s, detail), row++, 0, 1, 3);
    grid->addWidget(new QLabel(u"罫線の色"_s, detail), row, 0);
    grid->addWidget(m_color[0], row, 1);
    grid->addWidget(m_lineSample, row, 2);
    grid->addWidget(new QLabel(u"表題の線の色"_s, detail), row, 3);
    grid->addWidget(m_color[4], row, 4);
    grid->addWidget(m_headLineSample, row++, 5);
    grid->addWidget(new QLabel(u"網掛の色"_s, detail), row, 0);
    grid->addWidget(m_shading, row, 1);
    grid->addWidget(m_shadingSample, row, 2);
    grid->addWidget(new QLabel(u"表題の飾り"_s, detail), row, 3);
    grid->addWidget(m_titleType, row++, 4, 1, 2);
    grid->addWidget(new QLabel(u"点線形式"_s, detail), row, 0);
    grid->addWidget(m_lineType, row, 1);
    grid->addWidget(new QLabel(u"台紙の模様"_s, detail), row, 3);
    grid->addWidget(m_daisi, row, 4);
    grid->addWidget(m_daisiColor, row++, 5);
    for (int i = 0; i < 5; ++i)
        grid->addWidget(m_check[i], row + i / 3, (i % 3) * 2, 1, 2);
    row += 2;
    grid->addWidget(new QLabel(u"注：欲しい色があったら教えてください"_s, detail), row++, 0, 1, 6);
    top->addWidget(detail);

    auto *alignBox = new QGroupBox(u"印刷位置の補正 (0.1mm単位、＋で右・下へ)"_s, this);
    auto *alignGrid = new QGridLayout(alignBox);
    const QStringList alignLabels = {u"表 横"_s, u"表 縦"_s, u"裏 横"_s, u"裏 縦"_s};
    for (int i = 0; i < 4; ++i) {
        alignGrid->addWidget(new QLabel(alignLabels.at(i), alignBox), 0, i * 2);
        alignGrid->addWidget(m_align[i], 0, i * 2 + 1);
    }
    alignGrid->addWidget(align, 0, 8);
    top->addWidget(alignBox);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    top->addLayout(buttons);

    showControls();
}

QComboBox *PrintOptionsWindow::combo(const QString &name, const QStringList &entries)
{
    auto *box = new QComboBox(this);
    box->setObjectName(name);
    box->addItems(entries);
    box->setMaxVisibleItems(20);
    return box;
}

QLineEdit *PrintOptionsWindow::textBox(const QString &name)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(name);
    box->setMaximumWidth(70);
    return box;
}

QCheckBox *PrintOptionsWindow::checkBox(const QString &name, const QString &caption)
{
    auto *box = new QCheckBox(caption, this);
    box->setObjectName(name);
    return box;
}

void PrintOptionsWindow::showControls()
{
    const PrintOptionsModel::Controls &c = m_model.controls;
    QList<QWidget *> all = findChildren<QWidget *>();
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QWidget *w : all)
        blockers.push_back(std::make_unique<QSignalBlocker>(w));

    m_paper->setCurrentIndex(c.paper);
    const QString texts[] = {c.x, c.xMax, c.yHead, c.yData, c.yohaku};
    for (int i = 0; i < 5; ++i)
        m_text[i]->setText(texts[i]);
    for (int i = 0; i < 4; ++i)
        m_align[i]->setText(c.align[i]);
    for (int i = 1; i <= 3; ++i) {
        m_font[i]->setCurrentIndex(c.font[i]);
        m_size[i]->setCurrentIndex(c.size[i]);
    }
    for (int i = 0; i < 5; ++i)
        m_color[i]->setCurrentIndex(c.color[i]);
    // "指定" may have been added for a colour of the user's own.
    while (m_shading->count() < m_model.shadings.size())
        m_shading->addItem(m_model.shadings.at(m_shading->count()).text);
    m_shading->setCurrentIndex(c.shading);
    m_titleType->setCurrentIndex(c.titleType);
    m_lineType->setCurrentIndex(c.lineType);
    m_daisi->setCurrentIndex(c.daisi);
    m_daisiColor->setCurrentIndex(c.daisiColor);
    const bool checks[] = {c.anaake, c.footDown, c.kiritori, c.hakusi, c.imekana};
    for (int i = 0; i < 5; ++i)
        m_check[i]->setChecked(checks[i]);
    blockers.clear();
    showSamples();
}

void PrintOptionsWindow::showSamples()
{
    const PrintOptionsModel::Controls &c = m_model.controls;
    // The cycling colours show their first colour; the print run's cycle stays as it is.
    const auto colorOf = [this](int index) {
        ColorCodes::Cycles cycles;
        return ColorCodes::toQColor(ColorCodes::mapColorCode(std::max(0, index), cycles));
    };
    const int textColor[] = {0, c.color[1], c.color[2], c.color[3]};
    for (int i = 1; i <= 3; ++i) {
        QFont f = m_sample[i]->font();
        if (c.font[i] >= 0)
            f.setFamily(m_model.fontNames.at(c.font[i]));
        if (c.size[i] >= 0)
            f.setPointSizeF(m_model.sizes.at(c.size[i]).trimmed().toDouble());
        m_sample[i]->setFont(f);
        QPalette p = m_sample[i]->palette();
        p.setColor(QPalette::WindowText, colorOf(textColor[i]));
        m_sample[i]->setPalette(p);
    }
    const auto fillLine = [&](QFrame *line, int index) {
        QPalette p = line->palette();
        p.setColor(QPalette::Window, colorOf(index));
        line->setPalette(p);
    };
    fillLine(m_lineSample, c.color[0]);
    fillLine(m_headLineSample, c.color[4]);
    if (c.shading >= 0) {
        QPalette p = m_shadingSample->palette();
        p.setColor(QPalette::Window, ColorCodes::toQColor(m_model.shadings.at(c.shading).value));
        m_shadingSample->setPalette(p);
    }
}

void PrintOptionsWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_showing) {
        m_showing = true;
        m_model.activate();
        showControls();
    }
}

bool PrintOptionsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_paper && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete || !key->text().trimmed().isEmpty())
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PrintOptionsWindow::save()
{
    if (m_model.saveOptions())
        accept();
}
