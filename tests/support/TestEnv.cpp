#include "support/TestEnv.h"

#include "platform/Folders.h"
#include "platform/Runtime.h"
#include "shell/Globals.h"
#include "shell/Startup.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace vh::test {

QString TestEnv::shippedShell() { return QStringLiteral(VH_TEST_DATA_DIR "/qn20db.shell"); }
QString TestEnv::shippedExportShell() { return QStringLiteral(VH_TEST_DATA_DIR "/Export.mdb"); }

TestEnv::TestEnv()
{
    resetGlobals();
    resetProgramEnding();
    QDir().mkpath(programDataDir());
    QDir().mkpath(programFilesDir());
    QDir().mkpath(appDataDir());
    QDir().mkpath(tempDir());
    QFile::copy(shippedShell(), programDataDir() + QStringLiteral("/qn20db.shell"));
    QFile::copy(shippedExportShell(), programDataDir() + QStringLiteral("/Export.mdb"));
    // A plain copy: the program's checked copy flushes every file, which a
    // throw-away folder does not need and which costs most of a test's time.
    std::filesystem::copy(VH_TEST_HELP_DIR, QFile::encodeName(programDir() + QStringLiteral("/help")).toStdString(),
                          std::filesystem::copy_options::recursive);

    qputenv("VELLORAN_PROGRAM_DIR", programDir().toUtf8());
    qputenv("VELLORAN_PROGRAM_FILES", programFilesDir().toUtf8());
    // The user's own data folder, found as the program finds it.
    oldDataHome_ = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", appDataDir().toUtf8());
    qunsetenv("VELLORAN_NETWORK_PATHS");
    oldTmp_ = qgetenv("TMPDIR");
    qputenv("TMPDIR", tempDir().toUtf8());

    setMsgBoxHandler([this](const MsgBoxCall& call) {
        shown_ << call;
        if (!expected_.empty()) {
            const Expected e = expected_.front();
            if (call.text.contains(e.text) && (e.title.isEmpty() || e.title == call.title)) {
                expected_.pop_front();
                return e.answer;
            }
        }
        if (anyAnswer_)
            return anyAnswer_;
        QTest::qFail(qPrintable(QStringLiteral("Unexpected message box \"%1\": %2").arg(call.title, call.text)),
                     __FILE__, __LINE__);
        return (call.style & 7) == vbYesNo ? vbNo : vbCancel;
    });
    setEndProgramHandler([this](int) { ++endCount_; });
    setUrlOpener([this](const QString& url) {
        opened_ << url;
        return true;
    });
}

TestEnv::~TestEnv()
{
    ReleaseDataFolder();
    resetGlobals();
    resetProgramEnding();
    setMsgBoxHandler({});
    setEndProgramHandler({});
    setUrlOpener({});
    qunsetenv("VELLORAN_PROGRAM_DIR");
    qunsetenv("VELLORAN_PROGRAM_FILES");
    if (oldDataHome_.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", oldDataHome_);
    qunsetenv("VELLORAN_NETWORK_PATHS");
    if (oldTmp_.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", oldTmp_);
    if (!expected_.empty())
        qWarning("TestEnv: %d expected message box(es) never shown, first: %s", int(expected_.size()),
                 qPrintable(expected_.front().text));
}

void TestEnv::expectMsgBox(const QString& textPart, int answer, const QString& title)
{
    expected_.push_back({textPart, answer, title});
}

void TestEnv::clearEnded()
{
    endCount_ = 0;
    resetProgramEnding();
}

void TestEnv::runSetup() { Setup(); }

void TestEnv::openNewDatabase()
{
    g.ProgramFolder = programDir() + QLatin1Char('/');
    g.DataFolder = programDataDir() + QLatin1Char('/');
    QFile::remove(g.DataFolder + QStringLiteral("murqn.mdb"));
    QFile::copy(shippedShell(), g.DataFolder + QStringLiteral("murqn.mdb"));
    QFile(g.DataFolder + QStringLiteral("murqn.mdb")).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    OpenMainDatabase();
}

}  // namespace vh::test

namespace vh::test {

namespace {
constexpr uid_t kNobody = 65534;
}

AsOrdinaryUser::AsOrdinaryUser(const TestEnv& env)
{
    if (geteuid() != 0)
        return;
    ::chmod(QFile::encodeName(env.root()).constData(), 0755);
    // Real and effective ids both, as a user's own process has them (access
    // checks go by the real one); the saved id lets the test come back.
    switched_ = setresgid(kNobody, kNobody, 0) == 0 && setresuid(kNobody, kNobody, 0) == 0;
    if (!switched_)
        QTest::qFail("Could not run as an ordinary user", __FILE__, __LINE__);
}

AsOrdinaryUser::~AsOrdinaryUser()
{
    if (switched_ && (setresuid(0, 0, 0) != 0 || setresgid(0, 0, 0) != 0))
        qFatal("Could not return to the test's own user");
}

}  // namespace vh::test
