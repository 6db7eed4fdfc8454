#pragma once

#include "calling/HallNow.h"

#include <QWidget>

struct AppContext;
class HallNowFollower;
class QLabel;
class QTableWidget;

// The Hall now window: per service, what is happening now and what comes next, kept current as the
// hall changes. It only shows what HallNowFollower reads.
class frmHallNow : public QWidget
{
    Q_OBJECT

public:
    explicit frmHallNow(AppContext& ctx, QWidget* parent = nullptr);
    ~frmHallNow() override;

    QTableWidget* FG;
    QLabel* lblState; // when the figures were read, or that the database is out of reach
    HallNowFollower* follower() const { return m_follower; }

private:
    void show(const hallnow::Snapshot& snapshot);
    void showLost(const QString& description);

    AppContext& m_ctx;
    HallNowFollower* m_follower;
};
