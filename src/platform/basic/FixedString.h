#pragma once
// A fixed-length text: whatever is assigned is cut or blank-padded to N
// characters. A value never assigned holds no character at all.

#include "platform/basic/Basic.h"

#include <QString>

namespace vh {

template <int N>
class FixedString {
public:
    FixedString() = default;
    FixedString(const QString& s) : s_(FixedText(s, N)) {}
    FixedString(const char* s) : s_(FixedText(QString::fromUtf8(s), N)) {}
    FixedString& operator=(const QString& s)
    {
        s_ = FixedText(s, N);
        return *this;
    }
    FixedString& operator=(const char* s) { return *this = QString::fromUtf8(s); }

    const QString& str() const { return s_; }
    operator const QString&() const { return s_; }

    bool operator==(const FixedString& o) const { return s_ == o.s_; }
    bool operator==(const QString& o) const { return s_ == o; }
    bool operator==(const char* o) const { return s_ == QLatin1String(o); }

private:
    QString s_;
};

}  // namespace vh
