#include "maintenance/frmBackup.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "maintenance/BackupFiles.h"
#include "maintenance/Maintenance.h"
#include "maintenance/RestoreMessages.h"
#include "maintenance/ServerBackup.h"
#include "reports/ReportLoader.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmBackup::frmBackup(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmBackup"));
    setWindowTitle(tr("Backup & Restore"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* restoreFrame = named(new QGroupBox(tr("Restore"), this), "fraRestore");
    auto* restoreGrid = new QGridLayout(restoreFrame);
    Text1 = named(new QLineEdit(restoreFrame), "Text1");
    cmdRestoreBrowse = named(new QPushButton(QStringLiteral("--"), restoreFrame), "cmdRestoreBrowse");
    cmdRestore = named(new QPushButton(tr("Restore"), restoreFrame), "cmdRestore");
    restoreGrid->addWidget(new QLabel(tr("Restore From"), restoreFrame), 0, 0);
    restoreGrid->addWidget(Text1, 0, 1);
    restoreGrid->addWidget(cmdRestoreBrowse, 0, 2);
    restoreGrid->addWidget(cmdRestore, 1, 2);
    restoreGrid->setColumnStretch(1, 1);

    auto* backupFrame = named(new QGroupBox(tr("Backup"), this), "fraBackup");
    auto* backupGrid = new QGridLayout(backupFrame);
    Text2 = named(new QLineEdit(backupFrame), "Text2");
    cmdBackupBrowse = named(new QPushButton(QStringLiteral("--"), backupFrame), "cmdBackupBrowse");
    cmdBackup = named(new QPushButton(tr("Backup"), backupFrame), "cmdBackup");
    backupGrid->addWidget(new QLabel(tr("Backup To"), backupFrame), 0, 0);
    backupGrid->addWidget(Text2, 0, 1);
    backupGrid->addWidget(cmdBackupBrowse, 0, 2);
    backupGrid->addWidget(cmdBackup, 1, 2);
    backupGrid->setColumnStretch(1, 1);

    for (QPushButton* browse : {cmdRestoreBrowse, cmdBackupBrowse})
        browse->setFixedWidth(36);

    cmdClose = named(new QPushButton(tr("&Close"), this), "cmdClose");
    // Shown while the server's tools go through the tables.
    prgWork = named(new QProgressBar(this), "prgWork");
    prgWork->setFormat(tr("%v of %m tables"));
    prgWork->setVisible(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(prgWork, 1);
    buttons->addStretch();
    buttons->addWidget(cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(restoreFrame);
    layout->addWidget(backupFrame);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(520, 260);

    connect(cmdRestoreBrowse, &QPushButton::clicked, this, &frmBackup::cmdRestoreBrowse_Click);
    connect(cmdBackupBrowse, &QPushButton::clicked, this, &frmBackup::cmdBackupBrowse_Click);
    connect(cmdRestore, &QPushButton::clicked, this, &frmBackup::cmdRestore_Click);
    connect(cmdBackup, &QPushButton::clicked, this, &frmBackup::cmdBackup_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    Form_Load();
}

void frmBackup::Form_Load()
{
    m_databasePath = maintenance::databaseFile(m_ctx);
    if (maintenance::onServer(m_ctx))
        Text1->setToolTip(tr("A backup made here of the server's database (data.dump)"));
    // A folder of its own is offered; a backup there also leaves data.mdb (or data.dump) to restore.
    Text2->setText(QDir::toNativeSeparators(backupfiles::defaultFolder()));
    const QString latest = maintenance::onServer(m_ctx)
                               ? serverbackup::backupFileIn(backupfiles::defaultFolder())
                               : maintenance::backupFileIn(backupfiles::defaultFolder());
    if (QFileInfo::exists(latest))
        Text1->setText(QDir::toNativeSeparators(latest));
}

QString frmBackup::restoreFilter() const
{
    return maintenance::onServer(m_ctx) ? tr("Server database backups (*.dump);;All files (*)")
                                        : tr("Database backups (*.mdb);;All files (*)");
}

bool frmBackup::refuseWithoutDatabase()
{
    if (maintenance::onServer(m_ctx) || !m_databasePath.isEmpty())
        return false;
    m_ctx.dialogs.message(tr("No database is open, so there is nothing to back up or restore."),
                          Dialogs::Buttons::Ok, Dialogs::Icon::Warning, windowTitle(), this);
    return true;
}

serverbackup::Progress frmBackup::showProgress()
{
    return [this](int done, int total) {
        prgWork->setRange(0, total);
        prgWork->setValue(done);
        prgWork->setVisible(true);
        // Keep the window painted while the tools run; clicks wait until they are done.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

void frmBackup::setWorking(bool working)
{
    for (QWidget* w :
         std::initializer_list<QWidget*>{cmdRestore, cmdBackup, cmdRestoreBrowse, cmdBackupBrowse, cmdClose})
        w->setEnabled(!working);
    if (!working)
        prgWork->setVisible(false);
}

void frmBackup::cmdRestoreBrowse_Click()
{
    // Opens where the backups go, on the kind of backup this database's store makes.
    QString dir = QFileInfo(Text1->text().trimmed()).absolutePath();
    if (Text1->text().trimmed().isEmpty() || !QFileInfo(dir).isDir())
        dir = Text2->text().trimmed();
    const QString file = m_ctx.dialogs.openFileName(tr("Restore From"), restoreFilter(), dir, this);
    if (!file.isEmpty())
        Text1->setText(file);
}

void frmBackup::cmdBackupBrowse_Click()
{
    QString folder =
        m_ctx.dialogs.folder(tr("Click on a directory to Backup "), Text2->text().trimmed(), this);
    const int zero = folder.indexOf(QChar(0));
    if (zero >= 0)
        folder.truncate(zero);
    if (!folder.isEmpty())
        Text2->setText(folder);
}

void frmBackup::cmdBackup_Click()
{
    if (refuseWithoutDatabase())
        return;
    if (!m_ctx.dialogs.askYesNo(tr("Do you want to backup"), Dialogs::Icon::Question, {}, this))
        return;
    const QString folder = Text2->text().trimmed();
    if (folder.isEmpty()) {
        m_ctx.dialogs.message(tr("Choose the folder to backup to"), Dialogs::Buttons::Ok,
                              Dialogs::Icon::Information, {}, this);
        return;
    }
    // The backup must never land on the database file itself.
    if (maintenance::sameFile(folder, m_databasePath) ||
        maintenance::sameFile(maintenance::backupFileIn(folder), m_databasePath)) {
        m_ctx.dialogs.message(tr("Select a different folder "), Dialogs::Buttons::Ok, Dialogs::Icon::None, {},
                              this);
        return;
    }
    // The offered folder is made when it is not there yet.
    if (!QDir().mkpath(folder)) {
        m_ctx.dialogs.message(tr("The folder \"%1\" cannot be made").arg(folder), Dialogs::Buttons::Ok,
                              Dialogs::Icon::Critical, {}, this);
        return;
    }
    openConnection(m_ctx);
    QString error;
    QString written;
    if (maintenance::onServer(m_ctx)) {
        setWorking(true);
        try {
            error = serverbackup::backup(m_ctx.db, folder, showProgress(), &written);
        } catch (const DbError& e) {
            error = e.description();
        }
        setWorking(false);
    } else {
        error = maintenance::backupDatabase(m_ctx.db, folder, &written);
    }
    if (error.isEmpty())
        m_ctx.dialogs.message(backupDoneText(written), Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
    else
        m_ctx.dialogs.message(error, Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
}

void frmBackup::cmdRestore_Click()
{
    if (refuseWithoutDatabase())
        return;
    const QString source = Text1->text().trimmed();
    if (source.isEmpty()) {
        m_ctx.dialogs.message(tr("Choose the file to restore from"), Dialogs::Buttons::Ok,
                              Dialogs::Icon::Information, {}, this);
        return;
    }
    if (maintenance::sameFile(source, m_databasePath)) {
        m_ctx.dialogs.message(tr("Source file should not be same"), Dialogs::Buttons::Ok, Dialogs::Icon::None,
                              {}, this);
        return;
    }
    // Asked with what is about to go: everything since the backup, the tokens issued since counted.
    openConnection(m_ctx);
    const QDateTime made = maintenance::backupMadeAt(source);
    const std::optional<QString> answer = m_ctx.dialogs.inputBox(
        maintenance::restoreQuestion(source, made, maintenance::tokensIssuedSince(m_ctx.db, made)),
        windowTitle(), QString(), this);
    if (!answer || answer->toUpper() != QLatin1String("YES"))
        return;
    RestoreDbase(source, m_databasePath);
}

QString frmBackup::backupDoneText(const QString& file)
{
    const QString latest = QFileInfo(file).dir().filePath(QFileInfo(file).suffix() == QLatin1String("dump")
                                                              ? QStringLiteral("data.dump")
                                                              : QStringLiteral("data.mdb"));
    return tr("Backup Completed Successfully \n%1\n(also kept as %2, the newest backup)")
        .arg(QDir::toNativeSeparators(file), QDir::toNativeSeparators(latest));
}

void frmBackup::RestoreDbase(const QString& source, const QString& target)
{
    if (source.isEmpty())
        return;
    // This workstation's own report and clearing windows give their connections back first, so that
    // they do not count as another workstation using the database.
    ReportLoader::releaseAllConnections();
    try {
        QString error;
        QString kept;
        if (maintenance::onServer(m_ctx)) {
            openConnection(m_ctx);
            setWorking(true);
            error = serverbackup::restore(m_ctx.db, source, showProgress(), &kept);
            setWorking(false);
        } else {
            m_ctx.db.close();
            error = maintenance::restoreDatabase(source, target);
            kept = maintenance::keptBeforeRestore(target);
        }
        // Whatever happened, the program works on with the database file now in place.
        openConnection(m_ctx);
        if (!error.isEmpty()) {
            m_ctx.dialogs.message(error, Dialogs::Buttons::Ok, Dialogs::Icon::Warning, QStringLiteral(" "),
                                  this);
            return;
        }
        const QString done = QFileInfo::exists(kept)
                                 ? tr("Restore Complete!\nThe database it replaced is kept in %1")
                                       .arg(QDir::toNativeSeparators(kept))
                                 : tr("Restore Complete!");
        m_ctx.dialogs.message(done, Dialogs::Buttons::Ok, Dialogs::Icon::Information,
                              tr("RESTORE SUCCESSFUL"), this);
    } catch (const DbError& e) {
        setWorking(false);
        m_ctx.dialogs.message(tr("Error \r\n") + e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::None,
                              {}, this);
    }
}

void frmBackup::closeEvent(QCloseEvent* event)
{
    openConnection(m_ctx);
    event->accept();
}
