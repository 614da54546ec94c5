#include "platform/Folders.h"

#include "platform/RuntimeError.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace vh {

namespace {

QString envPath(const char* name)
{
    const QString v = qEnvironmentVariable(name);
    return v.isEmpty() ? QString() : QDir::cleanPath(QDir::fromNativeSeparators(v));
}

UrlOpener& opener()
{
    static UrlOpener o;
    return o;
}

}  // namespace

QString platformProgramFolder()
{
    const QString env = envPath("VELLORAN_PROGRAM_DIR");
    if (!env.isEmpty())
        return env;
    return QDir::cleanPath(QCoreApplication::applicationDirPath());
}

QString platformProgramFilesFolder()
{
    const QString env = envPath("VELLORAN_PROGRAM_FILES");
    return env.isEmpty() ? QStringLiteral("/opt") : env;
}

QString platformUserAppDataFolder()
{
    const QString w = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return w.isEmpty() ? QString() : QDir::cleanPath(w);
}

QString platformTempFolder() { return QDir::cleanPath(QDir::tempPath()); }

QString programExecutableName()
{
    const QString f = QCoreApplication::applicationFilePath();
    return f.isEmpty() ? QStringLiteral("velloran") : QFileInfo(f).fileName();
}

bool platformPathIsLocal(const QString& path)
{
    const QString p = QDir::fromNativeSeparators(path);
    if (p.startsWith(QLatin1String("//")))
        return false;
    const QString clean = QDir::cleanPath(QFileInfo(p).absoluteFilePath());
    for (const QString& net : qEnvironmentVariable("VELLORAN_NETWORK_PATHS").split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString n = QDir::cleanPath(net);
        if (clean == n || clean.startsWith(n + QLatin1Char('/')))
            return false;
    }
    // The file system of the nearest folder that exists decides.
    QString probe = clean;
    while (!probe.isEmpty() && !QFileInfo::exists(probe)) {
        const QString up = QFileInfo(probe).path();
        if (up == probe)
            break;
        probe = up;
    }
    QStorageInfo info(probe);
    if (!info.isValid())
        return false;
    const QByteArray fs = info.fileSystemType().toLower();
    static const char* const network[] = {"nfs", "nfs4", "cifs", "smb", "smb2", "smb3", "smbfs", "sshfs", "fuse.sshfs",
                                          "afs", "ncpfs", "9p", "davfs", "fuse.davfs2"};
    for (const char* n : network)
        if (fs == n)
            return false;
    return true;
}

QFile::Permissions fileMode(const QString& path)
{
    // The "User" flags say what the running user may do, not the file's mode.
    return QFileInfo(path).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
}

namespace {

// The error of a failed read or write of `path`, by the system's error code.
[[noreturn]] void failFile(const QString& path, int systemError)
{
    if (NoRoomError(systemError))
        throw DiskFullError(path);
    throw RuntimeError(Err::PathFileAccess,
                       QStringLiteral("Path/File access error: %1 (%2)").arg(path, QString::fromLocal8Bit(strerror(systemError))));
}

// An open file descriptor, closed when it goes.
struct Fd {
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Copies the bytes of `source` into a new file `target` of mode 0600.
void copyBytes(const QString& source, const QString& target)
{
    Fd in{::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC)};
    if (in.fd < 0)
        failFile(source, errno);
    Fd out{::open(QFile::encodeName(target).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)};
    if (out.fd < 0)
        failFile(target, errno);
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t got = ::read(in.fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            failFile(source, errno);
        if (got == 0)
            break;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(out.fd, buffer.data() + done, size_t(got - done));
            if (put < 0 && errno == EINTR)
                continue;
            if (put < 0)
                failFile(target, errno);
            done += put;
        }
    }
    if (::close(std::exchange(out.fd, -1)) != 0)
        failFile(target, errno);
}

}  // namespace

void syncToDisk(const QString& path)
{
    // A file's contents and the folder entry that names it are flushed
    // separately; both must reach the disk before a replacement counts.
    for (const QString& p : {path, QFileInfo(path).absolutePath()}) {
        Fd f{::open(QFile::encodeName(p).constData(), O_RDONLY | O_CLOEXEC)};
        if (f.fd < 0 || ::fsync(f.fd) != 0)
            failFile(p, errno);
    }
}

