#pragma once

#include <QWidget>

struct AppContext;
class QComboBox;
class QLabel;
class QPushButton;

// Select Service: makes this workstation act as one chosen counter and opens the counter operator
// screen with only its Transfer tab usable.
class frmSelService : public QWidget
{
    Q_OBJECT

public:
    explicit frmSelService(AppContext& ctx, QWidget* parent = nullptr);

    QComboBox* cmbCounter;
    QLabel* lblService;
    QPushButton* Command1; // Ok

    void Form_Load();
    // The first activation runs Ok at once, so a valid preset counter needs no question.
    void Form_Activate();
    void addCounter();
    void cmbCounter_Click();
    void Command1_Click();

protected:
    void changeEvent(QEvent* event) override;

private:
    AppContext& m_ctx;
    bool m_activated = false;
    bool m_done = false;
};
