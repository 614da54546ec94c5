#pragma once
// The order of every list sorted by name: the alphabet of the user's language
// (Turkish puts ı before i and Ç after C, English puts É beside E), letter case
// not counting. Character codes would put accented letters after Z.

#include <QListWidgetItem>
#include <QString>

namespace vh {

// Below, at or above 0 as `a` sorts before, with or after `b` under the
// regional settings in force now.
int CompareNames(const QString& a, const QString& b);

// An entry of a sorted list box: ordered by its text as above; entries of
// equal names by the number they carry as item data, so that they keep one
// order however they were added.
class NameListItem : public QListWidgetItem {
public:
    NameListItem(const QString& text, int number);
    bool operator<(const QListWidgetItem& other) const override;
};

}  // namespace vh
