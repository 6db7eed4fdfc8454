#pragma once

#include <QByteArray>
#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

struct AppContext;
class Database;
class QLabel;
class QLineEdit;
class QPushButton;

// The organisation's name, address and logo, printed at the head of every token. They live in the
// one tblComp row with key 1.
class frmCompany : public QWidget
{
    Q_OBJECT

public:
    explicit frmCompany(AppContext& ctx, QWidget* parent = nullptr);

    QLineEdit* txtName;
    QLineEdit* txtAdd;
    QPushButton* cmdLogo;   // "Choose Logo..."
    QPushButton* cmdNoLogo; // "Remove Logo"
    QLabel* lblLogo;        // what the logo is (stored, none, the installation folder's)
    QLabel* picPreview;     // the ticket as the kiosks print it
    QPushButton* Command1;  // Save

    void Form_Load();
    void Command1_Click();
    void cmdLogo_Click();
    void cmdNoLogo_Click();

    // Draws a ticket with the given company lines and stored logo (empty: none stored), as the
    // kiosks print it. Set by the ticket printout; without it the screen shows no preview.
    using TicketPreview = std::function<QImage(AppContext&, const QString& name, const QString& address,
                                               const QByteArray& logo)>;
    void setTicketPreview(TicketPreview preview);
    // The logo the next Save stores (empty: none).
    const QByteArray& logo() const { return m_logo; }

private:
    void refreshPreview();

    AppContext& m_ctx;
    TicketPreview m_preview;
    QByteArray m_logo;
    bool m_logoChanged = false;
};

namespace company {

// Writes the name and address into the row with key 1, creating that row when it is missing. A row
// under any other key is never the company row, so the store always ends up with key 1 filled. With a
// logo given, it is stored as well (empty bytes: the hall has no logo); without one it stays as it is.
void save(Database& db, const QString& name, const QString& address,
          const std::optional<QByteArray>& logo = std::nullopt);

} // namespace company
