#pragma once

#include <QWidget>

struct AppContext;
class Grid;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

// Set Service Starting No.: the start numbers kept per service and date.
class frmServNo : public QWidget
{
    Q_OBJECT

public:
    explicit frmServNo(AppContext& ctx, QWidget* parent = nullptr);

    QDateEdit* DT;
    Grid* FG;
    QPushButton* cmdAdd;
    QPushButton* cmdClose;

    void Form_Load();
    void addFG();
    void cmdAdd_Click();
    void FG_DblClick();
    void cmdClose_Click();

private:
    AppContext& m_ctx;
};

// Set Service No: one start number of a service for a date.
class frmSerNo : public QWidget
{
    Q_OBJECT

public:
    explicit frmSerNo(AppContext& ctx, QWidget* parent = nullptr);

    QComboBox* cmbServ;
    QDateEdit* DT;
    QLineEdit* txtNo;
    QCheckBox* chkActive;
    QLabel* lblRef; // snoAuto of the row being edited; empty for a new row
    QPushButton* cmdSave;
    QPushButton* cmdClose;

    void Form_Load();
    // Back to an empty form for a new row.
    void clearForm();
    void getData();
    void txtNo_LostFocus();
    void cmdSave_Click();
    void cmdClose_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Takes back the entry getData added for a row whose service is no longer active.
    void dropInactiveService();

    AppContext& m_ctx;
    QString m_inactiveService;
};
