// The theme editor's window: its fields in framed groups, three columns, the commands below.
#include "display/frmTheme.h"

#include "ui/Named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QWidget* row(std::initializer_list<QWidget*> widgets)
{
    auto* w = new QWidget;
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    for (QWidget* x : widgets)
        h->addWidget(x);
    return w;
}

} // namespace

void frmTheme::arrangeFields()
{
    auto group = [](const QString& title, QFormLayout*& form) {
        auto* g = new QGroupBox(title);
        form = new QFormLayout(g);
        form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
        return g;
    };
    QFormLayout* f = nullptr;
    QGroupBox* gTheme = group(QStringLiteral("Theme"), f);
    f->addRow(QStringLiteral("Name"), txtName);
    f->addRow(QStringLiteral("DisplayType"), cmbType);
    f->addRow(QStringLiteral("Colums"), txtColumn);
    f->addRow(QStringLiteral("Rows"), txtRow);
    f->addRow(QStringLiteral("Column Width"), txtColWidth);
    auto* widthHint = named(new QLabel(QStringLiteral("one per column, separated by \";\" (2500;2500)")),
                            "lblColWidthHint");
    widthHint->setStyleSheet(QStringLiteral("color: #555;"));
    f->addRow(QString(), widthHint);
    f->addRow(QStringLiteral("Row Height"), txtRHeight);
    f->addRow(QStringLiteral("Line Width"), tblLine);
    f->addRow(QString(), chkHeader);
    f->addRow(QStringLiteral("Column1"), Text1);
    f->addRow(QStringLiteral("Column2"), Text2);

    QGroupBox* gTitle = group(QStringLiteral("Title"), f);
    f->addRow(QStringLiteral("Heading"), txtttl);
    f->addRow(QStringLiteral("Font Name"), cmbTtlFont);
    f->addRow(QStringLiteral("Font Size"), cmbTtlSize);
    f->addRow(QStringLiteral("Font Color"), lblttlClr);
    f->addRow(QString(), chkScroll);

    QGroupBox* gColours = group(QStringLiteral("Colors"), f);
    f->addRow(QStringLiteral("BG Color"), lblBGClr);
    f->addRow(QStringLiteral("Line Color"), lblLClr);
    f->addRow(QStringLiteral("Alt Row Color"), lblARClr);
    f->addRow(QStringLiteral("Screen BG"), lblBG);
    f->addRow(QStringLiteral("News BG"), lblNewsBG);

    QGroupBox* gTime = group(QStringLiteral("Time Settings"), f);
    f->addRow(QString(), chktime);
    f->addRow(QStringLiteral("Clock"), row({txtFormat, cmdClock}));
    f->addRow(QStringLiteral("Font Name"), cmbFont);
    f->addRow(QStringLiteral("Font Size"), cmbTSize);
    f->addRow(QStringLiteral("ForeColor"), lblTClr);
    f->addRow(QStringLiteral("Format Time"), txtTformat);
    f->addRow(QString(), lblTimePreview);

    QGroupBox* gHeader = group(QStringLiteral("Header Deatils"), f);
    f->addRow(QStringLiteral("Font"), cmbHFont);
    f->addRow(QStringLiteral("Font Size"), cmbHFSize);
    f->addRow(QStringLiteral("Header BG"), lblHBGClr);
    f->addRow(QStringLiteral("Font Color"), lblHClr);

    QGroupBox* gFirst = group(QStringLiteral("First Column"), f);
    f->addRow(QStringLiteral("Row Font"), cmbRowFont);
    f->addRow(QStringLiteral("Font Size"), cmbRFsize);
    f->addRow(QStringLiteral("Font Color"), lblRFcolor);
    f->addRow(QStringLiteral("Color"), lblRDClr);

    QGroupBox* gSecond = group(QStringLiteral("Second Column"), f);
    f->addRow(QStringLiteral("Font"), cmbVFont);
    f->addRow(QStringLiteral("Font Size"), cmbVFSize);
    f->addRow(QStringLiteral("Font Color"), lblVFColor);
    f->addRow(QStringLiteral("Color"), lblVBGClr);

    QGroupBox* gMedia = group(QStringLiteral("Pictures and Video"), f);
    f->addRow(QStringLiteral("Logo"), row({txtlogo, cmdLogo}));
    f->addRow(QStringLiteral("Background"), row({txtTbkBack, cmdBack}));
    f->addRow(QStringLiteral("Header img"), row({txtImg1, cmdImg1}));
    f->addRow(QStringLiteral("Detail img"), row({txtImg2, cmdImg2}));
    f->addRow(QStringLiteral("Video To Display"), row({txtVideo, cmdVideo}));
    f->addRow(QStringLiteral("Online Video"), txtOnline);
    f->addRow(QString(), chkMovie);
    f->addRow(QStringLiteral("Volume"), txtVol);
    f->addRow(QStringLiteral("Picture Slide Duration"), txtTime);

    auto* columns = new QHBoxLayout;
    auto column = [&](std::initializer_list<QWidget*> groups) {
        auto* v = new QVBoxLayout;
        for (QWidget* g : groups)
            v->addWidget(g);
        v->addStretch(1);
        columns->addLayout(v, 1);
    };
    column({gTheme, gTitle, gColours});
    column({gTime, gHeader, gFirst, gSecond});
    column({gMedia});

    auto* commands = new QHBoxLayout;
    for (QPushButton* b : {cmdPosition, cmdCounter, cmdHeader, cmdScroll})
        commands->addWidget(b);
    commands->addStretch(1);
    commands->addWidget(cmdSave);
    commands->addWidget(cmdClose);

    auto* main = new QVBoxLayout(this);
    main->addLayout(columns);
    main->addLayout(commands);
}
