#pragma once

#include <QWidget>

struct AppContext;
class Grid;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;

// "Clear Data": the department listing of tickets, from which chosen rows are deleted.
class frmClearData : public QWidget
{
    Q_OBJECT

public:
    explicit frmClearData(AppContext& ctx, QWidget* parent = nullptr);

    QComboBox* cmbDept = nullptr;
    QDateEdit* dtFrom = nullptr;
    QDateEdit* DTto = nullptr;
    QCheckBox* chkAll = nullptr;
    QPushButton* cmdShow = nullptr;
    QPushButton* cmdClose = nullptr;
    QPushButton* cmdDelete = nullptr;
    QLabel* lblAvg = nullptr;
    Grid* FG = nullptr;

    void Form_Load();
    void setFG();
    void addFG();
    void getAvg();
    void addDept();
    void cmdDelete_Click();

protected:
    void changeEvent(QEvent* event) override;

private:
    AppContext& m_ctx;
    bool m_loading = false;
};
