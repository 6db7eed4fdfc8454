#pragma once

#include "masterdata/MasterScreens.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// Counter list: the counters whose service and department exist, by name.
class frmCntLst : public MasterList
{
    Q_OBJECT

public:
    explicit frmCntLst(AppContext& ctx, QWidget* parent = nullptr);
    void addFG() override;

protected:
    QVector<Column> columns() const override;
    bool deleteEntry(qint64 key) override;
};

// One counter: its service, names in both languages and its operator's log-in.
class frmCounter : public MasterEdit
{
    Q_OBJECT

public:
    explicit frmCounter(AppContext& ctx, QWidget* parent = nullptr);

    QLineEdit* txtName;
    QLineEdit* txtDesc;
    QLineEdit* txtUser;
    QLineEdit* txtPass;
    QLineEdit* txtPass1;
    QComboBox* cmbServ; // the active services; typed names are taken too
    QCheckBox* chkActive;
    QLineEdit* txtNameA;
    QLineEdit* txtDescA;

    void Form_Load();
    void getData() override;

protected:
    void clearFields() override;
    bool checkInput() override;
    QVariantMap values() const override;
    QString rowName() const override;
    void showFailure(const DbError& error) override;

private:
    // The key of the service chosen (names may repeat across departments).
    qint64 serviceKey() const;
};
