#include "shell/Common.h"

#include "platform/Folders.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "shell/Globals.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vh {

namespace {
const QString kMakerFolder = QStringLiteral("Brisvel Software");
const QString kProductName = QStringLiteral("Velloran for Hockey");
}  // namespace

bool IsLocalPath(QString& path)
{
    path = Trim(path);
    return platformPathIsLocal(path);
}

QString StripNull(const QString& s)
{
    const qsizetype i = s.indexOf(QChar(0));
    return i < 0 ? s : s.left(i);
}

QString GetTempFolder() { return StripNull(platformTempFolder()) + QLatin1Char('/'); }

bool FileExists(const QString& path)
{
    QFileInfo fi(path);
    return fi.exists() && !fi.isDir();
}

bool DirExists(const QString& path) { return QFileInfo(path).isDir(); }

QString GetSpecialFolder(QWidget*, int csidl)
{
    QString p;
    if (csidl == CSIDL_PROGRAM_FILES)
        p = platformProgramFilesFolder();
    else if (csidl == CSIDL_COMMON_APPDATA)
        p = platformUserAppDataFolder();
    return p.isEmpty() ? QString() : p + QLatin1Char('/');
}

QString StandardInstallFolder()
{
    return GetSpecialFolder(nullptr, CSIDL_PROGRAM_FILES) + kMakerFolder + QLatin1Char('/') + kProductName;
}

bool IsStandardInstall()
{
    return QDir::cleanPath(platformProgramFolder()).toLower() == QDir::cleanPath(StandardInstallFolder()).toLower();
}

QString GetDataRootFolder(QWidget* frm)
{
    if (IsStandardInstall()) {
        const QString appData = GetSpecialFolder(frm, CSIDL_COMMON_APPDATA);
        const QString maker = appData + kMakerFolder;
        if (!DirExists(maker))
            QDir().mkpath(maker);
        const QString product = appData + kMakerFolder + QLatin1Char('/') + kProductName;
        if (!DirExists(product))
            QDir().mkpath(product);
        return product + QLatin1Char('/');
    }
    return platformProgramFolder() + QLatin1Char('/');
}

namespace {

// Copies the files of a folder tree that the target lacks; true when it
// copied any. What the target already has stays as it is.
bool copyMissing(const QString& source, const QString& target)
{
    if (!QFileInfo(source).isDir()) {
        if (QFileInfo::exists(target))
            return false;
        copyFileChecked(source, target);
        return true;
    }
    if (!QDir().mkpath(target))
        throw RuntimeError(Err::PathFileAccess, QStringLiteral("Path/File access error: %1").arg(target));
    bool copied = false;
    const auto entries =
        QDir(source).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& e : entries)
        copied = copyMissing(e.absoluteFilePath(), target + QLatin1Char('/') + e.fileName()) || copied;
    return copied;
}

}  // namespace

int16_t ReadINI(QWidget* frm)
{
    bool begun = false;
    QString source, target;
    ErrorHandler eh(QStringLiteral("ReadINI"), [] { EndProgram(); });
    eh.setBlankLines(2);
    eh.setExtraLines([&] {
        return begun ? QStringList{QStringLiteral("OldFolder: ") + source, QStringLiteral("NewFolder: ") + target}
                     : QStringList{};
    });

    // An installed program serves every user of the machine from a folder
    // they may not write: each user's data folder gets its own copy of what
    // the installation ships, and the installation is never changed.
    bool standard = false;
    eh.run([&] { standard = IsStandardInstall(); });
    if (!standard || eh.stopped())
        return False;
    QString root;
    if (!eh.run([&] { root = GetDataRootFolder(frm); }))
        return False;
    begun = true;
    bool copied = false;
    const QString programFolder = platformProgramFolder();
    const QString exe = programExecutableName().toLower();
    const auto entries =
        QDir(programFolder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& e : entries) {
        if (eh.stopped())
            break;
        const QString name = e.fileName();
        const QString lower = Trim(name.toLower());
        if (e.isDir() ? lower == QLatin1String("help")
                      : lower == exe || lower == exe + QStringLiteral(".exe") || lower.endsWith(QLatin1String("log")) ||
                            lower == QLatin1String("movefile.txt"))
            continue;  // the program's own files stay with the program
        source = programFolder + QLatin1Char('/') + name;
        target = root + name;
        QCoreApplication::processEvents();
        eh.run([&] { copied = copyMissing(source, target) || copied; });
    }
    QCoreApplication::processEvents();
    return VbBool(copied);
}

void CopyFileQuiet(const QString& source, const QString& target)
{
    try {
        copyFileChecked(source, target);
    } catch (...) {
    }
}

}  // namespace vh
