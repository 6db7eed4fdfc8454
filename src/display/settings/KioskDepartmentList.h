#pragma once

#include <QListWidget>
#include <QStringList>

class Database;
class Settings;

// The departments the full-screen kiosk offers besides the default one: every department of the hall
// with a tick box. Nothing ticked and no default department: the kiosk offers the hall's Walk-In and
// Report departments.
class KioskDepartmentList : public QListWidget
{
    Q_OBJECT

public:
    explicit KioskDepartmentList(QWidget* parent = nullptr);

    // Lists the departments with their kind and ticks the ones the settings name. A store that does
    // not answer leaves the list empty.
    void load(Database& db, Settings& settings);
    // The ticked departments' names, in the list's order.
    QStringList ticked() const;
    // Stores the ticked departments when they differ from what was loaded.
    void save(Settings& settings) const;

private:
    QStringList m_loaded;
};
