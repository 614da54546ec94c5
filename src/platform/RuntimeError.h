#pragma once
// A run-time error with a number and a description, as the program's error
// messages show them ("Error: 3024", "Text: ...").

#include <QString>
#include <cerrno>
#include <stdexcept>

namespace vh {

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number), description_(description) {}
    int number() const { return number_; }
    // The two lines the program's error messages show: " Error: " with the
    // number, and " Text: " with the description.
    QString details(const QString& lineBreak = QStringLiteral("\r")) const
    {
        return QStringLiteral(" Error: ") + QString::number(number_) + lineBreak + QStringLiteral(" Text: ") +
               description_;
    }
    const QString& description() const { return description_; }

private:
    int number_;
    QString description_;
};

// Error numbers used by the runtime and the database layer.
namespace Err {
constexpr int Overflow = 6;
constexpr int SubscriptOutOfRange = 9;
constexpr int TypeMismatch = 13;
constexpr int FileNotFound = 53;
constexpr int DiskFull = 61;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int InvalidUseOfNull = 94;
constexpr int ObjectNotSet = 91;
constexpr int NoCurrentRecord = 3021;
constexpr int CannotFindFile = 3024;
constexpr int InvalidPassword = 3031;
constexpr int NotUpdatable = 3027;
constexpr int SqlSyntax = 3075;
constexpr int TableNotFound = 3078;
constexpr int UpdateWithoutEdit = 3020;
constexpr int FieldTooSmall = 3163;
constexpr int ItemNotFound = 3265;
constexpr int UnrecognizedFormat = 3343;
constexpr int DataConversion = 3421;
constexpr int DatabaseClosed = 3420;
constexpr int DiskIo = 3043;
constexpr int InUse = 3008;
constexpr int Generic = 3000;
}  // namespace Err

// Whether a system error code means no room: a full disk, a used-up quota
// or a file grown past what the file system or its limit takes.
inline bool NoRoomError(int systemError)
{
    return systemError == ENOSPC || systemError == EDQUOT || systemError == EFBIG;
}

// The error of a write that found no room for `path`.
inline RuntimeError DiskFullError(const QString& path)
{
    return RuntimeError(Err::DiskFull, QStringLiteral("The disk is full: there is no room left on it for %1. Make room "
                                                      "on the disk, then try again.")
                                           .arg(path));
}

}  // namespace vh
