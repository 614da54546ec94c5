#pragma once
// Where the program and its data live, as the platform tells it. Environment
// variables point each place elsewhere, so tests run in temporary folders:
//   VELLORAN_PROGRAM_DIR    the program folder (default: the executable's folder)
//   VELLORAN_PROGRAM_FILES  the program-files folder (default: /opt)
//   VELLORAN_NETWORK_PATHS  ':'-separated folders to treat as network folders
// The application data folder is that of the user who runs the program (the
// XDG data home, ~/.local/share by default), so each user keeps data of their
// own. The temporary folder follows TMPDIR. Paths use "/"; folders are returned
// without a trailing "/".

#include <QFile>
#include <QString>
#include <functional>
#include <optional>

namespace vh {

QString platformProgramFolder();
QString platformProgramFilesFolder();
QString platformUserAppDataFolder();
QString platformTempFolder();
QString programExecutableName();

// False for a path that begins with "//", that lies on a network file system
// (nfs, cifs, smb, sshfs), or whose file system cannot be told.
bool platformPathIsLocal(const QString& path);

// Copies a file over its target through a temporary name (copyingName) and a
// rename, so the target is never left half written, even on power loss: the
// new file and its folder are flushed to disk. The copy takes `mode` when
// given; otherwise a replaced target keeps its permissions. `check`, when
// given, looks at the finished copy before it replaces the target and throws
// to refuse it. The source is only read. Throws a RuntimeError on failure
// (DiskFullError when there is no room), and the target is then as it was;
// only when the last flush, after the rename, fails is the new file already
// in place.
void copyFileChecked(const QString& source, const QString& target,
                     const std::function<void(const QString& copy)>& check = {},
                     std::optional<QFile::Permissions> mode = {});
// Gives a file another name, replacing what has that name in one step (on
// one file system). Throws a RuntimeError on failure, and both are then as
// they were.
void renameFileChecked(const QString& from, const QString& to);
// The name under which copyFileChecked writes a copy before it renames it.
QString copyingName(const QString& target);
// Removes a scratch database file that a cut-off run may have left, with its
// journal or write-ahead log (a stale one would be played into the next file
// of that name).
void removeScratchFile(const QString& path);
// A file's own mode (owner, group, others), to give a file that replaces it.
QFile::Permissions fileMode(const QString& path);
// Flushes a file and the folder that holds it to disk; throws on failure.
void syncToDisk(const QString& path);
// Deletes a file; throws when it exists and cannot be deleted.
void deleteFileChecked(const QString& path);
// Copies a folder tree over the target, replacing files of the same name.
void copyFolderChecked(const QString& source, const QString& target);
void deleteFolderChecked(const QString& path);

// Opens an address (web page, mail link, local file) in its default program
// through xdg-open, and returns at once. When the opener tells that it could
// not open the address, `failed` runs later on the window thread with its
// exit status; when no opener could be started at all, it runs with
// NoUrlOpener (during the call, when xdg-open is missing).
using UrlOpenFailed = std::function<void(int status)>;
void platformOpenUrl(const QString& address, const UrlOpenFailed& failed);
// The status of an opener that is missing, as a shell tells a command it
// cannot find.
constexpr int NoUrlOpener = 127;
// Tests replace the opener; one that returns false opens nothing (NoUrlOpener).
using UrlOpener = std::function<bool(const QString&)>;
UrlOpener setUrlOpener(UrlOpener opener);

}  // namespace vh
