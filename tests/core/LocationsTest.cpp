#include "core/Locations.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Locations, AFolderOfItsOwnOrBrivaneHomeHoldsEverythingTheInstalledLayoutSpreadsOverTheHierarchy)
{
    QTemporaryDir root;
    const QString build = root.filePath(QStringLiteral("build/bin"));
    QDir().mkpath(build);
    const Locations fromBuild = resolveLocations(build, QString());
    EXPECT_EQ(fromBuild.resources, build);
    EXPECT_EQ(fromBuild.config, build);
    EXPECT_EQ(fromBuild.data, build);
    EXPECT_EQ(fromBuild.programs, build);

    // Installed below a root (a package, a DESTDIR, a chroot): found from the executable's folder.
    const QString bin = root.filePath(QStringLiteral("usr/bin"));
    QDir().mkpath(bin);
    QDir().mkpath(root.filePath(QStringLiteral("usr/share/brivane")));
    const Locations installed = resolveLocations(bin, QString());
    EXPECT_EQ(installed.resources, root.filePath(QStringLiteral("usr/share/brivane")));
    EXPECT_EQ(installed.config, root.filePath(QStringLiteral("etc/brivane")));
    EXPECT_EQ(installed.data, root.filePath(QStringLiteral("var/lib/brivane")));
    EXPECT_EQ(installed.programs, root.filePath(QStringLiteral("usr/lib/brivane")));

    const QString home = root.filePath(QStringLiteral("hall"));
    const Locations fromHome = resolveLocations(bin, home);
    EXPECT_EQ(fromHome.resources, home);
    EXPECT_EQ(fromHome.config, home);
    EXPECT_EQ(fromHome.data, home);
}
