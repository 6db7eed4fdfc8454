#include "display/settings/KioskDepartmentList.h"

#include "core/Database.h"
#include "tickets/KioskDepartments.h"

KioskDepartmentList::KioskDepartmentList(QWidget* parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("lstKioskDepts"));
    setToolTip(tr("The full-screen kiosk offers these departments after the default one. With none "
                  "chosen and no default department it offers every Walk-In and Report department."));
    // Four rows show; more scroll.
    setMaximumHeight(fontMetrics().height() * 5 + 8);
}

void KioskDepartmentList::load(Database& db, Settings& settings)
{
    clear();
    m_loaded = kioskDepartments::others(settings);
    QStringList listed;
    try {
        const ResultSet rs =
            db.query(QStringLiteral("select deptName, deptDesc from tblDept order by deptAuto"));
        for (int r = 0; r < rs.size(); ++r) {
            const QString name = rs.text(r, 0);
            auto* row = new QListWidgetItem(tr("%1 (%2)").arg(name, rs.text(r, 1).trimmed()), this);
            row->setData(Qt::UserRole, name);
            row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            row->setCheckState(m_loaded.contains(name, Qt::CaseInsensitive) ? Qt::Checked : Qt::Unchecked);
            listed.append(name);
        }
    } catch (const DbError&) {
    }
    // A stored name the hall no longer has stays stored, unticked and unseen, until the list changes.
    for (const QString& name : m_loaded) {
        if (!listed.contains(name, Qt::CaseInsensitive)) {
            auto* row = new QListWidgetItem(tr("%1 (not in this hall)").arg(name), this);
            row->setData(Qt::UserRole, name);
            row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            row->setCheckState(Qt::Checked);
        }
    }
}

QStringList KioskDepartmentList::ticked() const
{
    QStringList names;
    for (int r = 0; r < count(); ++r) {
        if (item(r)->checkState() == Qt::Checked)
            names.append(item(r)->data(Qt::UserRole).toString());
    }
    return names;
}

void KioskDepartmentList::save(Settings& settings) const
{
    const QStringList names = ticked();
    if (names != m_loaded)
        kioskDepartments::setOthers(settings, names);
}
