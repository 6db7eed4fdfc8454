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
    QGroupBox* gTheme = group(tr("Theme"), f);
    f->addRow(tr("Name"), txtName);
    f->addRow(tr("DisplayType"), cmbType);
    f->addRow(tr("Colums"), txtColumn);
    f->addRow(tr("Rows"), txtRow);
    f->addRow(tr("Column Width"), txtColWidth);
    auto* widthHint =
        named(new QLabel(tr("one per column, separated by \";\" (2500;2500)")), "lblColWidthHint");
    widthHint->setStyleSheet(QStringLiteral("color: #555;"));
    f->addRow(QString(), widthHint);
    f->addRow(tr("Row Height"), txtRHeight);
    f->addRow(tr("Line Width"), tblLine);
    f->addRow(QString(), chkHeader);
    f->addRow(tr("Column1"), Text1);
    f->addRow(tr("Column2"), Text2);

    QGroupBox* gTitle = group(tr("Title"), f);
    f->addRow(tr("Heading"), txtttl);
    f->addRow(tr("Font Name"), cmbTtlFont);
    f->addRow(tr("Font Size"), cmbTtlSize);
    f->addRow(tr("Font Color"), lblttlClr);
    f->addRow(QString(), chkScroll);

    QGroupBox* gColours = group(tr("Colors"), f);
    f->addRow(tr("BG Color"), lblBGClr);
    f->addRow(tr("Line Color"), lblLClr);
    f->addRow(tr("Alt Row Color"), lblARClr);
    f->addRow(tr("Screen BG"), lblBG);
    f->addRow(tr("News BG"), lblNewsBG);

    QGroupBox* gTime = group(tr("Time Settings"), f);
    f->addRow(QString(), chktime);
    f->addRow(tr("Clock"), row({txtFormat, cmdClock}));
    f->addRow(tr("Font Name"), cmbFont);
    f->addRow(tr("Font Size"), cmbTSize);
    f->addRow(tr("ForeColor"), lblTClr);
    f->addRow(tr("Format Time"), txtTformat);
    f->addRow(QString(), lblTimePreview);

    QGroupBox* gHeader = group(tr("Header Deatils"), f);
    f->addRow(tr("Font"), cmbHFont);
    f->addRow(tr("Font Size"), cmbHFSize);
    f->addRow(tr("Header BG"), lblHBGClr);
    f->addRow(tr("Font Color"), lblHClr);

    QGroupBox* gFirst = group(tr("First Column"), f);
    f->addRow(tr("Row Font"), cmbRowFont);
    f->addRow(tr("Font Size"), cmbRFsize);
    f->addRow(tr("Font Color"), lblRFcolor);
    f->addRow(tr("Color"), lblRDClr);

    QGroupBox* gSecond = group(tr("Second Column"), f);
    f->addRow(tr("Font"), cmbVFont);
    f->addRow(tr("Font Size"), cmbVFSize);
    f->addRow(tr("Font Color"), lblVFColor);
    f->addRow(tr("Color"), lblVBGClr);

    QGroupBox* gMedia = group(tr("Pictures and Video"), f);
    f->addRow(tr("Logo"), row({txtlogo, cmdLogo}));
    f->addRow(tr("Background"), row({txtTbkBack, cmdBack}));
    f->addRow(tr("Header img"), row({txtImg1, cmdImg1}));
    f->addRow(tr("Detail img"), row({txtImg2, cmdImg2}));
    f->addRow(tr("Video To Display"), row({txtVideo, cmdVideo}));
    f->addRow(tr("Online Video"), txtOnline);
    f->addRow(QString(), chkMovie);
    f->addRow(tr("Volume"), txtVol);
    f->addRow(tr("Picture Slide Duration"), txtTime);

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
