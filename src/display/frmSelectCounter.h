#pragma once

#include <QWidget>

struct AppContext;
class Grid;
class QLabel;
class QPushButton;

// " Select Counter to Display": ticks the counters whose calls the displays of one theme show.
class frmSelectCounter : public QWidget
{
    Q_OBJECT

public:
    explicit frmSelectCounter(AppContext& ctx, QWidget* parent = nullptr);

    static constexpr qint64 Ticked = 65280;      // green
    static constexpr qint64 Unticked = 16777215; // white

    QLabel* lblTheme;
    Grid* FG;
    QPushButton* cmdSelectAll;
    QPushButton* cmdRemoveAll;
    QPushButton* cmdSave;

    // Opens the choice of a theme: the counters again, then the theme's saved ticks.
    void setTheme(qint64 themeId);
    void setFG();
    void addFG();
    void getList();
    bool isTicked(int row) const;
    void setTicked(int row, bool ticked);
    // Flips the tick of the selected row (mouse press or Space).
    void toggleSelected();
    void cmdSelectAll_Click();
    void cmdRemoveAll_Click();
    void cmdSave_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    AppContext& m_ctx;
};
