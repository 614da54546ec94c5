#include "shell/Common.h"

#include "platform/Folders.h"
#include "platform/Runtime.h"
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
        p = platformCommonAppDataFolder();
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

    const QString programFolder = platformProgramFolder();
    const QString marker = programFolder + QStringLiteral("/movefile.txt");
    bool standard = false;
    eh.run([&] { standard = IsStandardInstall(); });
    if (!(FileExists(marker) && standard))
        return False;

    eh.run([&] { deleteFileChecked(marker); });
    if (eh.stopped())
        return True;
    begun = true;
    QString root;
    eh.run([&] { root = GetDataRootFolder(frm); });
    const QString exe = programExecutableName().toLower();
    const auto entries =
        QDir(programFolder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& e : entries) {
        if (eh.stopped())
            break;
        const QString name = e.fileName();
        source = programFolder + QLatin1Char('/') + name;
        target = root + name;
        if (!e.isDir()) {
            const QString lower = name.toLower();
            if (lower == exe || lower == exe + QStringLiteral(".exe") || lower.endsWith(QLatin1String("log")))
                continue;
            QCoreApplication::processEvents();
            // What could not be copied stays where it is.
            const bool copied = eh.run([&] { copyFileChecked(source, target); });
            QCoreApplication::processEvents();
            if (copied)
                eh.run([&] { deleteFileChecked(source); });
        } else {
            if (Trim(name.toLower()) == QLatin1String("help"))
                continue;
            QCoreApplication::processEvents();
            const bool copied = eh.run([&] { copyFolderChecked(source, target); });
            QCoreApplication::processEvents();
            if (copied)
                eh.run([&] { deleteFolderChecked(source); });
        }
    }
    QCoreApplication::processEvents();
    return True;
}

void CopyFileQuiet(const QString& source, const QString& target)
{
    try {
        copyFileChecked(source, target);
    } catch (...) {
    }
}

}  // namespace vh
