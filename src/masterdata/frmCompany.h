#pragma once

#include <QWidget>

struct AppContext;
class Database;
class QLineEdit;
class QPushButton;

// The organisation's name and address, printed at the head of every token. They live in the one
// tblComp row with key 1.
class frmCompany : public QWidget
{
    Q_OBJECT

public:
    explicit frmCompany(AppContext& ctx, QWidget* parent = nullptr);

    QLineEdit* txtName;
    QLineEdit* txtAdd;
    QPushButton* Command1; // Save

    void Form_Load();
    void Command1_Click();

private:
    AppContext& m_ctx;
};

namespace company {

// Writes the name and address into the row with key 1, creating that row when it is missing. A row
// under any other key is never the company row, so the store always ends up with key 1 filled.
void save(Database& db, const QString& name, const QString& address);

} // namespace company
