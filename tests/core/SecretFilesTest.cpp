// Files holding passwords are the owner's alone.

#include "core/PrivateFile.h"
#include "core/Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QFileDevice::Permissions modeOf(const QString& file)
{
    // Only the owner/group/other bits: the "user" ones repeat the owner's for the file's owner.
    return QFile(file).permissions() &
           (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
            QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
            QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
}

TEST(SecretFiles, TheSettingsFileIsMadeForItsOwnerOnlyAndALooserOneIsTightened)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("config/brivane/settings.ini"));
    {
        Settings settings(file);
        settings.set(QStringLiteral("Queue"), QStringLiteral("Login"), QStringLiteral("Pass"),
                     QStringLiteral("secret"));
    }
    EXPECT_EQ(modeOf(file), ownerOnly);
    EXPECT_EQ(Settings(file).get(QStringLiteral("queue"), QStringLiteral("login"), QStringLiteral("pass")),
              QStringLiteral("secret"));

    ASSERT_TRUE(QFile(file).setPermissions(ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    Settings(file).set(QStringLiteral("Queue"), QStringLiteral("Sql"), QStringLiteral("password"),
                       QStringLiteral("pw"));
    EXPECT_EQ(modeOf(file), ownerOnly);
    EXPECT_EQ(Settings(file).get(QStringLiteral("Queue"), QStringLiteral("Login"), QStringLiteral("Pass")),
              QStringLiteral("secret"));
}

TEST(SecretFiles, AConnectionFileWrittenByTheProgramIsTheOwnersAlone)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("path.txt"));
    ASSERT_TRUE(privatefile::write(file, "db:5432;brivane;queue;secret;\n"));
    EXPECT_EQ(modeOf(file), ownerOnly);

    ASSERT_TRUE(QFile(file).setPermissions(ownerOnly | QFileDevice::ReadOther));
    ASSERT_TRUE(privatefile::write(file, ";brivane.db;;;\n"));
    EXPECT_EQ(modeOf(file), ownerOnly);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(";brivane.db;;;\n"));

    QString error;
    EXPECT_FALSE(privatefile::write(dir.filePath(QStringLiteral("no/such\0dir/path.txt")), "x", &error));
}

} // namespace
