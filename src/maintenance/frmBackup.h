#pragma once

#include "maintenance/ServerBackup.h"

#include <QWidget>

struct AppContext;
class QLineEdit;
class QProgressBar;
class QPushButton;

// "Backup & Restore": copies the embedded database file to a folder, or a copy back over it; for a
// database held by a PostgreSQL server, the same with the server's own tools (pg_dump, pg_restore).
class frmBackup : public QWidget
{
    Q_OBJECT

public:
    explicit frmBackup(AppContext& ctx, QWidget* parent = nullptr);

    QLineEdit* Text1 = nullptr; // the file to restore from
    QLineEdit* Text2 = nullptr; // the folder to back up to
    QPushButton* cmdRestoreBrowse = nullptr;
    QPushButton* cmdRestore = nullptr;
    QPushButton* cmdBackupBrowse = nullptr;
    QPushButton* cmdBackup = nullptr;
    QPushButton* cmdClose = nullptr;
    QProgressBar* prgWork = nullptr;

    void Form_Load();
    void cmdRestoreBrowse_Click();
    void cmdBackupBrowse_Click();
    void cmdBackup_Click();
    void cmdRestore_Click();
    // Copies `source` over `target` and reports the result.
    void RestoreDbase(const QString& source, const QString& target);

    // "Backup Completed Successfully " with the file written and the newest backup's plain name.
    static QString backupDoneText(const QString& file);
    // The restore picker's filter: the kind of backup this database's store makes first.
    QString restoreFilter() const;

    // The database file this window works on (empty on a server database).
    QString databasePath() const { return m_databasePath; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool refuseWithoutDatabase();
    serverbackup::Progress showProgress();
    void setWorking(bool working);

    AppContext& m_ctx;
    QString m_databasePath;
};
