#pragma once

#include "masterdata/MasterScreens.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// Department list: every department with its type.
class frmDeptLst : public MasterList
{
    Q_OBJECT

public:
    explicit frmDeptLst(AppContext& ctx, QWidget* parent = nullptr);
    void addFG() override;

protected:
    QVector<Column> columns() const override;
    bool deleteEntry(qint64 key) override;
};

// One department: name, type and whether it is offered.
class frmDept : public MasterEdit
{
    Q_OBJECT

public:
    explicit frmDept(AppContext& ctx, QWidget* parent = nullptr);

    QLineEdit* txtDept;
    QComboBox* txtDesc; // the type: a list that also takes typed text
    QCheckBox* chkActive;

    void getData() override;

protected:
    void clearFields() override;
    bool checkInput() override;
    QVariantMap values() const override;
    QString rowName() const override;
};
