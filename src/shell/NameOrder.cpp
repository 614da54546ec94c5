#include "shell/NameOrder.h"

#include <QCollator>
#include <QLocale>

#include <optional>

namespace vh {

namespace {

// Making a collator costs more than a comparison, and a sort makes many: one
// is kept and made anew when the regional settings change.
const QCollator& collator()
{
    thread_local std::optional<QCollator> made;
    thread_local QLocale madeFor;
    const QLocale now;
    if (!made || now != madeFor) {
        // With no region set (the C locale) Qt compares character codes;
        // the common alphabet, which English uses unchanged, serves instead.
        made.emplace(now.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : now);
        made->setCaseSensitivity(Qt::CaseInsensitive);
        madeFor = now;
    }
    return *made;
}

}  // namespace

int CompareNames(const QString& a, const QString& b) { return collator().compare(a, b); }

NameListItem::NameListItem(const QString& text, int number) : QListWidgetItem(text)
{
    setData(Qt::UserRole, number);
}

bool NameListItem::operator<(const QListWidgetItem& other) const
{
    const int c = CompareNames(text(), other.text());
    if (c != 0)
        return c < 0;
    return data(Qt::UserRole).toInt() < other.data(Qt::UserRole).toInt();
}

}  // namespace vh
