#pragma once
// Real modal windows in a window test: the program's message boxes as users
// see them (the scripted answerer is set aside while this lives) and dialogs
// run by exec(), each met by a step of the test while it is open.
//
// Every modal window that opens is noted in order. An expected message box
// runs its step, then is answered by a click on the given button once it is
// the topmost window again; an expected dialog runs its step, which closes it.
// A window the script does not expect (a second box nested in the first) is
// answered too, with Yes or OK where it has one, and a dialog a step leaves
// open is closed, so that a fault makes the test fail rather than wait.
// Steps run from a timer of their own and may wait (QTest::qWait, QTRY_*).

#include "platform/MsgBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>

namespace vh::test {

class RealModals : public QObject {
public:
    RealModals() : scripted_(setMsgBoxHandler({}))
    {
        connect(&poll_, &QTimer::timeout, this, &RealModals::look);
        poll_.start(20);
    }
    ~RealModals() override { setMsgBoxHandler(scripted_); }
    RealModals(const RealModals&) = delete;
    RealModals& operator=(const RealModals&) = delete;

    // The next modal window is a message box whose text holds `text`.
    void box(const QString& text, QMessageBox::StandardButton answer, std::function<void()> whileOpen = {})
    {
        expected_.push_back({text, true, answer, std::move(whileOpen), {}});
    }
    // The next modal window is the dialog named `name` (its class's name
    // where it has none); `step` closes it.
    void dialog(const QString& name, std::function<void(QDialog*)> step)
    {
        expected_.push_back({name, false, QMessageBox::NoButton, {}, std::move(step)});
    }

    // A box's text or a dialog's name, for each window that opened.
    const QStringList& opened() const { return opened_; }
    // What was not expected: windows, and dialogs their step left open.
    const QStringList& unexpected() const { return unexpected_; }
    // Every expected window has opened and every box has been answered.
    bool done() const { return expected_.empty() && answering_ == 0; }

private:
    struct Expected {
        QString what;
        bool isBox;
        QMessageBox::StandardButton answer;
        std::function<void()> whileOpen;
        std::function<void(QDialog*)> step;
    };

    static constexpr int kSettleMs = 250;  // past a pressed button's click

    void look()
    {
        QWidget* top = QApplication::activeModalWidget();
        if (!top)
            return;
        for (const QPointer<QWidget>& w : std::as_const(seen_))
            if (w == top)
                return;
        seen_ << top;
        auto* box = qobject_cast<QMessageBox*>(top);
        QString what = box ? box->text() : top->objectName();
        if (what.isEmpty())
            what = QLatin1String(top->metaObject()->className());
        opened_ << what;
        const bool expected = !expected_.empty() && expected_.front().isBox == bool(box) &&
                              (box ? what.contains(expected_.front().what) : what == expected_.front().what);
        Expected e = expected ? std::move(expected_.front()) : Expected{};
        if (expected)
            expected_.pop_front();
        else
            unexpected_ << what;

        QPointer<QWidget> window(top);
        if (box) {
            ++answering_;
            const QMessageBox::StandardButton answer = expected ? e.answer : affirmative(box);
            QTimer::singleShot(0, this, [this, window, whileOpen = std::move(e.whileOpen), answer] {
                if (whileOpen && window)
                    whileOpen();
                answerWhenOnTop(window, answer);
            });
        } else if (expected) {
            QTimer::singleShot(0, this, [this, window, step = std::move(e.step)] {
                if (auto* d = qobject_cast<QDialog*>(window.data()))
                    step(d);
                QTimer::singleShot(kSettleMs, this, [this, window] { closeLeftOpen(window, QStringLiteral(" left open")); });
            });
        } else {
            QTimer::singleShot(kSettleMs, this, [this, window] { closeLeftOpen(window, QString()); });
        }
    }

    static QMessageBox::StandardButton affirmative(const QMessageBox* box)
    {
        for (QMessageBox::StandardButton b : {QMessageBox::Yes, QMessageBox::Ok})
            if (box->button(b))
                return b;
        return box->standardButton(box->escapeButton());
    }

    // A box is answered once the boxes over it are.
    void answerWhenOnTop(const QPointer<QWidget>& window, QMessageBox::StandardButton answer)
    {
        QTimer::singleShot(kSettleMs, this, [this, window, answer] {
            auto* box = qobject_cast<QMessageBox*>(window.data());
            if (box && box->isVisible() && QApplication::activeModalWidget() != box) {
                ++answering_;
                answerWhenOnTop(window, answer);
            } else if (box && box->isVisible()) {
                if (QAbstractButton* b = box->button(answer))
                    b->click();
                else
                    box->done(QDialog::Rejected);
            }
            --answering_;
        });
    }

    void closeLeftOpen(const QPointer<QWidget>& window, const QString& note)
    {
        if (!window || !window->isVisible())
            return;
        if (QApplication::activeModalWidget() != window) {
            QTimer::singleShot(kSettleMs, this, [this, window, note] { closeLeftOpen(window, note); });
            return;
        }
        if (!note.isEmpty())
            unexpected_ << window->objectName() + note;
        if (auto* d = qobject_cast<QDialog*>(window.data()))
            d->done(QDialog::Rejected);
        else
            window->close();
    }

    MsgBoxHandler scripted_;
    QTimer poll_;
    std::deque<Expected> expected_;
    QList<QPointer<QWidget>> seen_;
    QStringList opened_;
    QStringList unexpected_;
    int answering_ = 0;
};

}  // namespace vh::test
