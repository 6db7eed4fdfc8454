#pragma once

#include <QWidget>

struct AppContext;
class QDateEdit;
class QPushButton;

// "Delete Call Data": removes the call events dated before a chosen day.
class frmcallDelete : public QWidget
{
    Q_OBJECT

public:
    explicit frmcallDelete(AppContext& ctx, QWidget* parent = nullptr);

    QDateEdit* dtFrom = nullptr;
    QPushButton* cmdDelete = nullptr;

    void Form_Load();
    void cmdDelete_Click();

private:
    AppContext& m_ctx;
};
