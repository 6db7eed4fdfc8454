#include "calling/frmHallNow.h"

#include "calling/HallNowFollower.h"
#include "calling/HallNowText.h"
#include "core/AppContext.h"
#include "ui/Named.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QColor outlookColour(hallnow::Outlook outlook)
{
    switch (outlook) {
    case hallnow::Outlook::Missed:
        return QColor(0xf6, 0xc6, 0xc2);
    case hallnow::Outlook::Soon:
        return QColor(0xfb, 0xe3, 0xb0);
    case hallnow::Outlook::Kept:
        return QColor(0xcf, 0xec, 0xd2);
    case hallnow::Outlook::None:
        break;
    }
    return QColor();
}

} // namespace

frmHallNow::frmHallNow(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmHallNow"));
    setWindowTitle(tr("Hall now"));
    setAttribute(Qt::WA_DeleteOnClose);
    FG = named(new QTableWidget(this), "FG");
    FG->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FG->setSelectionMode(QAbstractItemView::NoSelection);
    FG->verticalHeader()->hide();
    FG->setColumnCount(int(hallnow::headers().size()));
    FG->setHorizontalHeaderLabels(hallnow::headers());
    FG->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    FG->horizontalHeader()->setStretchLastSection(true);
    FG->setWordWrap(false);
    lblState = named(new QLabel(this), "lblState");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FG);
    layout->addWidget(lblState);
    resize(1180, 320);

    m_follower = new HallNowFollower(ctx.db, ctx.clock, this);
    connect(m_follower, &HallNowFollower::changed, this, &frmHallNow::show);
    connect(m_follower, &HallNowFollower::lost, this, &frmHallNow::showLost);
    m_follower->start();
}

frmHallNow::~frmHallNow() = default;

void frmHallNow::show(const hallnow::Snapshot& snapshot)
{
    const QVector<hallnow::Row> rows = hallnow::rows(snapshot);
    FG->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const hallnow::Row& row = rows.at(r);
        for (int c = 0; c < row.cells.size(); ++c) {
            QTableWidgetItem* item = FG->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                FG->setItem(r, c, item);
            }
            item->setText(row.cells.at(c));
            item->setTextAlignment(c == 0 || c >= 10 ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                                     : int(Qt::AlignRight | Qt::AlignVCenter));
            const QColor colour = outlookColour(row.outlook);
            item->setBackground(c >= 10 && colour.isValid() ? QBrush(colour) : QBrush());
        }
    }
    lblState->setText(tr("As of %1").arg(snapshot.at.time().toString(QStringLiteral("HH:mm:ss"))));
    lblState->setStyleSheet(QString());
}

void frmHallNow::showLost(const QString& description)
{
    lblState->setText(tr("The figures are not current: %1").arg(description));
    lblState->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
}
