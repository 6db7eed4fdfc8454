#pragma once

#include <QWidget>

struct AppContext;
class QTimer;

// The first screen: reads path.txt and, 100 ms after it appears, opens the log-in.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    explicit frmSplash(AppContext& ctx, QWidget* parent = nullptr);

    QTimer* Timer1;
    void Form_Load();
    // Opens the log-in (and submits it at once when the display starts automatically). Returns it.
    QWidget* Timer1_Timer();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AppContext& m_ctx;
};
