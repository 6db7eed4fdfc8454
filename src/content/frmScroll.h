#pragma once

#include <QWidget>

struct AppContext;
class Grid;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The scroll news list: every message of tblscroll with its running number, text, active flag and
// direction, a search on the message text, and the commands that add, edit and delete messages.
// Adding and editing happen in the news editor (frmEditor), which fills this list again as it closes.
class frmScroll : public QWidget
{
    Q_OBJECT

public:
    explicit frmScroll(AppContext& ctx, QWidget* parent = nullptr);

    Grid* FG;
    QLineEdit* txtFind;
    QPushButton* Command5; // Find
    QCheckBox* chkActive;  // when ticked, only active messages are listed
    QPushButton* Command4; // Add New
    QPushButton* Command3; // Edit
    QPushButton* Command2; // Delete
    QPushButton* Command1; // Close

    void Form_Load();
    void setFG();
    void addFG();
    void Command5_Click();
    void chkActive_Click();
    void Command4_Click();
    void Command3_Click();
    void FG_DblClick();
    void Command2_Click();
    void Command1_Click();

    // The key in column 0 of the selected row; 0 when no data row is selected.
    qint64 selectedKey() const;

private:
    // Rebuilds the grid from the store with an optional search; failures are shown, never thrown.
    void fill(const QString& search);
    class frmEditor* openEditor();
    // Whether the editor may take another message. While it holds unsaved text it asks (over the
    // editor, now in front) whether to save that text first: Yes stores it, No drops it, Cancel keeps
    // the editor as it is.
    bool editorMayChange(class frmEditor* editor);

    AppContext& m_ctx;
};
