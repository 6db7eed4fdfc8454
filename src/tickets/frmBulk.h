#pragma once

#include <QDate>
#include <QWidget>

struct AppContext;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Print Bulk Token: a run of consecutive tokens of one walk-in service, printed and stored at once.
class frmBulk : public QWidget
{
    Q_OBJECT

public:
    explicit frmBulk(AppContext& ctx, QWidget* parent = nullptr);

    QComboBox* cmbCounter; // the walk-in services
    QLabel* lblCurrent;    // the starting token number
    QLabel* lblDate;       // the day the tokens are stored and printed for
    QLineEdit* txtCount;   // tickets to print
    QPushButton* cmdPrint;
    QPushButton* cmdClose;

    void Form_Load();
    void cmbCounter_Click();
    void txtCount_Change();
    void cmdPrint_Click();
    void cmdClose_Click();
    // Issues one token of the run; false when it was refused.
    bool getEndBulk(qint64 number, qint64 serviceId, const QString& serviceName);
    // The day the run is for: the windowed kiosk's issue date while that screen is open, else today.
    QDate issueDate() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void showIssueDate();

    AppContext& m_ctx;
};
