#pragma once
// Windows as the program uses them: a child window lives inside the frame's
// client area, is loaded once (its load runs), shown and hidden, and unloaded
// (its unload runs and it is gone); a modal dialog runs until OK or Cancel.
// Each window kind has at most one loaded instance, reached through Load<T>()
// and Loaded<T>().
//
// Layouts are given in twips as designed (15 twips to a pixel).

#include <QDialog>
#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>
#include <functional>

class QAbstractButton;
class QLineEdit;


namespace vh {

constexpr int tw(int twips) { return twips / 15; }
// Places a control at left, top with width and height, all in twips.
void place(QWidget* w, int left, int top, int width, int height);

// Enter and Esc press a window's default and cancel buttons as its access keys
// and its help key act, under the access gate's one rule: only where a click
// on the button would act, so never on a hidden or disabled button, never
// while a modal window (a message box too) stands over the window, and not
// while a command that a key started in the window still runs; each press
// clicks once. While a drop-down's list is open they are the list's keys. A
// dialog's close box presses its cancel button as Esc does.
class ButtonKeys {
public:
    static void setDefaultButton(QWidget* window, QAbstractButton* button);
    static void setCancelButton(QWidget* window, QAbstractButton* button);
};

class Form : public QWidget {
    Q_OBJECT
public:
    // `formNumber` is the window's open-window flag (1 to 19), 0 for none.
    explicit Form(int formNumber, QWidget* parent = nullptr);
    ~Form() override;

    int formNumber() const { return formNumber_; }
    bool isLoaded() const { return loaded_; }
    QMdiSubWindow* subWindow() const { return sub_; }
    // The widget placed in the frame: the child window's frame, or the form
    // itself when no frame is open.
    QWidget* outerWidget() const;

    // Loads the window: puts it into the frame, marks it open and runs its
    // load. Load<T>() calls this; it runs once per instance.
    void loadForm();
    void showForm();
    void hideForm();
    bool isShown() const;
    // Runs the unload, clears the open-window mark and removes the window.
    void unloadForm();

    void setDesignSize(int widthTwips, int heightTwips);

    // Asked before the program closes the window without its Cancel: asks
    // what the window's Cancel asks before dropping unsaved entries, and
    // returns false when the user chose to stay.
    virtual bool Form_QueryUnload() { return true; }

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}

private:
    template <class T>
    friend T* Load();
    int formNumber_;
    bool loaded_ = false;
    bool unloading_ = false;
    QPointer<QMdiSubWindow> sub_;
    std::function<void()> clearSlot_;
};

// A modal dialog: a title and a close box, nothing to minimise or maximise.
// showModal() runs it; tests can drive it through a hook instead of a
// blocking event loop.
class Dialog : public QDialog {
    Q_OBJECT
public:
    explicit Dialog(QWidget* parent = nullptr);
    void setDesignSize(int widthTwips, int heightTwips);
    // Runs the dialog's load, widens it to its title where that is longer,
    // centres it and runs it modally.
    int showModal();
    using ModalHook = std::function<void(Dialog*)>;
    // While a hook is set, showModal() calls it with the loaded dialog instead
    // of blocking; the hook clicks the dialog's buttons.
    static ModalHook setModalHook(ModalHook hook);

protected:
    virtual void Form_Load() {}
    // Where the dialog opens: placed in the frame as every window is.
    virtual void placeOnOpen();
    // The close box: the cancel button where the dialog has one.
    void closeEvent(QCloseEvent* e) override;

private:
    friend class ButtonKeys;
    QPointer<QAbstractButton> cancelButton_;
};

template <class T>
QPointer<T>& formSlot()
{
    static QPointer<T> p;
    return p;
}

// The loaded instance of a window kind, or nullptr.
template <class T>
T* Loaded()
{
    T* f = formSlot<T>().data();
    return f && f->isLoaded() ? f : nullptr;
}

// Loads the window when it is not loaded and shows it.
template <class T>
T* Load()
{
    T* f = Loaded<T>();
    if (!f) {
        f = new T();
        formSlot<T>() = f;
        f->clearSlot_ = [] { formSlot<T>() = nullptr; };
        f->loadForm();
        if (!f->isLoaded())
            return nullptr;  // its load unloaded it again
    }
    f->showForm();
    return f;
}

template <class T>
void Unload()
{
    if (T* f = Loaded<T>())
        f->unloadForm();
}

// Shows `title` in the window's title bar (its child window's too) as it is:
// names a user typed may hold what Qt would read as the changed-mark "[*]".
void setPlainWindowTitle(QWidget* window, const QString& title);
// Gives a control of a window being loaded the focus, also once the window
// is on screen.
void FocusWhenShown(QWidget* control);

// Text boxes select their text when the Tab key brings the focus to them.
void selectAllOnTabFocus(QLineEdit* box);
// The box selects its text whatever brings the focus to it.
void selectAllOnFocus(QLineEdit* box);
// Numeric boxes take only digits, Backspace and Delete.
void installNumericKeyFilter(QLineEdit* box);

}  // namespace vh