QString copyingName(const QString& target) { return target + QStringLiteral(".copying"); }

void removeScratchFile(const QString& path)
{
    QFile::remove(path);
    for (const char* side : {"-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(side));
}

void renameFileChecked(const QString& from, const QString& to)
{
    // rename() replaces the target in one step on the same file system.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        failFile(to, errno);
}

void copyFileChecked(const QString& source, const QString& target, const std::function<void(const QString&)>& check,
                     std::optional<QFile::Permissions> givenMode)
{
    if (!QFileInfo(source).isFile())
        throw RuntimeError(Err::FileNotFound, QStringLiteral("File not found: %1").arg(source));
    // A replaced file keeps its own permissions (a roster holds addresses); a
    // new one is its owner's to change, even when copied from a read-only
    // installation.
    const QFile::Permissions mode = givenMode                      ? *givenMode
                                    : QFileInfo(target).isFile() ? fileMode(target)
                                                                 : fileMode(source) | QFile::WriteOwner;
    const QString tmp = copyingName(target);
    removeScratchFile(tmp);
    try {
        copyBytes(source, tmp);
        if (!QFile::setPermissions(tmp, mode))
            failFile(tmp, errno);
        syncToDisk(tmp);
        if (check)
            check(tmp);
        renameFileChecked(tmp, target);
    } catch (...) {
        removeScratchFile(tmp);
        throw;
    }
    syncToDisk(target);
}

void deleteFileChecked(const QString& path)
{
    QFileInfo fi(path);
    if (!fi.exists() && !fi.isSymLink())
        return;
    if (!QFile::remove(path))
        throw RuntimeError(Err::PathFileAccess, QStringLiteral("Permission denied: %1").arg(path));
}

void copyFolderChecked(const QString& source, const QString& target)
{
    QDir src(source);
    if (!src.exists())
        throw RuntimeError(Err::PathNotFound, QStringLiteral("Path not found: %1").arg(source));
    if (!QDir().mkpath(target))
        throw RuntimeError(Err::PathFileAccess, QStringLiteral("Path/File access error: %1").arg(target));
    const auto entries = src.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& e : entries) {
        const QString dest = target + QLatin1Char('/') + e.fileName();
        if (e.isDir() && !e.isSymLink())
            copyFolderChecked(e.absoluteFilePath(), dest);
        else
            copyFileChecked(e.absoluteFilePath(), dest);
    }
}

void deleteFolderChecked(const QString& path)
{
    QDir d(path);
    if (!d.exists())
        return;
    if (!d.removeRecursively())
        throw RuntimeError(Err::PathFileAccess, QStringLiteral("Permission denied: %1").arg(path));
}

void platformOpenUrl(const QString& address, const UrlOpenFailed& failed)
{
    const auto fail = [&failed](int status) {
        if (failed)
            failed(status);
    };
    if (opener()) {
        if (!opener()(address))
            fail(NoUrlOpener);
        return;
    }
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty()) {
        // Without xdg-open the toolkit looks for a browser of its own.
        const QUrl url =
            address.startsWith(QLatin1Char('/')) ? QUrl::fromLocalFile(address) : QUrl::fromUserInput(address);
        if (!url.isValid() || !QDesktopServices::openUrl(url))
            fail(NoUrlOpener);
        return;
    }
    // xdg-open ends once it has handed the address on, or at once with a
    // status saying it found no program for it. Where it runs a browser in
    // its own place it ends only when the browser does: an end that late says
    // nothing about the opening any more, and the window thread never waits.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    const QDeadlineTimer watch(10000);
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed, watch](int status, QProcess::ExitStatus how) {
                         process->deleteLater();
                         if (failed && how == QProcess::NormalExit && status != 0 && !watch.hasExpired())
                             failed(status);
                     });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, failed](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        process->deleteLater();
        if (failed)
            failed(NoUrlOpener);
    });
    process->start(xdgOpen, {address});
}

UrlOpener setUrlOpener(UrlOpener o)
{
    UrlOpener old = std::move(opener());
    opener() = std::move(o);
    return old;
}

}  // namespace vh
