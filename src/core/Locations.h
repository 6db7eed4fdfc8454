#pragma once

#include <QString>

// Where each kind of file of a workstation lives. A run from one folder (the build folder, or the
// folder named by BRIVANE_HOME) keeps everything in that folder; an installed program follows the
// file-system hierarchy: read-only files under <prefix>/share/brivane, the machine's path.txt and
// code.txt in /etc/brivane, the embedded database in /var/lib/brivane, helper programs (voice) in
// <prefix>/lib/brivane.
struct Locations
{
    QString resources; // pictures, recordings, clock faces, demo media (read only)
    QString config;    // the machine's path.txt and code.txt
    QString data;      // writable: a relative database file of path.txt lives here
    QString programs;  // helper programs the main window starts
    QString pathFile;  // the connection file when it is not config/path.txt (brivane-ctl --path-file)

    static Locations oneFolder(const QString& folder);
    bool isInstalled() const { return resources != config; }
};

// Resolves the locations for a program whose executable lies in executableDir. home (BRIVANE_HOME)
// wins when set. The installed layout is recognised by its shared folder next to the executable's
// (../share/brivane for /usr/bin), so the package can be installed below any root (DESTDIR, chroot).
Locations resolveLocations(const QString& executableDir, const QString& home);

// The locations of this process: BRIVANE_HOME or the executable's folder.
Locations locationsOfThisProgram();
