#include "app/AllScreens.h"
#include "display/voice/AnnouncerProtocol.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Puts XDG_RUNTIME_DIR back as it was when the test ends.
struct KeptRuntimeDir
{
    QByteArray was = qgetenv("XDG_RUNTIME_DIR");
    ~KeptRuntimeDir() { qputenv("XDG_RUNTIME_DIR", was); }
};

bool privateFolder(const QString& dir)
{
    struct stat st
    {
    };
    return ::stat(QFile::encodeName(dir).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == getuid() && (st.st_mode & 077) == 0;
}

} // namespace

// The announcer's socket and lock live only in a folder that is this user's alone: a folder others may
// write into is not used, and nothing falls back to a shared folder with a name anyone can guess.
TEST(RuntimeFolder, AFolderOthersMayWriteIntoIsRefused)
{
    KeptRuntimeDir kept;
    QTemporaryDir open;
    ASSERT_TRUE(QFile::setPermissions(open.path(), QFileDevice::Permissions(0x7777)));
    qputenv("XDG_RUNTIME_DIR", open.path().toLocal8Bit());
    EXPECT_FALSE(announcer::socketPath(QStringLiteral("/opt/hall")).startsWith(open.path()));

    prepareRuntimeDir();
    const QString chosen = qEnvironmentVariable("XDG_RUNTIME_DIR");
    EXPECT_NE(chosen, open.path());
    EXPECT_TRUE(privateFolder(chosen)) << chosen.toStdString();
    EXPECT_TRUE(announcer::socketPath(QStringLiteral("/opt/hall")).startsWith(chosen));

    // A private folder of ours is used as it is.
    QTemporaryDir own;
    QFile::setPermissions(own.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", own.path().toLocal8Bit());
    prepareRuntimeDir();
    EXPECT_EQ(qEnvironmentVariable("XDG_RUNTIME_DIR"), own.path());
}
