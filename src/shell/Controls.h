#pragma once
// Factories for the controls of the windows, placed in twips as designed, so
// that every window builds its labels, buttons and boxes the same way.
// Labels show their text as it is, never as markup: many show what a user
// typed or a file brought. A label too narrow for its text in the font at
// hand grows into the free room beside it to show it whole.
//
// Each control gets its designed name as objectName. A box built with a label
// takes the label's caption (without "&" and the closing ":") as its
// accessible name, so that screen readers can tell the fields apart.

#include <QString>
#include <Qt>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace vh {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                  int height = 255, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
// Buttons never become the default button by focus alone; ButtonKeys decides Enter.
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                        int height = 375);
// A one-line box under the box rule (limitLength), `maxLength` 0 for no limit.
QLineEdit* makeTextBox(QWidget* parent, const QString& name, int maxLength, int left, int top, int width,
                       int height = 285);
// Keeps line breaks, drops a pasted NUL and takes a blank for a Tab, as a
// limited notes box does.
QPlainTextEdit* makeMemoBox(QWidget* parent, const QString& name, int left, int top, int width, int height);
QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                        int height = 300);
QRadioButton* makeOption(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                         int height = 300);
QComboBox* makeComboBox(QWidget* parent, const QString& name, int left, int top, int width, int height = 330);
// A drop-down's list opens at least as wide as its widest entry; makeComboBox
// does this for its box.
void showEntriesWhole(QComboBox* box);
QListWidget* makeListBox(QWidget* parent, const QString& name, int left, int top, int width, int height);
QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                     int height);

// The box rule. Holds the box to `maxChars` characters (code points, so a
// character outside the basic plane counts once; 0 no limit): text typed,
// pasted or set beyond the limit is cut where it was put in, never in the
// middle of a character; a NUL is dropped, and a one-line box takes one blank
// for a Tab, a line break or another control character. A one-line box shows
// the start of a text the program puts in, also once the focus has selected
// it. makeTextBox does this for its length.
void limitLength(QLineEdit* box, int maxChars);
void limitLength(QPlainTextEdit* box, int maxChars);
// Text pasted or dropped into a numeric box keeps only its digits, as if it
// had been typed key by key.
void keepPastedDigitsOnly(QLineEdit* box);

// The caption a label gives the box it names: no access-key "&", no
// trailing ":" and blanks.
QString accessibleCaption(const QString& labelCaption);
// Names `box` after `label` for screen readers and gives the label's access
// key to the box.
void nameBoxByLabel(QLabel* label, QWidget* box);
void nameBox(QWidget* box, const QString& caption);

}  // namespace vh
