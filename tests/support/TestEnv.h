#pragma once
// A test's own program: a program folder with the shipped databases and help
// pages, a user's data folder (the XDG data home), program-files and temporary
// folders in a temporary directory, a scripted message-box answerer that fails the test on a box it
// was not told to expect, and an end-of-program seam that only records.

#include "platform/MsgBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QWidget>

#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>

namespace vh::test {

class TestEnv {
public:
    TestEnv();
    ~TestEnv();
    TestEnv(const TestEnv&) = delete;
    TestEnv& operator=(const TestEnv&) = delete;

    QString root() const { return dir_.path(); }
    QString programDir() const { return root() + QStringLiteral("/program"); }
    QString programDataDir() const { return programDir() + QStringLiteral("/Data"); }
    QString programFilesDir() const { return root() + QStringLiteral("/opt"); }
    QString appDataDir() const { return root() + QStringLiteral("/appdata"); }
    QString tempDir() const { return root() + QStringLiteral("/tmp"); }
    static QString shippedShell();
    static QString shippedExportShell();

    // The next message box whose text contains `textPart` (and whose title is
    // `title`, when given) is answered with `answer`, in the order expected.
    void expectMsgBox(const QString& textPart, int answer = vbOK, const QString& title = QString());
    // Every further box is answered with `answer` and recorded, none fails.
    void acceptAnyMsgBox(int answer) { anyAnswer_ = answer; }
    const QList<MsgBoxCall>& shownMessages() const { return shown_; }
    int pendingExpectations() const { return int(expected_.size()); }

    // The pages and links handed to the browser, every one accepted.
    QStringList& openedUrls() { return opened_; }

    bool ended() const { return endCount_ > 0; }
    int endCount() const { return endCount_; }
    void clearEnded();

    // Runs the start-up as the program does, against this program folder.
    void runSetup();
    // A fresh database from the shipped shell, opened into the project-wide
    // state without the rest of the start-up.
    void openNewDatabase();
    // The fixture of most tests: a new program with a new open database.
    static std::unique_ptr<TestEnv> withNewDatabase()
    {
        auto env = std::make_unique<TestEnv>();
        env->openNewDatabase();
        return env;
    }

private:
    struct Expected {
        QString text;
        int answer;
        QString title;
    };
    QTemporaryDir dir_;
    QByteArray oldTmp_;
    QByteArray oldDataHome_;
    std::deque<Expected> expected_;
    QList<MsgBoxCall> shown_;
    QStringList opened_;
    int anyAnswer_ = 0;
    int endCount_ = 0;
};

// While it lives, the test runs as an ordinary user, so that file modes bind
// as they do for users (tests may run as root, who may write anything). The
// test's folders are made reachable for that user; a test run by an ordinary
// user already is one, and nothing changes.
class AsOrdinaryUser {
public:
    explicit AsOrdinaryUser(const TestEnv& env);
    ~AsOrdinaryUser();
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

private:
    bool switched_ = false;
};

// While it lives, `step` runs inside the first scripted message box whose
// text holds `text`, before its answer: what the user does with the box on
// screen. The box is then answered as the test's program answers it.
class WhileBoxIsOpen {
public:
    WhileBoxIsOpen(const QString& text, std::function<void()> step) : answer_(setMsgBoxHandler({}))
    {
        setMsgBoxHandler([this, text, step = std::move(step)](const MsgBoxCall& call) {
            if (!happened_ && call.text.contains(text)) {
                happened_ = true;
                step();
            }
            return answer_(call);
        });
    }
    ~WhileBoxIsOpen() { setMsgBoxHandler(answer_); }
    WhileBoxIsOpen(const WhileBoxIsOpen&) = delete;
    WhileBoxIsOpen& operator=(const WhileBoxIsOpen&) = delete;
    bool happened() const { return happened_; }

private:
    MsgBoxHandler answer_;
    bool happened_ = false;
};

// Deletes the windows that were unloaded (their deletion waits for the event
// loop otherwise).
inline void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// With VH_GRAB_DIR set, a window is saved there as a picture to look at.
inline void grab(QWidget* w, const char* name)
{
    const QString dir = qEnvironmentVariable("VH_GRAB_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    w->grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

}  // namespace vh::test
