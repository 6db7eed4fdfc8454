#pragma once

#include "masterdata/MasterScreens.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

// Service list: every service with its department, number range, prefix and flag.
class frmServLst : public MasterList
{
    Q_OBJECT

public:
    explicit frmServLst(AppContext& ctx, QWidget* parent = nullptr);
    void addFG() override;

protected:
    QVector<Column> columns() const override;
    bool deleteEntry(qint64 key) override;
};

// One service: its department, name, description, token range and prefix.
class frmService : public MasterEdit
{
    Q_OBJECT

public:
    explicit frmService(AppContext& ctx, QWidget* parent = nullptr);

    QComboBox* cmbDept; // the active departments; typed names are taken too
    QLineEdit* txtServ;
    QLineEdit* txtDesc;
    QLineEdit* txtNo;  // first token number
    QLineEdit* txtEnd; // last token number
    QLineEdit* txtAbr; // token prefix
    QCheckBox* chkActive;
    QSpinBox* spnTargetShare; // the target's share in percent; 0: no target
    QSpinBox* spnTargetWait;  // the target's wait in minutes; 0: no target
    QCheckBox* chkPhoneJoin;  // visitors may take its tokens from their phones (/join)

    void Form_Load();
    void getData() override;
    // Leaving the prefix box empties a prefix holding a character that may not be in a label.
    void txtAbr_LostFocus();

protected:
    void clearFields() override;
    bool checkInput() override;
    QVariantMap values() const override;
    QString rowName() const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The key of the department chosen (names may repeat).
    qint64 deptKey() const;
};
