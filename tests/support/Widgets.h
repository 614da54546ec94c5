#pragma once
// Reading a window's controls in tests: a control by its name, the texts of
// a list.

#include <QListWidget>
#include <QStringList>
#include <QWidget>

namespace vh::test {

// A window's control by its name; the test program stops when it is missing.
template <class T = QWidget>
T* control(const QWidget* form, const char* name)
{
    T* c = form->findChild<T*>(QLatin1String(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

// Every entry's text, in list order; with `selectedOnly` the selected ones.
inline QStringList listTexts(const QListWidget* list, bool selectedOnly = false)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        if (!selectedOnly || list->item(i)->isSelected())
            texts << list->item(i)->text();
    return texts;
}

inline QStringList selectedTexts(const QListWidget* list) { return listTexts(list, true); }

}  // namespace vh::test
