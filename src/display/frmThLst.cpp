#include "display/frmThLst.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/ScreenRegistry.h"
#include "display/frmTheme.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/Named.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmThLst::frmThLst(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmThLst"));
    setWindowFlags(Qt::Window);
    setWindowTitle(tr("Theme List"));

    FG = named(new Grid(this), "FG");
    FG->setSelectionMode(QAbstractItemView::SingleSelection);
    FG->styleHeader();
    FG->horizontalHeader()->setStretchLastSection(true);

    auto button = [this](const char* name, const QString& caption) {
        auto* b = named(new QPushButton(caption, this), name);
        return b;
    };
    Command1 = button("Command1", tr("&Add New"));
    Command2 = button("Command2", tr("&Edit"));
    Command3 = button("Command3", tr("&Delete"));
    Command4 = button("Command4", tr("&Close"));

    auto* commands = new QHBoxLayout;
    commands->addWidget(Command1);
    commands->addWidget(Command2);
    commands->addWidget(Command3);
    commands->addStretch(1);
    commands->addWidget(Command4);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FG, 1);
    layout->addLayout(commands);

    connect(Command1, &QPushButton::clicked, this, &frmThLst::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmThLst::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmThLst::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &QWidget::close);
    connect(FG, &Grid::dblClick, this, &frmThLst::FG_DblClick);

    resize(720, 420);
    Form_Load();
}

void frmThLst::Form_Load()
{
    openConnection(m_ctx);
    addFG();
}

void frmThLst::setFG()
{
    FG->setRows(1);
    FG->setCols(6);
    const int widths[] = {1, 500, 2000, 2000, 4000, 1000};
    const QStringList captions = {QString(), tr("SN"), tr("Type"), tr("Template Name"), QString(), QString()};
    for (int c = 0; c < 6; ++c) {
        FG->setColWidth(c, widths[c]);
        FG->setText(0, c, captions.at(c));
    }
}

void frmThLst::addFG()
{
    setFG();
    try {
        const ResultSet rs = m_ctx.db.query(QStringLiteral("select * from tbltheme order by themeauto"));
        for (int n = 0; n < rs.size(); ++n) {
            FG->addRow({rs.text(n, QStringLiteral("themeauto")), QString::number(n + 1),
                        rs.text(n, QStringLiteral("type")), rs.text(n, QStringLiteral("themename"))});
        }
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
}

QString frmThLst::selectedKey() const
{
    const int row = FG->row();
    if (row < 1 || row >= FG->rows())
        return QString();
    return FG->text(row, 0);
}

void frmThLst::Command1_Click()
{
    // Only the key is cleared: a new theme starts from what the editor shows.
    if (auto* editor = qobject_cast<frmTheme*>(m_ctx.screens.open(QStringLiteral("frmTheme"))))
        editor->lblRef->clear();
}

void frmThLst::Command2_Click()
{
    const QString key = selectedKey();
    if (key.isEmpty())
        return;
    if (auto* editor = qobject_cast<frmTheme*>(m_ctx.screens.open(QStringLiteral("frmTheme")))) {
        editor->lblRef->setText(key);
        editor->getData();
    }
}

void frmThLst::Command3_Click()
{
    const QString key = selectedKey();
    if (key.isEmpty())
        return;
    if (!m_ctx.dialogs.askYesNo(tr("Do you want to delete the selected "), Dialogs::Icon::Question, {}, this))
        return;
    try {
        m_ctx.db.exec(QStringLiteral("delete from tbltheme where themeauto=?"), {key.toLongLong()});
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
    addFG();
}
