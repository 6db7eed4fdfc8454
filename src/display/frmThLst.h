#pragma once

#include <QWidget>

struct AppContext;
class Grid;
class QPushButton;

// "Theme List": the display themes, with commands to add, edit and delete them.
class frmThLst : public QWidget
{
    Q_OBJECT

public:
    explicit frmThLst(AppContext& ctx, QWidget* parent = nullptr);

    Grid* FG;
    QPushButton* Command1; // &Add New
    QPushButton* Command2; // &Edit
    QPushButton* Command3; // &Delete
    QPushButton* Command4; // &Close

    void Form_Load();
    void setFG();
    void addFG();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void FG_DblClick() { Command2_Click(); }

private:
    QString selectedKey() const;
    AppContext& m_ctx;
};
