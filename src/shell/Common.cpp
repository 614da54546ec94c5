#include "shell/Common.h"

#include "platform/Folders.h"
#include "platform/MsgBox.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "shell/Globals.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <functional>

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
// copied any. What the target already has stays as it is. An entry that
// cannot be read (a broken link, a file or folder the user may not read, a
// special file) is handed to `unreadable` and passed over; a target that
// cannot be written is an error.
bool copyMissing(const QString& source, const QString& target, const std::function<void(const QString&)>& unreadable)
{
    const QFileInfo info(source);
    if (info.isDir()) {
        if (!info.isReadable() || !info.isExecutable()) {
            unreadable(source);
            return false;
        }
        if (!QDir().mkpath(target))
            throw RuntimeError(Err::PathFileAccess, QStringLiteral("Path/File access error: %1").arg(target));
        bool copied = false;
        const auto entries =
            QDir(source).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QFileInfo& e : entries)
            copied = copyMissing(e.absoluteFilePath(), target + QLatin1Char('/') + e.fileName(), unreadable) || copied;
        return copied;
    }
    if (QFileInfo::exists(target))
        return false;
    if (!info.isFile() || !info.isReadable()) {
        unreadable(source);
        return false;
    }
    copyFileChecked(source, target);
    return true;
}

// The entries already named as not copied, one path from the program folder
// a line, kept in the data root so that each is named once.
const QString kNotCopiedList = QStringLiteral("notcopied.txt");

QStringList readNotCopied(const QString& root)
{
    QFile f(root + kNotCopiedList);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Says once which entries could not be copied; they are named again only
// when the list of named ones cannot be kept.
void reportNotCopied(const QString& programFolder, const QString& root, const QStringList& sources)
{
    const QStringList named = readNotCopied(root);
    QStringList fresh;
    for (const QString& source : sources) {
        const QString entry = QDir(programFolder).relativeFilePath(source);
        if (!named.contains(entry))
            fresh << entry;
    }
    if (fresh.isEmpty())
        return;
    QStringList shown;
    for (const QString& entry : fresh)
        shown << QDir::toNativeSeparators(programFolder + QLatin1Char('/') + entry);
    MsgBox(QStringLiteral("Velloran for Hockey could not read the following from its program folder, so they were "
                          "not copied into ") +
               QDir::toNativeSeparators(root) + QStringLiteral(":\r\r") + shown.join(QLatin1Char('\r')) +
               QStringLiteral("\r\rEverything else has been copied."),
           vbExclamation, QStringLiteral("Not Copied"));
    QFile f(root + kNotCopiedList);
    if (f.open(QIODevice::Append))
        f.write((fresh.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
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
    QStringList unreadable;
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
        eh.run([&] {
            copied = copyMissing(source, target, [&](const QString& entry) { unreadable << entry; }) || copied;
        });
    }
    QCoreApplication::processEvents();
    // An entry the program folder cannot give would fail at every start:
    // what could be copied is, and the rest is named once.
    if (!eh.stopped() && !unreadable.isEmpty())
        reportNotCopied(programFolder, root, unreadable);
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
