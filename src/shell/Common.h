#pragma once
// Folder, file and path procedures of the shell: the data root and its one-time
// migration, the local-path test and the quiet file copy.

#include <QString>

class QWidget;

namespace vh {

constexpr int CSIDL_COMMON_APPDATA = 35;
constexpr int CSIDL_PROGRAM_FILES = 38;

// Trims the caller's text; false for a path beginning with "//" and for a
// network folder.
bool IsLocalPath(QString& path);
QString StripNull(const QString& s);
// The temporary folder, ending in "/".
QString GetTempFolder();
bool FileExists(const QString& path);  // false for a folder
bool DirExists(const QString& path);   // false for a file
// A special folder followed by "/", or "" when the platform has none.
QString GetSpecialFolder(QWidget* frm, int csidl);
// The folder the program was installed to when installed normally.
QString StandardInstallFolder();
bool IsStandardInstall();
// The data root, ending in "/": the user's application data folder's
// "Brisvel Software/Velloran for Hockey/" for a standard installation (made
// when missing), otherwise the program folder.
QString GetDataRootFolder(QWidget* frm = nullptr);
// For a standard installation, copies into the user's data root whatever the
// program folder ships (the data folder with the empty databases, an earlier
// version's data) that the user's folder lacks; never changes the program
// folder. An entry it cannot read (a broken link) is passed over and named in
// one message, never again at a later start. True when it copied anything.
int16_t ReadINI(QWidget* frm = nullptr);

// Copies a file over its target; any failure is silently ignored. Use it only
// where a lost copy loses nothing (the failure surfaces at the next use).
void CopyFileQuiet(const QString& source, const QString& target);

}  // namespace vh
