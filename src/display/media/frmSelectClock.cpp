#include "display/media/frmSelectClock.h"

#include "display/media/ClockFace.h"
#include "ui/Named.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmSelectClock::frmSelectClock(const QString& installDir, const Clock& clock, QLineEdit* clockField,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), m_folder(QDir(installDir).filePath(QStringLiteral("files/clock"))),
      m_field(clockField)
{
    setObjectName(QStringLiteral("frmSelectClock"));
    setWindowTitle(tr("Select Clock"));
    setAttribute(Qt::WA_DeleteOnClose);

    lstClock = named(new QListWidget, "lstClock");
    lstClock->addItems(faces(m_folder));
    Flash1 = named(new ClockFace(clock), "Flash1");
    Flash1->setMinimumSize(260, 260);
    cmdSelect = named(new QPushButton(tr("Select")), "cmdSelect");
    cmdSelect->setEnabled(false);

    auto* right = new QVBoxLayout;
    right->addWidget(Flash1, 1);
    right->addWidget(cmdSelect, 0, Qt::AlignRight);
    auto* main = new QHBoxLayout(this);
    main->addWidget(lstClock, 1);
    main->addLayout(right, 2);
    resize(620, 340);

    connect(lstClock, &QListWidget::currentRowChanged, this, &frmSelectClock::preview);
    connect(lstClock, &QListWidget::itemDoubleClicked, this, &frmSelectClock::select);
    connect(cmdSelect, &QPushButton::clicked, this, &frmSelectClock::select);

    // The field's face is the one shown first.
    const QString current = m_field ? m_field->text() : QString();
    const QList<QListWidgetItem*> found = lstClock->findItems(current, Qt::MatchFixedString);
    lstClock->setCurrentRow(found.isEmpty() ? (lstClock->count() > 0 ? 0 : -1)
                                            : lstClock->row(found.first()));
    preview();
}

QStringList frmSelectClock::faces(const QString& folder)
{
    QStringList out;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        if (ClockFace::canShow(dir.filePath(name)))
            out.append(name);
    }
    return out;
}

void frmSelectClock::preview()
{
    QListWidgetItem* item = lstClock->currentItem();
    cmdSelect->setEnabled(item != nullptr);
    Flash1->setVisible(item != nullptr);
    if (item)
        Flash1->setFile(QDir(m_folder).filePath(item->text()), QString());
}

void frmSelectClock::select()
{
    QListWidgetItem* item = lstClock->currentItem();
    if (!item)
        return;
    if (m_field)
        m_field->setText(item->text());
    close();
}
